#pragma once

#include <QString>
#include <QtGlobal>

namespace tovren::script {

enum class VariantType { Empty, Null, Integer, Int64, Double, Currency, Date, Boolean, String };

/// The value of an expression or a script variable: empty, null, a 32- or 64-bit integer, a
/// double, a currency amount, a date-time, a boolean or a string.
///
/// Strings are kept as QString. The stored formats hold them as 8-bit text in the system code
/// page, but nothing an expression does depends on the byte encoding, so the conversion happens
/// once at the file boundary instead of on every operation. Currency is an exact fixed-point
/// amount with four decimals; a date-time counts days since 30 December 1899 with the time of day
/// as the fraction, the way the stored reports and scripts expect.
///
/// The conversions follow the platform's variant rules: booleans count as -1 and 0, the empty
/// value as 0 or "", and a text converts to a number only when all of it is one; anything else
/// raises EvaluationError with the platform's message.
class Variant
{
public:
    static constexpr qint64 currencyScale = 10000;
    /// The longest text an expression may build; far beyond any text a report prints.
    static constexpr qsizetype maximumTextLength = 16 * 1024 * 1024;

    Variant() = default;
    explicit Variant(int value);
    explicit Variant(qint64 value);
    explicit Variant(double value);
    explicit Variant(bool value);
    explicit Variant(const QString &text);
    explicit Variant(const char *) = delete;

    static Variant null();
    /// An integer result, narrowed to Integer when it fits in 32 bits.
    static Variant fromInteger(qint64 value);
    static Variant fromCurrencyUnits(qint64 tenThousandths);
    /// Raises EvaluationError when the amount is outside the currency range.
    static Variant fromCurrency(double amount);
    static Variant fromDate(double daysSince1899);

    VariantType type() const { return m_type; }
    bool isEmpty() const { return m_type == VariantType::Empty; }
    bool isNull() const { return m_type == VariantType::Null; }
    bool isString() const { return m_type == VariantType::String; }
    /// Integer, Int64, Double, Currency or Date.
    bool isNumber() const;

    /// The platform's name of the type, as shown in conversion messages.
    QString typeName() const;
    static QString typeName(VariantType type);

    /// The text of the value: "" for empty and null, "True"/"False", numbers in their shortest
    /// exact form with "." as the decimal separator, dates as yyyy-MM-dd [HH:mm:ss].
    QString toString() const;
    double toDouble() const;
    /// Rounded to the nearest integer, ties to even.
    qint64 toInt64() const;
    bool toBool() const;

    qint64 currencyUnits() const { return m_integer; }

    /// Same type and same contents; for tests and containers, not the "=" operator.
    friend bool operator==(const Variant &a, const Variant &b);

private:
    explicit Variant(VariantType type)
        : m_type(type)
    {}

    VariantType m_type = VariantType::Empty;
    qint64 m_integer = 0; // Integer, Int64, Boolean (0/1) and Currency (scaled)
    double m_real = 0;    // Double and Date
    QString m_text;
};

/// The conversion error of the platform, e.g. "Could not convert variant of type (String) into
/// type (Double)".
[[noreturn]] void throwConversionError(VariantType from, VariantType to);

/// A double formatted the way the platform shows it: up to 15 significant digits, "." as decimal
/// separator, exponent form "1E20" only for very large or small magnitudes.
QString formatDouble(double value);

/// Rounds to the nearest integer with ties to even; raises EvaluationError when the value is not
/// finite or does not fit in 64 bits.
qint64 roundToInt64(double value);

/// Reads a whole text as a number (blanks around it allowed). Returns false when it is not one.
bool parseNumber(QStringView text, double &value);

} // namespace tovren::script
