#include "report/script/FormatSettings.h"

#include <QLocale>

namespace tovren::script {

namespace {

FormatSettings makeChinese()
{
    const QLocale locale(QLocale::Chinese, QLocale::China);
    FormatSettings settings;
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    settings.dateSeparator = u'-';
    settings.timeSeparator = u':';
    settings.shortDateFormat = QStringLiteral("yyyy-m-d");
    settings.longDateFormat = QStringLiteral("yyyy'年'm'月'd'日'");
    settings.shortTimeFormat = QStringLiteral("h:nn");
    settings.longTimeFormat = QStringLiteral("h:nn:ss");
    settings.timeAmString = QStringLiteral("上午");
    settings.timePmString = QStringLiteral("下午");
    for (int month = 1; month <= 12; ++month) {
        settings.shortMonthNames << locale.monthName(month, QLocale::ShortFormat);
        settings.longMonthNames << locale.monthName(month, QLocale::LongFormat);
    }
    // QLocale counts Monday as day 1 and Sunday as 7; the format lists start on Sunday.
    for (int day : {7, 1, 2, 3, 4, 5, 6}) {
        settings.shortDayNames << locale.dayName(day, QLocale::ShortFormat);
        settings.longDayNames << locale.dayName(day, QLocale::LongFormat);
    }
    return settings;
}

} // namespace

const FormatSettings &FormatSettings::chinese()
{
    static const FormatSettings settings = makeChinese();
    return settings;
}

} // namespace tovren::script
