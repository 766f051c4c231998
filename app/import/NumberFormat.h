#pragma once

#include <QString>

namespace tovren::import {

/// Turns a numeric cell into the text a spreadsheet program shows for it, given the cell's
/// number format (a built-in format number and, for custom formats, the format code).
///
/// Dates and times follow their format code (built-in 14 reads "yyyy/m/d" as on Chinese
/// systems); percentages and fixed decimals keep their decimals; everything else uses the
/// general form, in which an integer stays an integer ("3", not "3.0").
class NumberFormat
{
public:
    NumberFormat() = default;
    NumberFormat(int builtinId, QString code);

    bool isDateOrTime() const { return m_isDate; }
    QString format(double value) const;

    /// The general form: at most 15 significant digits, no trailing zeros.
    static QString general(double value);

private:
    QString formatDate(double serial) const;
    QString formatFixed(double value) const;

    QString m_code;
    bool m_isDate = false;
};

} // namespace tovren::import
