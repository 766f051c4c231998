// Feeds arbitrary bytes to one workbook reader, chosen when the target is built: the .xlsx
// reader with its zip reader, the .csv reader, or for .xls the part that runs in the program's
// own process, which reads what the reader child sends. Every input must give a sheet or an
// error: a crash, a hang, an oversized allocation or a sanitizer report is a fault, and a sheet
// must stay within the limits it promises.
//
// The .xls library itself runs in a child process, as it crashes on damaged files; the
// xls_library variant feeds it directly, to learn how it fails (run it with -fork and the
// -ignore_* options: its faults are expected and contained).

#include "app/import/SheetDump.h"
#include "app/import/WorkbookReader.h"
#include "app/import/XlsReaderChild.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using tovren::import::EWorkbookError;
using tovren::import::SheetData;
using tovren::import::WorkbookReader;

#if defined(TOVREN_FUZZ_XLS_LIBRARY)
SheetData readXlsBytes(const QByteArray &bytes)
{
    // The .xls library reads files only; memory-backed files keep this fast where there are any.
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryFile file(folder + QStringLiteral("/fuzz-XXXXXX.xls"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        std::abort();
    return tovren::import::readXlsWithLibrary(file.fileName());
}
#endif

SheetData readBytes(const QByteArray &bytes)
{
#if defined(TOVREN_FUZZ_XLSX)
    return WorkbookReader::readXlsx(bytes);
#elif defined(TOVREN_FUZZ_CSV)
    return WorkbookReader::readCsv(bytes);
#elif defined(TOVREN_FUZZ_XLS)
    return tovren::import::readSheetDump(bytes);
#elif defined(TOVREN_FUZZ_XLS_LIBRARY)
    return readXlsBytes(bytes);
#else
#error "name the reader to fuzz"
#endif
}

/// Touches every kept cell, as an import does, and checks the sheet's own promises.
void walk(const SheetData &sheet)
{
    if (sheet.rowCount() > SheetData::kMaxRows || sheet.columnCount() > SheetData::kMaxColumns ||
        sheet.storedCellCount() > SheetData::kMaxCells)
        std::abort();
    qsizetype cells = 0;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        for (const int column : sheet.usedColumns(row)) {
            if (sheet.cellText(row, column).isEmpty())
                std::abort();
            ++cells;
        }
    }
    if (cells != sheet.storedCellCount())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        walk(readBytes(bytes));
    } catch (const EWorkbookError &) {
    } catch (const tovren::import::ESheetDumpDamaged &) {
    }
    return 0;
}
