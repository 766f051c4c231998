#include "report/script/DayNumber.h"

#include "report/script/EvaluationError.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace tovren::script {

namespace {

const QDate &dayZero()
{
    static const QDate date(1899, 12, 30);
    return date;
}

constexpr double secondsPerDay = 86400.0;

// Far enough for any report and well inside what QDate and a double represent exactly.
constexpr double maximumDays = 3000000.0;

} // namespace

QString formatDayNumber(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > maximumDays)
        throw EvaluationError(QStringLiteral("Invalid argument to date encode"));
    double wholeDays = std::trunc(days);
    double fraction = std::fabs(days - wholeDays);
    qint64 seconds = std::llround(fraction * secondsPerDay);
    if (seconds >= 86400) {
        seconds = 0;
        wholeDays += days < 0 ? -1 : 1;
    }
    QString text = dayZero().addDays(static_cast<qint64>(wholeDays)).toString(u"yyyy-MM-dd");
    if (seconds != 0) {
        text += QStringLiteral(" %1:%2:%3")
                    .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                    .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    return text;
}

double parseDate(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{1,4})([-/.])(\d{1,2})\2(\d{1,2})\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (match.hasMatch()) {
        const QDate date(match.capturedView(1).toInt(), match.capturedView(3).toInt(),
                         match.capturedView(4).toInt());
        if (date.isValid())
            return static_cast<double>(dayZero().daysTo(date));
    }
    throw EvaluationError(QStringLiteral("'%1' is not a valid date").arg(text));
}

double parseTime(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (match.hasMatch()) {
        const int hours = match.capturedView(1).toInt();
        const int minutes = match.capturedView(2).toInt();
        const int seconds = match.hasCaptured(3) ? match.capturedView(3).toInt() : 0;
        if (hours < 24 && minutes < 60 && seconds < 60)
            return (hours * 3600 + minutes * 60 + seconds) / secondsPerDay;
    }
    throw EvaluationError(QStringLiteral("'%1' is not a valid time").arg(text));
}

} // namespace tovren::script
