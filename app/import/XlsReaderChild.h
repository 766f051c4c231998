#pragma once

#include "app/import/SheetData.h"

#include <QStringList>

namespace tovren::import {

/// The hidden first argument that starts the program as the reader child of an .xls workbook.
inline constexpr const char *kXlsReaderCommand = "--read-xls-workbook";

/// Reads the first worksheet of an .xls file with the spreadsheet library, in this process.
/// Only the reader child calls it: the library is C code that crashes or allocates without end
/// on some damaged files. Throws EWorkbookError for a file the library refuses.
SheetData readXlsWithLibrary(const QString &path);

/// The reader child's whole work: @p arguments, those after the command word, name the file.
/// Writes a sheet dump (SheetDump.h) through a ReaderChannel; returns 0 with a dump, also for a
/// file the library refuses (the dump then holds the reason), 2 for arguments it does not
/// understand.
int runXlsReaderChild(const QStringList &arguments);

} // namespace tovren::import
