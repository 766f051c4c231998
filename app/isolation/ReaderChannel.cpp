#include "app/isolation/ReaderChannel.h"

#include <QCoreApplication>
#include <unistd.h>

namespace tovren::isolation {

QString readerProgram()
{
    const QString named = qEnvironmentVariable("TOVREN_READER_PROGRAM");
    return named.isEmpty() ? QCoreApplication::applicationFilePath() : named;
}

ReaderChannel::ReaderChannel()
{
    const int dumpHandle = dup(STDOUT_FILENO);
    if (dumpHandle < 0)
        return;
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        close(dumpHandle);
        return;
    }
    m_dump.open(dumpHandle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
}

} // namespace tovren::isolation
