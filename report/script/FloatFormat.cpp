#include "report/script/FloatFormat.h"

#include "report/script/EvaluationError.h"
#include "report/script/Variant.h"

#include <QList>
#include <cmath>

namespace tovren::script {

namespace {

/// One section of a pattern, split into what surrounds the number and how the number is shown.
struct NumberSection
{
    QString prefix;
    QString suffix;
    int integerZeros = 0;   // "0" placeholders before the point, from the first "0"
    int integerDigits = 0;  // all placeholders before the point
    int fractionDigits = 0; // placeholders after the point
    int fractionZeros = 0;  // placeholders after the point up to the last "0"
    bool grouping = false;
    bool exponent = false;
    bool exponentAlwaysSigned = false;
    bool exponentUpper = true;
    int exponentDigits = 0;
};

QList<QStringView> splitSections(QStringView pattern)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections << pattern.mid(start, i - start);
            start = i + 1;
        }
    }
    sections << pattern.mid(start);
    return sections;
}

NumberSection parseSection(QStringView text)
{
    NumberSection section;
    bool inNumber = false;
    bool numberDone = false;
    bool afterPoint = false;
    bool seenZero = false;
    QString *literal = &section.prefix;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            if (inNumber) {
                numberDone = true;
                literal = &section.suffix;
            }
            *literal += text.mid(i + 1, end - i - 1);
            i = end;
            continue;
        }
        const bool placeholder = c == u'0' || c == u'#';
        const bool structural = placeholder || c == u'.' || c == u',';
        if (!numberDone && structural) {
            inNumber = true;
            if (c == u'.') {
                afterPoint = true;
            } else if (c == u',') {
                section.grouping = true;
            } else if (afterPoint) {
                ++section.fractionDigits;
                if (c == u'0')
                    section.fractionZeros = section.fractionDigits;
            } else {
                ++section.integerDigits;
                seenZero = seenZero || c == u'0';
                if (seenZero)
                    ++section.integerZeros;
            }
            continue;
        }
        if (inNumber && !numberDone && (c == u'E' || c == u'e') && i + 1 < text.size() &&
            (text[i + 1] == u'+' || text[i + 1] == u'-')) {
            section.exponent = true;
            section.exponentUpper = c == u'E';
            section.exponentAlwaysSigned = text[i + 1] == u'+';
            i += 2;
            while (i < text.size() && text[i] == u'0') {
                ++section.exponentDigits;
                ++i;
            }
            --i;
            numberDone = true;
            literal = &section.suffix;
            continue;
        }
        if (inNumber) {
            numberDone = true;
            literal = &section.suffix;
        }
        *literal += c;
    }
    return section;
}

QString groupThousands(const QString &digits, QChar separator)
{
    QString grouped;
    const qsizetype count = digits.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

QString formatMagnitude(const NumberSection &section, double magnitude,
                        const FormatSettings &settings)
{
    int exponent = 0;
    if (section.exponent && magnitude != 0) {
        const int leading = std::max(section.integerDigits, 1);
        exponent = static_cast<int>(std::floor(std::log10(magnitude))) - (leading - 1);
        magnitude /= std::pow(10.0, exponent);
        // Rounding to the shown decimals may carry into one more leading digit.
        if (QString::number(magnitude, 'f', section.fractionDigits).indexOf(u'.') > leading ||
            (section.fractionDigits == 0 && QString::number(magnitude, 'f', 0).size() > leading)) {
            magnitude /= 10;
            ++exponent;
        }
    }
    const QString fixed = QString::number(magnitude, 'f', section.fractionDigits);
    const qsizetype point = fixed.indexOf(u'.');
    QString integer = point < 0 ? fixed : fixed.left(point);
    QString fraction = point < 0 ? QString() : fixed.mid(point + 1);
    while (fraction.size() > section.fractionZeros && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == u"0")
        integer.clear();
    while (integer.size() < section.integerZeros)
        integer.prepend(u'0');
    if (section.grouping)
        integer = groupThousands(integer, settings.thousandSeparator);

    QString text = integer;
    if (!fraction.isEmpty())
        text += settings.decimalSeparator + fraction;
    if (section.exponent) {
        text += section.exponentUpper ? u'E' : u'e';
        if (exponent < 0)
            text += u'-';
        else if (section.exponentAlwaysSigned)
            text += u'+';
        text += QStringLiteral("%1").arg(std::abs(exponent), section.exponentDigits, 10,
                                         QLatin1Char('0'));
    }
    return text;
}

bool roundsToZero(const NumberSection &section, double magnitude)
{
    if (section.exponent)
        return magnitude == 0;
    return QString::number(magnitude, 'f', section.fractionDigits)
        .remove(u'0')
        .remove(u'.')
        .isEmpty();
}

} // namespace

QString formatFloat(QStringView pattern, double value, const FormatSettings &settings)
{
    if (!std::isfinite(value))
        throw EvaluationError(QStringLiteral("Invalid floating point operation"));
    if (pattern.isEmpty())
        return formatDouble(value);
    const QList<QStringView> sections = splitSections(pattern);
    NumberSection section = parseSection(sections[0]);
    bool withSign = value < 0;
    if (roundsToZero(section, std::fabs(value))) {
        withSign = false;
        if (sections.size() > 2 && !sections[2].isEmpty())
            section = parseSection(sections[2]);
    } else if (value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        section = parseSection(sections[1]);
        withSign = false;
    }
    const QString number = formatMagnitude(section, std::fabs(value), settings);
    return section.prefix + (withSign ? QStringLiteral("-") : QString()) + number + section.suffix;
}

} // namespace tovren::script
