#include "app/import/NumberFormat.h"

#include "app/import/DateText.h"

#include <QLocale>

#include <cmath>

namespace tovren::import {

namespace {

QString builtinCode(int id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 14: return QStringLiteral("yyyy/m/d");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("h:mm");
    case 21: return QStringLiteral("h:mm:ss");
    case 22: return QStringLiteral("yyyy/m/d h:mm");
    case 27: case 28: case 29: case 30: case 31: case 36: case 50: case 51: case 52: case 53:
    case 54: case 55: case 56: case 57: case 58:
        return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
    case 32: case 33: case 34: case 35: return QStringLiteral("h\"时\"mm\"分\"");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    case 49: return QStringLiteral("@");
    default: return QStringLiteral("General");
    }
}

/// The first section of a format code, with colours, conditions and locale tags removed.
QString firstSection(const QString &code)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && c == u';')
            break;
        if (!quoted && c == u'[') {
            const qsizetype close = code.indexOf(u']', i);
            const QString tag = code.mid(i + 1, close - i - 1);
            // Elapsed-time markers such as [h] are part of the format; the rest is decoration.
            if (close > i && (tag.startsWith(u'h', Qt::CaseInsensitive) || tag.startsWith(u'm', Qt::CaseInsensitive)
                              || tag.startsWith(u's', Qt::CaseInsensitive)) && !tag.startsWith(QStringLiteral("$")))
                out += tag;
            if (close < 0)
                break;
            i = close;
            continue;
        }
        out += c;
    }
    return out;
}

bool looksLikeDate(const QString &section)
{
    bool quoted = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
            continue;
        }
        switch (c.toLower().unicode()) {
        case u'y': case u'm': case u'd': case u'h': case u's': return true;
        default: break;
        }
    }
    return false;
}

} // namespace

NumberFormat::NumberFormat(int builtinId, QString code)
    // Built-in formats are shown in the reader's own locale whatever code the file stores.
    : m_code(firstSection(builtinId < 164 || code.isEmpty() ? builtinCode(builtinId) : code))
{
    m_isDate = m_code.compare(QStringLiteral("General"), Qt::CaseInsensitive) != 0
               && looksLikeDate(m_code);
}

QString NumberFormat::general(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

QString NumberFormat::format(double value) const
{
    if (m_isDate)
        return formatDate(value);
    if (m_code.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0 || m_code == u"@")
        return general(value);
    return formatFixed(value);
}

QString NumberFormat::formatFixed(double value) const
{
    const bool percent = m_code.contains(u'%');
    const bool grouped = m_code.contains(QStringLiteral("#,##"));
    if (m_code.contains(u'E', Qt::CaseInsensitive))
        return general(value);
    int decimals = 0;
    const qsizetype point = m_code.indexOf(u'.');
    if (point >= 0) {
        for (qsizetype i = point + 1; i < m_code.size() && (m_code[i] == u'0' || m_code[i] == u'#'); ++i)
            ++decimals;
    }
    const double shown = percent ? value * 100.0 : value;
    QString text;
    if (grouped) {
        QLocale locale(QLocale::C);
        locale.setNumberOptions(QLocale::DefaultNumberOptions);
        text = locale.toString(shown, 'f', decimals);
    } else {
        text = QString::number(shown, 'f', decimals);
    }
    return percent ? text + u'%' : text;
}

QString NumberFormat::formatDate(double serial) const
{
    const std::optional<QDateTime> moment = serialToDateTime(serial);
    if (!moment)
        return general(serial);
    const QDate date = moment->date();
    const QTime time = moment->time();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QString &code = m_code;
    QString out;
    char16_t lastToken = 0;
    const auto runLength = [&](qsizetype at) {
        qsizetype end = at;
        while (end < code.size() && code[end].toLower() == code[at].toLower())
            ++end;
        return end - at;
    };
    const auto nextToken = [&](qsizetype from) -> char16_t {
        for (qsizetype k = from; k < code.size(); ++k) {
            const char16_t t = code[k].toLower().unicode();
            if (t == u'y' || t == u'm' || t == u'd' || t == u'h' || t == u's')
                return t;
        }
        return 0;
    };
    const auto padded = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    const bool twelveHour = code.contains(QStringLiteral("AM/PM"), Qt::CaseInsensitive);

    for (qsizetype i = 0; i < code.size();) {
        const QChar c = code[i];
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            out += code.mid(i + 1, (close < 0 ? code.size() : close) - i - 1);
            i = close < 0 ? code.size() : close + 1;
            continue;
        }
        if (c == u'\\' && i + 1 < code.size()) {
            out += code[i + 1];
            i += 2;
            continue;
        }
        if (code.mid(i, 5).compare(QStringLiteral("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const char16_t token = c.toLower().unicode();
        const qsizetype n = runLength(i);
        switch (token) {
        case u'y':
            out += n <= 2 ? padded(date.year() % 100) : QString::number(date.year());
            break;
        case u'm':
            // "m" right after an hour or right before seconds means minutes.
            if (n <= 2 && (lastToken == u'h' || nextToken(i + n) == u's'))
                out += n == 1 ? QString::number(time.minute()) : padded(time.minute());
            else if (n <= 2)
                out += n == 1 ? QString::number(date.month()) : padded(date.month());
            else
                out += chinese.monthName(date.month(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'd':
            if (n <= 2)
                out += n == 1 ? QString::number(date.day()) : padded(date.day());
            else
                out += chinese.dayName(date.dayOfWeek(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'h': {
            int hour = time.hour();
            if (twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += n == 1 ? QString::number(hour) : padded(hour);
            break;
        }
        case u's':
            out += n == 1 ? QString::number(time.second()) : padded(time.second());
            break;
        default:
            out += code.mid(i, n);
            i += n;
            continue;
        }
        lastToken = token;
        i += n;
    }
    return out;
}

} // namespace tovren::import
