#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tovren::import {

/// The program's date conversion: the forms Chinese offices write, such as "1988/3/5",
/// "1988-03-05", "1988.3.5" and "1988年3月5日", optionally followed by a time of day.
/// Returns nothing for text that is not a real calendar date.
std::optional<QDate> textToDate(const QString &text);

/// A spreadsheet serial number (days since 30 December 1899, with the time as a fraction)
/// as a date and time; nothing for serials outside the calendar.
std::optional<QDateTime> serialToDateTime(double serial);

} // namespace tovren::import
