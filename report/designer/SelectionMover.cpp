#include "report/designer/SelectionMover.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxPage.h"

namespace tovren::designer {

bool SelectionMover::moveBy(const std::vector<model::TqxView *> &objects, QPoint delta)
{
    bool moved = false;
    for (model::TqxView *view : objects) {
        if (!mayMove(*view))
            continue;
        view->Left += delta.x();
        view->Top += delta.y();
        moved = true;
    }
    return moved;
}

bool SelectionMover::picksUpBandObjects(const std::vector<model::TqxView *> &selected, QPoint delta,
                                        bool altHeld)
{
    return selected.size() == 1 && isBand(*selected.front()) && mayMove(*selected.front()) &&
           !delta.isNull() && !altHeld;
}

int SelectionMover::pickUpBandObjects(model::TqxPage &page, const model::TqxView &band)
{
    int added = 0;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (isBand(view) || view.Selected)
            continue;
        const bool inside = view.Left >= band.Left && view.Top >= band.Top &&
                            view.Left + view.Width <= band.Left + band.Width &&
                            view.Top + view.Height <= band.Top + band.Height;
        if (inside) {
            view.Selected = true;
            ++added;
        }
    }
    return added;
}

} // namespace tovren::designer
