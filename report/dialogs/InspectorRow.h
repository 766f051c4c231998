#pragma once

#include "report/model/ColorRef.h"
#include "report/model/TqxPropRec.h"
#include "report/script/Variant.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace tovren::dialogs {

/// One row of the object inspector: a property's name, its value as shown and typed, how the
/// value is read (the PropKind bits) and what the row offers beside the value.
struct InspectorRow
{
    QString name;
    /// The name the clerk sees when it differs from the property's (a localized name).
    QString label;
    QString valueText;
    quint16 kind = 0;
    /// The property's editor dialog; the row has a "..." button exactly when this is set.
    std::function<void()> editor;
    /// Names of an enumeration, and the values that go with them (or none).
    QStringList choices;
    std::vector<script::Variant> choiceValues;

    bool hasDropDown() const
    {
        return kind & (model::pkBoolean | model::pkColor | model::pkEnumeration);
    }
    /// Values of editor-only properties are changed through the editor, never typed.
    bool readOnly() const { return (kind & model::pkHasEditor) && !(kind & model::pkText); }
    /// The entries of the drop-down list: "False" and "True", the colour names or the choices.
    QStringList dropDownEntries() const;
    QString shownName() const { return label.isEmpty() ? name : label; }
};

/// How an inspector row turns a value into its shown text and a typed text back into a value.
///
/// Showing is lenient: a value that does not fit the kind is shown as it is. Reading is strict:
/// a text that does not convert gives no value and problem() says in the clerk's words what the
/// row expects, so the caller refuses it and keeps the old value.
class InspectorValue
{
public:
    /// The text a row of @p row's kind shows for @p value: fractions with two decimals,
    /// booleans as "True" or "False", colours by name or as "$" and six hex digits, coded
    /// enumerations by the name that goes with the code.
    static QString shownText(const InspectorRow &row, const QString &value);

    /// The value the row's text stands for; nothing when it does not convert.
    static std::optional<script::Variant> read(const InspectorRow &row);
    /// What a row of this kind accepts, for the message that refuses a text.
    static QString expectation(const InspectorRow &row);

    /// A colour as "$" and six upper-case hexadecimal digits, or its name.
    static QString colourText(model::ColorRef colour);
    /// A colour name or a number ("$" reads hexadecimal); nothing otherwise.
    static std::optional<model::ColorRef> readColour(const QString &text);
    /// The next value of a boolean or enumeration row for a double click, wrapping around.
    static QString steppedText(const InspectorRow &row);
};

} // namespace tovren::dialogs
