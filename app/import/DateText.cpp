#include "app/import/DateText.h"

#include <QRegularExpression>

#include <cmath>

namespace tovren::import {

std::optional<QDate> textToDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})\s*日?)"
        R"((?:[\sT]+\d{1,2}[:时]\d{1,2}(?:[:分]\d{1,2}(?:\.\d+)?秒?)?)?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDateTime> serialToDateTime(double serial)
{
    // Beyond year 9999 a spreadsheet shows ####; below zero it shows no date at all.
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return std::nullopt;
    const double days = std::floor(serial);
    const qint64 milliseconds = std::llround((serial - days) * 86400000.0);
    const QDate date = QDate(1899, 12, 30).addDays(qint64(days));
    return QDateTime(date, QTime(0, 0)).addMSecs(milliseconds);
}

} // namespace tovren::import
