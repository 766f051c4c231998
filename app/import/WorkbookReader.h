#pragma once

#include "app/import/SheetData.h"

#include <QByteArray>
#include <QString>

namespace tovren::import {

/// Reads the first worksheet of a workbook file: .xls (BIFF5/BIFF8), .xlsx or .csv.
///
/// The kind is told by the file's first bytes, not its name, so a renamed file still reads; a
/// file that is none of them, or a damaged one, throws EWorkbookError naming the file.
///
/// The .xls library runs in a child process under the limits of isolation::LimitedChildProcess,
/// as it crashes on some damaged files; what it prints goes to "logs/xls-reader.log" in the
/// user's data folder.
class WorkbookReader
{
public:
    static SheetData read(const QString &path);

    static SheetData readXls(const QString &path);
    static SheetData readXlsx(const QByteArray &bytes);
    static SheetData readCsv(const QByteArray &bytes);
};

} // namespace tovren::import
