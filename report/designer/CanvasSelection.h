#pragma once

#include <QRegion>
#include <QtGlobal>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The selection of the shown page, kept in the objects' own Selected flags (so it survives
/// whatever reorders the object list), and the focus object: the object selected first, the
/// reference object of the alignment commands.
///
/// It holds no object pointers beyond the focus object, which deleting objects must clear
/// through setFocusObject() or deselectAll().
class CanvasSelection
{
public:
    explicit CanvasSelection(model::TqxPage *page = nullptr)
        : m_page(page)
    {}

    void setPage(model::TqxPage *page);
    model::TqxPage *page() const { return m_page; }

    int count() const;
    bool isEmpty() const { return count() == 0; }
    /// The selected objects in list (z) order.
    std::vector<model::TqxView *> objects() const;
    /// The object when exactly one is selected, else null.
    model::TqxView *single() const;
    /// The highest list index whose object is selected, or the last index when none is.
    qsizetype lastSelectedIndex() const;

    void deselectAll();
    /// Every object of the page, bands included.
    void selectAll();
    void selectOnly(model::TqxView &view);
    void add(model::TqxView &view);
    void toggle(model::TqxView &view);

    model::TqxView *focusObject() const { return m_focus; }
    void setFocusObject(model::TqxView *view) { m_focus = view; }
    /// After a click: none with nothing selected, the object when exactly one is, and none when
    /// the focus object was just unselected.
    void updateFocusAfterClick();

    /// The union of the selected objects' drawn areas, grown by 10 pixels when @p extended.
    QRegion area(bool extended) const;

private:
    model::TqxPage *m_page;
    model::TqxView *m_focus = nullptr;
};

} // namespace tovren::designer
