#include "report/dialogs/InspectorRow.h"

#include "report/model/StyleConstants.h"

#include <cmath>
#include <limits>

namespace tovren::dialogs {

using model::ColorRef;
using script::Variant;

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

std::optional<qint64> readInteger(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    // "$" marks hexadecimal, as colours are written.
    const qint64 value =
        trimmed.startsWith(u'$') ? trimmed.mid(1).toLongLong(&ok, 16) : trimmed.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<double> readFraction(const QString &text)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

qsizetype choiceIndex(const InspectorRow &row, const QString &text)
{
    for (qsizetype i = 0; i < row.choices.size(); ++i) {
        if (row.choices[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype valueIndex(const InspectorRow &row, qint64 value)
{
    for (size_t i = 0; i < row.choiceValues.size(); ++i) {
        if (row.choiceValues[i].isNumber() && row.choiceValues[i].toInt64() == value)
            return qsizetype(i);
    }
    return -1;
}

} // namespace

QStringList InspectorRow::dropDownEntries() const
{
    if (kind & model::pkBoolean)
        return {kFalse, kTrue};
    if (kind & model::pkColor) {
        QStringList names;
        for (const model::NamedColor &color : model::namedColors())
            names.append(color.name);
        return names;
    }
    if (kind & model::pkEnumeration)
        return choices;
    return {};
}

QString InspectorValue::colourText(ColorRef colour)
{
    const QString name = model::colorName(colour);
    if (!name.isEmpty())
        return name;
    return QStringLiteral("$") +
           QStringLiteral("%1").arg(colour, 6, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColorRef> InspectorValue::readColour(const QString &text)
{
    if (const std::optional<ColorRef> named = model::colorByName(text.trimmed()))
        return named;
    const std::optional<qint64> number = readInteger(text);
    if (!number || *number < std::numeric_limits<qint32>::min() ||
        *number > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<ColorRef>(*number);
}

QString InspectorValue::shownText(const InspectorRow &row, const QString &value)
{
    if (value.isEmpty())
        return value;
    const quint16 kind = row.kind;
    if (kind & model::pkFraction) {
        const std::optional<double> number = readFraction(value);
        return number ? QString::number(*number, 'f', 2) : value;
    }
    if (kind & model::pkBoolean) {
        if (value.compare(kTrue, Qt::CaseInsensitive) == 0)
            return kTrue;
        if (value.compare(kFalse, Qt::CaseInsensitive) == 0)
            return kFalse;
        const std::optional<qint64> number = readInteger(value);
        return number ? (*number != 0 ? kTrue : kFalse) : value;
    }
    if (kind & model::pkColor) {
        const std::optional<qint64> number = readInteger(value);
        return number ? colourText(static_cast<ColorRef>(*number)) : value;
    }
    if ((kind & model::pkEnumeration) && !row.choiceValues.empty()) {
        const std::optional<qint64> number = readInteger(value);
        const qsizetype index = number ? valueIndex(row, *number) : -1;
        return index >= 0 && index < row.choices.size() ? row.choices[index] : value;
    }
    return value;
}

std::optional<Variant> InspectorValue::read(const InspectorRow &row)
{
    const quint16 kind = row.kind;
    const QString &text = row.valueText;
    if ((kind & model::pkText) || ((kind & model::pkEnumeration) && row.choiceValues.empty()))
        return Variant(text);
    // A fractional length stays fractional even where the unit is whole pixels.
    if (kind & model::pkFraction) {
        const std::optional<double> number = readFraction(text);
        return number ? std::optional<Variant>(Variant(*number)) : std::nullopt;
    }
    if (kind & model::pkInteger) {
        const std::optional<qint64> number = readInteger(text);
        return number ? std::optional<Variant>(Variant::fromInteger(*number)) : std::nullopt;
    }
    if (kind & model::pkBoolean) {
        const QString upper = text.trimmed().toUpper();
        return Variant(!(upper == u"FALSE" || upper == u"0" || upper.isEmpty()));
    }
    if (kind & model::pkColor) {
        const std::optional<ColorRef> colour = readColour(text);
        return colour ? std::optional<Variant>(Variant::fromInteger(*colour)) : std::nullopt;
    }
    if (kind & model::pkEnumeration) {
        const qsizetype index = choiceIndex(row, text.trimmed());
        if (index >= 0 && size_t(index) < row.choiceValues.size())
            return row.choiceValues[size_t(index)];
        const std::optional<qint64> number = readInteger(text);
        return number ? std::optional<Variant>(Variant::fromInteger(*number)) : std::nullopt;
    }
    return Variant();
}

QString InspectorValue::expectation(const InspectorRow &row)
{
    const quint16 kind = row.kind;
    if (kind & model::pkFraction)
        return QStringLiteral("请输入一个数, 例如 31,5 或 31.5");
    if (kind & model::pkInteger)
        return QStringLiteral("请输入一个整数");
    if (kind & model::pkColor)
        return QStringLiteral("请输入颜色名称 (例如 clRed) 或以 $ 开头的十六进制颜色值 (例如 "
                              "$0000FF)");
    if (kind & model::pkEnumeration)
        return QStringLiteral("请从下列值中选择: %1").arg(row.choices.join(QStringLiteral(", ")));
    return QStringLiteral("该值无法转换");
}

QString InspectorValue::steppedText(const InspectorRow &row)
{
    if (row.kind & model::pkBoolean) {
        const std::optional<Variant> value = read(row);
        return value && value->toBool() ? kFalse : kTrue;
    }
    if (!(row.kind & model::pkEnumeration) || row.choices.isEmpty())
        return row.valueText;
    qsizetype index = choiceIndex(row, row.valueText.trimmed());
    if (index < 0 && !row.choiceValues.empty()) {
        // A code the list does not name steps to the first name.
        const std::optional<qint64> number = readInteger(row.valueText);
        index = number ? valueIndex(row, *number) : -1;
    }
    const qsizetype next = index < 0 || index + 1 >= row.choices.size() ? 0 : index + 1;
    return row.choices[next];
}

} // namespace tovren::dialogs
