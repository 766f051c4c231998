#include "report/engine/PagesFileSave.h"

#include "report/engine/TqxEMFPages.h"

#include <unistd.h>

namespace tovren::engine {

PagesFileSave::PagesFileSave(const TqxEMFPages &pages, const QString &fileName,
                             const QString &printerName, quint8 generatorVersion)
    : m_file(fileName)
{
    if (!m_file.open(QIODevice::WriteOnly))
        return;
    m_writer = std::thread([this, &pages, printerName, generatorVersion] {
        try {
            pages.WritePagesFile(m_file, printerName, generatorVersion);
            // Committing waits for the disk; most of that wait is spent here instead,
            // while the caller is still busy.
            if (m_file.flush())
                ::fdatasync(m_file.handle());
        } catch (...) {
            m_failure = std::current_exception();
        }
    });
}

void PagesFileSave::wait()
{
    if (m_writer.joinable())
        m_writer.join();
}

bool PagesFileSave::commit()
{
    if (!started())
        return false;
    wait();
    return !m_failure && m_file.commit();
}

} // namespace tovren::engine
