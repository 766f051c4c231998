#pragma once

#include <QString>
#include <QStringList>

namespace tovren::script {

/// The regional settings that number and date formatting follow: separators, default date and
/// time patterns and the names of months and days.
///
/// chinese() gives the settings of the Chinese systems the certificates are made on, so a report
/// formats the same on every machine instead of following the desk's locale.
struct FormatSettings
{
    QChar decimalSeparator;
    QChar thousandSeparator;
    QChar dateSeparator;
    QChar timeSeparator;
    QString shortDateFormat;
    QString longDateFormat;
    QString shortTimeFormat;
    QString longTimeFormat;
    QString timeAmString;
    QString timePmString;
    QStringList shortMonthNames; // January first
    QStringList longMonthNames;
    QStringList shortDayNames; // Sunday first
    QStringList longDayNames;

    static const FormatSettings &chinese();
};

} // namespace tovren::script
