#pragma once

#include <QString>
#include <QStringView>

// Date-times in expressions are day numbers: whole days since 30 December 1899, the time of day
// as the fraction. For days before that date the fraction still counts forwards from midnight,
// so -1.25 is 29 December 1899, 06:00. These functions are the only place that maps them to and
// from calendar text.
namespace tovren::script {

/// "yyyy-MM-dd", followed by " HH:mm:ss" when the time is not midnight.
QString formatDayNumber(double days);

/// Reads a date written year, month, day with "-", "/" or "." between; raises EvaluationError
/// "'text' is not a valid date" otherwise.
double parseDate(QStringView text);

/// Reads a time written H:mm or H:mm:ss; raises EvaluationError "'text' is not a valid time".
double parseTime(QStringView text);

} // namespace tovren::script
