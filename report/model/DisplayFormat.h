#pragma once

#include "report/script/Variant.h"

#include <QString>

namespace tovren::model {

/// The parts of a text object's 32-bit display format code.
enum DisplayCategory : qint32 {
    dcText = 0,
    dcNumber = 1,
    dcDate = 2,
    dcTime = 3,
    dcBoolean = 4,
};

/// Index 4 of every category means "use the custom format string".
inline constexpr qint32 kCustomFormatIndex = 4;

inline constexpr qint32 displayFormatCode(qint32 category, qint32 index, qint32 decimals,
                                          QChar separator)
{
    return (category << 24) | (index << 16) | (decimals << 8) | (separator.unicode() & 0xFF);
}
inline constexpr qint32 displayCategory(qint32 code)
{
    return (code >> 24) & 0x0F;
}
inline constexpr qint32 displayIndex(qint32 code)
{
    return (code >> 16) & 0xFF;
}
inline constexpr qint32 displayDecimals(qint32 code)
{
    return (code >> 8) & 0xFF;
}
inline constexpr QChar displaySeparator(qint32 code)
{
    return QChar(char16_t(code & 0xFF));
}

/// A bracketed expression with the format it prints with.
struct BracketFormat
{
    QString expression;
    qint32 code = 0;
    QString custom;
};

/// Splits "expression #format" into the expression and its own format; a bracket without a
/// format of its own keeps @p objectCode and @p objectCustom.
BracketFormat splitBracketFormat(const QString &bracket, qint32 objectCode,
                                 const QString &objectCustom);

/// The text a value prints as under a display format code. A value that does not convert to
/// what the format needs prints as its plain text instead of failing the report.
QString FormatDisplayValue(const script::Variant &value, qint32 code, const QString &custom);

} // namespace tovren::model
