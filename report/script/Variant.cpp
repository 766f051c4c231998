#include "report/script/Variant.h"

#include "report/script/DayNumber.h"
#include "report/script/EvaluationError.h"

#include <cmath>
#include <limits>

namespace tovren::script {

namespace {

// Doubles at or beyond 2^63 do not fit in a qint64; the smallest representable value does.
constexpr double int64Limit = 9223372036854775808.0;

QString formatCurrencyUnits(qint64 units)
{
    const bool negative = units < 0;
    // Work in unsigned so that the smallest amount does not overflow when negated.
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(units) : units;
    QString text = QString::number(magnitude / Variant::currencyScale);
    const quint64 fraction = magnitude % Variant::currencyScale;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

} // namespace

Variant::Variant(int value)
    : m_type(VariantType::Integer)
    , m_integer(value)
{}

Variant::Variant(qint64 value)
    : m_type(VariantType::Int64)
    , m_integer(value)
{}

Variant::Variant(double value)
    : m_type(VariantType::Double)
    , m_real(value)
{}

Variant::Variant(bool value)
    : m_type(VariantType::Boolean)
    , m_integer(value ? 1 : 0)
{}

Variant::Variant(const QString &text)
    : m_type(VariantType::String)
    , m_text(text)
{}

Variant Variant::null()
{
    return Variant(VariantType::Null);
}

Variant Variant::fromInteger(qint64 value)
{
    if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
        return Variant(static_cast<int>(value));
    return Variant(value);
}

Variant Variant::fromCurrencyUnits(qint64 tenThousandths)
{
    Variant value(VariantType::Currency);
    value.m_integer = tenThousandths;
    return value;
}

Variant Variant::fromCurrency(double amount)
{
    const double units = std::nearbyint(amount * currencyScale);
    if (!std::isfinite(units) || units >= int64Limit || units < -int64Limit)
        throw EvaluationError(QStringLiteral("Arithmetic overflow"));
    return fromCurrencyUnits(static_cast<qint64>(units));
}

Variant Variant::fromDate(double daysSince1899)
{
    Variant value(VariantType::Date);
    value.m_real = daysSince1899;
    return value;
}

bool Variant::isNumber() const
{
    switch (m_type) {
    case VariantType::Integer:
    case VariantType::Int64:
    case VariantType::Double:
    case VariantType::Currency:
    case VariantType::Date:
        return true;
    default:
        return false;
    }
}

QString Variant::typeName() const
{
    return typeName(m_type);
}

QString Variant::typeName(VariantType type)
{
    switch (type) {
    case VariantType::Empty:
        return QStringLiteral("Empty");
    case VariantType::Null:
        return QStringLiteral("Null");
    case VariantType::Integer:
        return QStringLiteral("Integer");
    case VariantType::Int64:
        return QStringLiteral("Int64");
    case VariantType::Double:
        return QStringLiteral("Double");
    case VariantType::Currency:
        return QStringLiteral("Currency");
    case VariantType::Date:
        return QStringLiteral("Date");
    case VariantType::Boolean:
        return QStringLiteral("Boolean");
    case VariantType::String:
        return QStringLiteral("String");
    }
    return {};
}

QString Variant::toString() const
{
    switch (m_type) {
    case VariantType::Empty:
    case VariantType::Null:
        return {};
    case VariantType::Integer:
    case VariantType::Int64:
        return QString::number(m_integer);
    case VariantType::Double:
        return formatDouble(m_real);
    case VariantType::Currency:
        return formatCurrencyUnits(m_integer);
    case VariantType::Date:
        return formatDayNumber(m_real);
    case VariantType::Boolean:
        return m_integer ? QStringLiteral("True") : QStringLiteral("False");
    case VariantType::String:
        return m_text;
    }
    return {};
}

double Variant::toDouble() const
{
    switch (m_type) {
    case VariantType::Empty:
        return 0;
    case VariantType::Null:
        throwConversionError(m_type, VariantType::Double);
    case VariantType::Integer:
    case VariantType::Int64:
        return static_cast<double>(m_integer);
    case VariantType::Double:
    case VariantType::Date:
        return m_real;
    case VariantType::Currency:
        return static_cast<double>(m_integer) / currencyScale;
    case VariantType::Boolean:
        return m_integer ? -1 : 0;
    case VariantType::String: {
        double value = 0;
        if (!parseNumber(m_text, value))
            throwConversionError(m_type, VariantType::Double);
        return value;
    }
    }
    return 0;
}

qint64 Variant::toInt64() const
{
    switch (m_type) {
    case VariantType::Integer:
    case VariantType::Int64:
        return m_integer;
    case VariantType::Boolean:
        return m_integer ? -1 : 0;
    case VariantType::Currency: {
        // Ties to even on the exact fixed-point amount, not on a rounded double.
        const qint64 whole = m_integer / currencyScale;
        const qint64 rest = m_integer % currencyScale;
        const qint64 half = currencyScale / 2;
        if (rest > half || (rest == half && whole % 2 != 0))
            return whole + 1;
        if (rest < -half || (rest == -half && whole % 2 != 0))
            return whole - 1;
        return whole;
    }
    case VariantType::Null:
        throwConversionError(m_type, VariantType::Int64);
    case VariantType::String: {
        double value = 0;
        if (!parseNumber(m_text, value))
            throwConversionError(m_type, VariantType::Int64);
        return roundToInt64(value);
    }
    default:
        return roundToInt64(toDouble());
    }
}

bool Variant::toBool() const
{
    switch (m_type) {
    case VariantType::Boolean:
        return m_integer != 0;
    case VariantType::String: {
        if (m_text.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (m_text.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
        double value = 0;
        if (!parseNumber(m_text, value))
            throwConversionError(m_type, VariantType::Boolean);
        return value != 0;
    }
    case VariantType::Null:
        throwConversionError(m_type, VariantType::Boolean);
    default:
        return toDouble() != 0;
    }
}

bool operator==(const Variant &a, const Variant &b)
{
    if (a.m_type != b.m_type)
        return false;
    switch (a.m_type) {
    case VariantType::Double:
    case VariantType::Date:
        return a.m_real == b.m_real;
    case VariantType::String:
        return a.m_text == b.m_text;
    default:
        return a.m_integer == b.m_integer;
    }
}

void throwConversionError(VariantType from, VariantType to)
{
    throw EvaluationError(QStringLiteral("Could not convert variant of type (%1) into type (%2)")
                              .arg(Variant::typeName(from), Variant::typeName(to)));
}

QString formatDouble(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const qsizetype exponentAt = text.indexOf(u'e');
    if (exponentAt < 0)
        return text;
    // "1e+20" becomes "1E20", "1.5e-07" becomes "1.5E-7".
    QString mantissa = text.left(exponentAt);
    const int exponent = text.mid(exponentAt + 1).toInt();
    return mantissa + u'E' + QString::number(exponent);
}

qint64 roundToInt64(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded >= int64Limit || rounded < -int64Limit)
        throw EvaluationError(QStringLiteral("Invalid floating point operation"));
    return static_cast<qint64>(rounded);
}

bool parseNumber(QStringView text, double &value)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    // QString's reader would also take "inf" and "nan", which are not numbers to a report.
    for (const QChar c : trimmed) {
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            return false;
    }
    bool ok = false;
    value = trimmed.toDouble(&ok);
    return ok && std::isfinite(value);
}

} // namespace tovren::script
