#include "report/model/DisplayFormat.h"

#include "report/model/TqxGlobals.h"
#include "report/script/DateTimeFormat.h"
#include "report/script/EvaluationError.h"
#include "report/script/FloatFormat.h"

#include <stdexcept>

namespace tovren::model {

using script::Variant;

namespace {

constexpr int kFixedSignificantDigits = 15;

/// Number formats carry their own decimal separator; the thousands separator of the settings
/// would be ambiguous when both are the same character, so it yields to a blank.
script::FormatSettings settingsWithSeparator(QChar separator)
{
    script::FormatSettings settings = script::FormatSettings::chinese();
    if (!separator.isNull())
        settings.decimalSeparator = separator;
    if (settings.thousandSeparator == settings.decimalSeparator)
        settings.thousandSeparator = u' ';
    return settings;
}

/// Fixed notation with at most 15 significant digits, like the platform's fixed formats.
QString fixedNumber(double value, int decimals, bool grouped,
                    const script::FormatSettings &settings)
{
    QString digits = QString::number(value, 'g', kFixedSignificantDigits);
    bool ok = false;
    const double limited = digits.toDouble(&ok);
    const QString pattern = (grouped ? QStringLiteral("#,##0") : QStringLiteral("0")) +
                            (decimals > 0 ? u'.' + QString(decimals, u'0') : QString());
    return script::formatFloat(pattern, ok ? limited : value, settings);
}

QString formatNumber(const Variant &value, qint32 code, const QString &custom)
{
    const double number = value.toDouble();
    const int decimals = displayDecimals(code);
    const script::FormatSettings settings = settingsWithSeparator(displaySeparator(code));
    switch (displayIndex(code)) {
    case 0:
        return script::formatFloat(QStringLiteral("##0.") + QString(decimals, u'#'), number,
                                   settings);
    case 1:
        return fixedNumber(number, decimals, false, settings);
    case 2:
        return script::formatFloat(QStringLiteral("#,##0.") + QString(decimals, u'#'), number,
                                   settings);
    case 3:
        return fixedNumber(number, decimals, true, settings);
    default:
        return script::formatFloat(custom, number, settings);
    }
}

QString formatDate(const Variant &value, qint32 code, const QString &custom)
{
    const auto &globals = TqxGlobals::instance();
    const auto &settings = script::FormatSettings::chinese();
    const double days = value.toDouble();
    const qint32 index = displayIndex(code);
    if (index == kCustomFormatIndex)
        return script::formatDateTime(custom, days, settings);
    if (index == 3)
        return script::formatDateTime(settings.longDateFormat, days, settings);
    return script::formatDateTime(globals.dateFormats.value(index), days, settings);
}

QString formatTime(const Variant &value, qint32 code, const QString &custom)
{
    const qint32 index = displayIndex(code);
    const QString pattern =
        index == kCustomFormatIndex ? custom : TqxGlobals::instance().timeFormats.value(index);
    return script::formatDateTime(pattern, value.toDouble());
}

QString formatBoolean(const Variant &value, qint32 code, const QString &custom)
{
    const qint32 index = displayIndex(code);
    const QString texts =
        index == kCustomFormatIndex ? custom : TqxGlobals::instance().booleanFormats.value(index);
    const qsizetype split = texts.indexOf(u';');
    const bool truth = value.isString() ? value.toDouble() != 0 : value.toBool();
    if (split < 0)
        return truth ? QString() : texts;
    return truth ? texts.mid(split + 1) : texts.left(split);
}

/// "N0.2" and the like: index 1 with the decimals after the last separator, otherwise the
/// string is a custom pattern.
BracketFormat numberFormat(QString formatText, QChar fallbackSeparator)
{
    BracketFormat format;
    const qsizetype separatorAt = [&] {
        for (qsizetype i = formatText.size() - 1; i >= 0; --i)
            if (formatText[i] == u',' || formatText[i] == u'-' || formatText[i] == u'.')
                return i;
        return qsizetype(-1);
    }();
    const QChar separator = separatorAt >= 0 ? formatText[separatorAt] : fallbackSeparator;
    if (separatorAt >= 0)
        formatText[separatorAt] = u'.';
    if (formatText.size() > 1 && formatText[1].isDigit()) {
        int decimals = 0;
        for (qsizetype i = separatorAt + 1;
             separatorAt >= 0 && i < formatText.size() && formatText[i].isDigit(); ++i)
            decimals = qMin(decimals * 10 + formatText[i].digitValue(), 0xFF);
        format.code = displayFormatCode(dcNumber, 1, decimals, separator);
    } else {
        format.code = displayFormatCode(dcNumber, kCustomFormatIndex, 0, separator);
        format.custom = formatText.mid(1);
    }
    return format;
}

} // namespace

BracketFormat splitBracketFormat(const QString &bracket, qint32 objectCode,
                                 const QString &objectCustom)
{
    const qsizetype mark = bracket.indexOf(QStringLiteral(" #"));
    if (mark < 0)
        return BracketFormat{bracket, objectCode, objectCustom};
    QString formatText = bracket.mid(mark + 2);
    BracketFormat format{bracket.left(mark), objectCode, formatText};
    if (formatText.isEmpty())
        return format;
    if (formatText[0].isDigit())
        formatText.prepend(u'N');
    const QChar kind = formatText[0].toUpper();
    if (kind == u'N') {
        BracketFormat number = numberFormat(formatText, displaySeparator(objectCode));
        number.expression = format.expression;
        return number;
    }
    if (kind == u'B')
        format.code = displayFormatCode(dcBoolean, kCustomFormatIndex, 0, QChar());
    else if (kind == u'D' || kind == u'T')
        format.code = displayFormatCode(dcDate, kCustomFormatIndex, 0, QChar());
    else
        return format;
    format.custom = formatText.mid(1);
    return format;
}

QString FormatDisplayValue(const Variant &value, qint32 code, const QString &custom)
{
    if (value.isEmpty() || value.isNull())
        return {};
    const QString plain = value.toString();
    if (plain.trimmed().isEmpty())
        return {};
    try {
        switch (displayCategory(code)) {
        case dcNumber:
            return formatNumber(value, code, custom);
        case dcDate:
            return formatDate(value, code, custom);
        case dcTime:
            return formatTime(value, code, custom);
        case dcBoolean:
            return formatBoolean(value, code, custom);
        default:
            return plain;
        }
    } catch (const script::EvaluationError &) {
        return plain;
    } catch (const std::exception &) {
        return plain;
    }
}

} // namespace tovren::model
