#include "report/designer/CanvasSelection.h"

#include "report/model/TqxPage.h"

namespace tovren::designer {

void CanvasSelection::setPage(model::TqxPage *page)
{
    m_page = page;
    m_focus = nullptr;
}

int CanvasSelection::count() const
{
    int selected = 0;
    for (qsizetype i = 0; m_page && i < m_page->objectCount(); ++i)
        selected += m_page->object(i)->Selected ? 1 : 0;
    return selected;
}

std::vector<model::TqxView *> CanvasSelection::objects() const
{
    std::vector<model::TqxView *> selected;
    for (qsizetype i = 0; m_page && i < m_page->objectCount(); ++i) {
        if (m_page->object(i)->Selected)
            selected.push_back(m_page->object(i));
    }
    return selected;
}

model::TqxView *CanvasSelection::single() const
{
    const std::vector<model::TqxView *> selected = objects();
    return selected.size() == 1 ? selected.front() : nullptr;
}

qsizetype CanvasSelection::lastSelectedIndex() const
{
    if (!m_page)
        return -1;
    for (qsizetype i = m_page->objectCount() - 1; i >= 0; --i) {
        if (m_page->object(i)->Selected)
            return i;
    }
    return m_page->objectCount() - 1;
}

void CanvasSelection::deselectAll()
{
    for (qsizetype i = 0; m_page && i < m_page->objectCount(); ++i)
        m_page->object(i)->Selected = false;
    m_focus = nullptr;
}

void CanvasSelection::selectAll()
{
    for (qsizetype i = 0; m_page && i < m_page->objectCount(); ++i)
        m_page->object(i)->Selected = true;
}

void CanvasSelection::selectOnly(model::TqxView &view)
{
    deselectAll();
    view.Selected = true;
    m_focus = &view;
}

void CanvasSelection::add(model::TqxView &view)
{
    view.Selected = true;
}

void CanvasSelection::toggle(model::TqxView &view)
{
    view.Selected = !view.Selected;
}

void CanvasSelection::updateFocusAfterClick()
{
    const int selected = count();
    if (selected == 0)
        m_focus = nullptr;
    else if (selected == 1)
        m_focus = single();
    else if (m_focus && !m_focus->Selected)
        m_focus = nullptr;
}

QRegion CanvasSelection::area(bool extended) const
{
    QRegion region;
    for (const model::TqxView *view : objects())
        region += view->GetClipRegion(extended);
    return region;
}

} // namespace tovren::designer
