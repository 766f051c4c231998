#include "report/designer/GroupBox.h"

#include "report/model/TqxPage.h"

#include <algorithm>

namespace tovren::designer {

void GroupBox::reset()
{
    m_valid = false;
    m_cornerIndex = -1;
    m_origin = QPoint(kNoOrigin, kNoOrigin);
    m_saved.clear();
}

void GroupBox::compute(const model::TqxPage &page)
{
    reset();
    int selected = 0;
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        selected += page.object(i)->Selected ? 1 : 0;
    if (selected < 2)
        return;
    const model::TqxView *corner = nullptr;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (!view.Selected)
            continue;
        m_saved.push_back({&view, QRect(view.Left, view.Top, view.Width, view.Height)});
        const int right = view.Left + view.Width;
        const int bottom = view.Top + view.Height;
        const int cornerRight = corner ? corner->Left + corner->Width : 0;
        const int cornerBottom = corner ? corner->Top + corner->Height : 0;
        if (!corner || right > cornerRight || (right == cornerRight && bottom > cornerBottom)) {
            corner = &view;
            m_cornerIndex = i;
        }
        m_origin = QPoint(std::min(m_origin.x(), view.Left), std::min(m_origin.y(), view.Top));
    }
    m_start = TrackingRect{m_origin.x(), m_origin.y(), corner->Left + corner->Width,
                           corner->Top + corner->Height};
    m_valid = true;
}

} // namespace tovren::designer
