#include "app/import/NumberFormat.h"
#include "app/import/SheetDump.h"
#include "app/import/WorkbookReader.h"
#include "app/import/XlsReaderChild.h"
#include "app/isolation/LimitedChildProcess.h"
#include "app/isolation/ReaderChannel.h"

#include <QFile>
#include <QFileInfo>
#include <freexl.h>

namespace tovren::import {

namespace {

/// Closes the FreeXL handle on every path; the library wants a close even after a failed open.
class FreeXlHandle
{
public:
    ~FreeXlHandle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void **address() { return &m_handle; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
};

QString cellText(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return NumberFormat::general(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return cell.value.text_value ? QString::fromUtf8(cell.value.text_value) : QString();
    default:
        return {};
    }
}

} // namespace

SheetData readXlsWithLibrary(const QString &path)
{
    FreeXlHandle handle;
    const QByteArray nativePath = QFile::encodeName(path);
    int result = freexl_open(nativePath.constData(), handle.address());
    if (result != FREEXL_OK)
        throw EWorkbookError(
            QStringLiteral("不是有效的 .xls 工作簿, 或文件已损坏 (错误 %1)").arg(result));
    // Some valid but unusual files open without giving a workbook to read.
    if (!handle.get())
        throw EWorkbookError(QStringLiteral(
            "无法读取这个 .xls 工作簿的结构; 请在电子表格程序中另存为 .xlsx 后再导入"));
    unsigned int sheets = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        throw EWorkbookError(QStringLiteral("工作簿中没有工作表"));
    if (freexl_select_active_worksheet(handle.get(), 0) != FREEXL_OK)
        throw EWorkbookError(QStringLiteral("无法读取第一个工作表"));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle.get(), &rows, &columns) != FREEXL_OK)
        throw EWorkbookError(QStringLiteral("无法读取工作表的大小"));

    SheetData::Builder builder;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            result = freexl_get_cell_value(handle.get(), row, column, &cell);
            if (result != FREEXL_OK)
                throw EWorkbookError(QStringLiteral("第 %1 行第 %2 列无法读取 (错误 %3)")
                                         .arg(row + 1)
                                         .arg(column + 1)
                                         .arg(result));
            builder.set(int(row + 1), int(column + 1), cellText(cell));
        }
    }
    return builder.build();
}

int runXlsReaderChild(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return 2;
    isolation::ReaderChannel channel;
    if (!channel.isOpen())
        return 2;
    SheetDumpWriter dump(channel.device());
    try {
        dump.writeSheet(readXlsWithLibrary(arguments.first()));
    } catch (const EWorkbookError &error) {
        dump.writeError(error.message());
    }
    return channel.finish() ? 0 : 2;
}

SheetData WorkbookReader::readXls(const QString &path)
{
    // The library runs in a child, so that a damaged file can end the child but not the window.
    const isolation::LimitedChildProcess child(
        isolation::readerProgram(), isolation::ChildLimits::forInputSize(QFileInfo(path).size()),
        isolation::LimitedChildProcess::logPathFor(QStringLiteral("xls-reader.log")));
    const isolation::LimitedChildProcess::Result result =
        child.run({QString::fromLatin1(kXlsReaderCommand), QFileInfo(path).absoluteFilePath()});
    try {
        if (result.succeeded())
            return readSheetDump(result.output);
    } catch (const ESheetDumpDamaged &) {
    }
    throw EWorkbookError(QStringLiteral(".xls 工作簿已损坏或无法读取"));
}

} // namespace tovren::import
