#include "report/script/DateTimeFormat.h"

#include "report/script/EvaluationError.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace tovren::script {

namespace {

constexpr double maximumDays = 3000000.0;

struct Moment
{
    QDate date;
    QTime time;
};

Moment momentOf(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > maximumDays)
        throw EvaluationError(QStringLiteral("Invalid argument to date encode"));
    double whole = std::trunc(days);
    qint64 milliseconds = std::llround(std::fabs(days - whole) * 86400000.0);
    if (milliseconds >= 86400000) {
        milliseconds = 0;
        whole += days < 0 ? -1 : 1;
    }
    static const QDate dayZero(1899, 12, 30);
    return {dayZero.addDays(static_cast<qint64>(whole)),
            QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds))};
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

/// Writes one pattern; nested patterns (c, ddddd, t) come back here with the same moment.
class DateTimeWriter
{
public:
    DateTimeWriter(const Moment &moment, const FormatSettings &settings)
        : m_moment(moment)
        , m_settings(settings)
    {}

    void write(QStringView pattern, int nesting = 0);
    QString result() const { return m_out; }

private:
    static int runLength(QStringView pattern, qsizetype at);
    bool usesTwelveHourClock(QStringView rest) const;
    bool writeAmPm(QStringView pattern, qsizetype &at);

    const Moment &m_moment;
    const FormatSettings &m_settings;
    QString m_out;
    QChar m_lastToken;
};

int DateTimeWriter::runLength(QStringView pattern, qsizetype at)
{
    const QChar letter = pattern[at].toUpper();
    qsizetype end = at;
    while (end < pattern.size() && pattern[end].toUpper() == letter)
        ++end;
    return static_cast<int>(end - at);
}

bool DateTimeWriter::usesTwelveHourClock(QStringView rest) const
{
    return rest.contains(u"am/pm", Qt::CaseInsensitive) ||
           rest.contains(u"a/p", Qt::CaseInsensitive) ||
           rest.contains(u"ampm", Qt::CaseInsensitive);
}

bool DateTimeWriter::writeAmPm(QStringView pattern, qsizetype &at)
{
    const QStringView rest = pattern.mid(at);
    const bool pm = m_moment.time.hour() >= 12;
    if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
        const bool upper = rest[0].isUpper();
        const QString text = pm ? QStringLiteral("pm") : QStringLiteral("am");
        m_out += upper ? text.toUpper() : text;
        at += 5;
    } else if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
        const QString text = pm ? QStringLiteral("p") : QStringLiteral("a");
        m_out += rest[0].isUpper() ? text.toUpper() : text;
        at += 3;
    } else if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
        m_out += pm ? m_settings.timePmString : m_settings.timeAmString;
        at += 4;
    } else {
        return false;
    }
    return true;
}

void DateTimeWriter::write(QStringView pattern, int nesting)
{
    if (pattern.isEmpty())
        pattern = u"c";
    const QDate &date = m_moment.date;
    const QTime &time = m_moment.time;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const QChar c = pattern[at];
        QChar token = c.toUpper();
        if (token.isLetter() && token.unicode() < 128) {
            if (token == u'M' && m_lastToken == u'H')
                token = u'N';
            m_lastToken = token;
        }
        if (c == u'\'' || c == u'"') {
            const qsizetype close = pattern.indexOf(c, at + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            m_out += pattern.mid(at + 1, end - at - 1);
            at = end + 1;
            continue;
        }
        if (token == u'A') {
            if (!writeAmPm(pattern, at)) {
                m_out += c;
                ++at;
            }
            continue;
        }
        const int run = token.unicode() < 128 && token.isLetter() ? runLength(pattern, at) : 1;
        switch (token.unicode()) {
        case 'Y':
            m_out += run <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
            break;
        case 'M':
            if (run == 1)
                m_out += QString::number(date.month());
            else if (run == 2)
                m_out += padded(date.month(), 2);
            else
                m_out += (run == 3 ? m_settings.shortMonthNames
                                   : m_settings.longMonthNames)[date.month() - 1];
            break;
        case 'D':
            if (run == 1)
                m_out += QString::number(date.day());
            else if (run == 2)
                m_out += padded(date.day(), 2);
            else if (run <= 4)
                m_out += (run == 3 ? m_settings.shortDayNames
                                   : m_settings.longDayNames)[date.dayOfWeek() % 7];
            else if (nesting == 0)
                write(run == 5 ? m_settings.shortDateFormat : m_settings.longDateFormat, 1);
            break;
        case 'H': {
            int hour = time.hour();
            if (usesTwelveHourClock(pattern.mid(at))) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            m_out += run == 1 ? QString::number(hour) : padded(hour, 2);
            break;
        }
        case 'N':
            m_out += run == 1 ? QString::number(time.minute()) : padded(time.minute(), 2);
            break;
        case 'S':
            m_out += run == 1 ? QString::number(time.second()) : padded(time.second(), 2);
            break;
        case 'Z':
            m_out += run < 3 ? QString::number(time.msec()) : padded(time.msec(), 3);
            break;
        case 'T':
            if (nesting == 0)
                write(run == 1 ? m_settings.shortTimeFormat : m_settings.longTimeFormat, 1);
            break;
        case 'C':
            if (nesting == 0) {
                write(m_settings.shortDateFormat, 1);
                if (time.msecsSinceStartOfDay() != 0) {
                    m_out += u' ';
                    write(m_settings.longTimeFormat, 1);
                }
            }
            break;
        case '/':
            m_out += m_settings.dateSeparator;
            break;
        case ':':
            m_out += m_settings.timeSeparator;
            break;
        default:
            m_out += pattern.mid(at, run);
            break;
        }
        at += run;
    }
}

} // namespace

QString formatDateTime(QStringView pattern, double days, const FormatSettings &settings)
{
    const Moment moment = momentOf(days);
    DateTimeWriter writer(moment, settings);
    writer.write(pattern);
    return writer.result();
}

} // namespace tovren::script
