#include "app/import/WorkbookReader.h"

#include "report/platform/FileProblems.h"

#include <QFile>
#include <QFileInfo>

namespace tovren::import {

namespace {

bool startsWith(const QByteArray &bytes, const char *magic, qsizetype length)
{
    return bytes.size() >= length && std::equal(magic, magic + length, bytes.constData());
}

} // namespace

SheetData WorkbookReader::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString problem = platform::readProblem(path);
        throw EWorkbookError(
            QStringLiteral("无法打开 %1: %2")
                .arg(path, problem.isEmpty() ? QStringLiteral("无法读取该文件") : problem));
    }
    const QByteArray bytes = file.readAll();
    file.close();
    try {
        if (startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
            return readXls(path);
        if (startsWith(bytes, "PK\x03\x04", 4))
            return readXlsx(bytes);
        if (QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0 ||
            QFileInfo(path).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0)
            return readCsv(bytes);
    } catch (const EWorkbookError &error) {
        throw EWorkbookError(
            QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error.message()));
    }
    throw EWorkbookError(QStringLiteral("%1 不是可识别的工作簿 (支持 .xls, .xlsx 和 .csv)")
                             .arg(QFileInfo(path).fileName()));
}

} // namespace tovren::import
