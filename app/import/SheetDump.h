#pragma once

#include "app/import/SheetData.h"

#include <QByteArray>
#include <QDataStream>

class QIODevice;

namespace tovren::import {

/// Writes a sheet the reader child read, for the program that started it: every cell that holds
/// a value, then an end record with their count; or an error record with the reason.
class SheetDumpWriter
{
public:
    explicit SheetDumpWriter(QIODevice &device);

    void writeSheet(const SheetData &sheet);
    void writeError(const QString &message);

private:
    QDataStream m_stream;
};

/// A dump that is not whole: the child did not finish its work.
class ESheetDumpDamaged : public std::exception
{
public:
    const char *what() const noexcept override { return "damaged reader output"; }
};

/// Reads a dump made by SheetDumpWriter into a sheet, with the limits of any sheet. Throws
/// ESheetDumpDamaged for a dump that is cut short or does not add up, EWorkbookError with the
/// child's reason for an error record or a sheet beyond the limits.
SheetData readSheetDump(const QByteArray &dump);

} // namespace tovren::import
