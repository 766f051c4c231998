#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tovren::test {

/// What a poppler tool (pdftotext, pdfinfo, pdftoppm, ...) printed, or an empty text when it
/// is not installed or failed.
inline QString popplerOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace tovren::test
