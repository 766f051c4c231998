#pragma once

#include "report/designer/DesignUnits.h"
#include "report/dialogs/InspectorRow.h"

#include <functional>
#include <optional>

namespace tovren::model {
class TqxPage;
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// Writes a value committed in the inspector to the selected objects or to the page.
///
/// The row's text is read by its kind and lengths go back from the designer's unit to pixels;
/// a text that does not convert is refused with a message naming the property, before anything
/// is written. Objects keep their locks: a locked position takes no Left or Top, a locked size
/// no Width or Height, and a name is taken only when no other object of the report has it and
/// the object may be modified; renaming also renames the child-band and master references to
/// it.
class PropertyCommit
{
public:
    struct Outcome
    {
        /// Whether anything was written.
        bool changed = false;
        /// Whether the page lost its objects (a new page type); their undo steps are void.
        bool pageCleared = false;
        /// Why the value was refused or left some objects unchanged; empty when it was not.
        QString problem;
    };

    PropertyCommit(model::TqxPages &pages, model::TqxPage &page, DesignUnit units);

    /// Writes @p row's value to every selected object of the page. @p beforeChange runs once,
    /// before the first object changes (the designer records its undo step there).
    Outcome toSelection(const dialogs::InspectorRow &row,
                        const std::function<void()> &beforeChange) const;

    /// Whether writing @p row to the page first clears the page's objects: a new page type on a
    /// page that holds objects. The designer asks before it commits.
    bool clearsPage(const dialogs::InspectorRow &row) const;
    /// Writes @p row's value to the page (clearing it as clearsPage() says) and re-applies its
    /// paper.
    Outcome toPage(const dialogs::InspectorRow &row) const;

    /// The value the model takes for @p row, lengths in pixels; nothing when the text does not
    /// convert. @p propertyKind is the property's own kind.
    std::optional<script::Variant> modelValue(const dialogs::InspectorRow &row,
                                              quint16 propertyKind) const;
    static QString refusal(const dialogs::InspectorRow &row);

private:
    QString rename(model::TqxView &view, const QString &newName) const;
    bool nameTaken(const QString &name, const model::TqxView &except) const;

    model::TqxPages &m_pages;
    model::TqxPage &m_page;
    DesignUnit m_units;
};

} // namespace tovren::designer
