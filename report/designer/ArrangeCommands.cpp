#include "report/designer/ArrangeCommands.h"

#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxPage.h"

#include <QSize>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tovren::designer {

namespace {

using model::TqxView;

std::vector<TqxView *> selectedOf(const model::TqxPage &page)
{
    std::vector<TqxView *> selected;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        if (page.object(i)->Selected)
            selected.push_back(page.object(i));
    }
    return selected;
}

int rightOf(const TqxView &view)
{
    return view.Left + view.Width;
}

int roundToGrid(int value, int step)
{
    return int(std::nearbyint(double(value) / step)) * step;
}

} // namespace

bool ArrangeCommands::align(Alignment alignment)
{
    const std::vector<TqxView *> selected = selectedOf(m_page);
    const auto hasBand = std::any_of(selected.begin(), selected.end(), [](const TqxView *view) {
        return view->ObjectKind == model::okBand;
    });
    if ((alignment == Alignment::LeftEdges || alignment == Alignment::RightEdges) && hasBand)
        return alignBandRow(alignment == Alignment::RightEdges);
    switch (alignment) {
    case Alignment::CentreOnPageHorizontally:
        return centreOnPage(true);
    case Alignment::CentreOnPageVertically:
        return centreOnPage(false);
    case Alignment::SpaceEvenlyHorizontally:
        return spaceEvenly(true);
    case Alignment::SpaceEvenlyVertically:
        return spaceEvenly(false);
    default:
        break;
    }
    if (selected.size() < 2 || !m_reference)
        return false;
    const TqxView &r = *m_reference;
    for (TqxView *view : selected) {
        if (!mayMove(*view))
            continue;
        switch (alignment) {
        case Alignment::LeftEdges:
            view->Left = r.Left;
            break;
        case Alignment::HorizontalCentres:
            view->Left = r.Left + r.Width / 2 - view->Width / 2;
            break;
        case Alignment::RightEdges:
            view->Left = r.Left + r.Width - view->Width;
            break;
        case Alignment::Tops:
            view->Top = r.Top;
            break;
        case Alignment::VerticalCentres:
            view->Top = r.Top + r.Height / 2 - view->Height / 2;
            break;
        case Alignment::Bottoms:
            view->Top = r.Top + r.Height - view->Height;
            break;
        default:
            break;
        }
    }
    return true;
}

bool ArrangeCommands::centreOnPage(bool horizontally)
{
    const std::vector<TqxView *> selected = selectedOf(m_page);
    if (selected.empty())
        return false;
    int low = INT_MAX;
    int high = INT_MIN;
    for (const TqxView *view : selected) {
        low = std::min(low, horizontally ? view->Left : view->Top);
        high = std::max(high, horizontally ? rightOf(*view) : view->Top + view->Height);
    }
    const int extent = horizontally ? m_canvasSize.width() : m_canvasSize.height();
    const int shift = low + (high - low - extent) / 2;
    for (TqxView *view : selected) {
        if (mayMove(*view))
            (horizontally ? view->Left : view->Top) -= shift;
    }
    return true;
}

bool ArrangeCommands::spaceEvenly(bool horizontally)
{
    std::vector<TqxView *> selected = selectedOf(m_page);
    if (selected.size() < 3)
        return false;
    // By the coordinate as a number, so objects left of or above the page sort first; objects
    // on the same coordinate keep the reverse of their list order, as they always have.
    std::reverse(selected.begin(), selected.end());
    const auto coordinate = [horizontally](const TqxView *view) {
        return horizontally ? view->Left : view->Top;
    };
    std::stable_sort(selected.begin(), selected.end(), [&](const TqxView *a, const TqxView *b) {
        return coordinate(a) < coordinate(b);
    });
    const int step =
        (coordinate(selected.back()) - coordinate(selected.front())) / int(selected.size() - 1);
    for (size_t i = 1; i + 1 < selected.size(); ++i) {
        if (!mayMove(*selected[i]))
            continue;
        (horizontally ? selected[i]->Left : selected[i]->Top) = coordinate(selected[i - 1]) + step;
    }
    return true;
}

bool ArrangeCommands::alignBandRow(bool toRight)
{
    const std::vector<TqxView *> selected = selectedOf(m_page);
    const auto band = std::find_if(selected.begin(), selected.end(), [](const TqxView *view) {
        return view->ObjectKind == model::okBand;
    });
    const TqxView &b = **band;
    std::vector<TqxView *> row;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        TqxView *view = m_page.object(i);
        if (view->ObjectKind != model::okBand && view->Top >= b.Top &&
            view->Top + view->Height <= b.Top + b.Height)
            row.push_back(view);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const TqxView *a, const TqxView *c) { return a->Left < c->Left; });
    // The outermost selected object of the row gives the row its line.
    const TqxView *outermost = nullptr;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const TqxView *view = *it;
        if (view->ObjectKind == model::okBand)
            continue;
        if (!outermost ||
            (toRight ? rightOf(*view) > rightOf(*outermost) : view->Left < outermost->Left))
            outermost = view;
    }
    if (!outermost)
        return false;
    const int top = outermost->Top;
    if (!toRight) {
        int x = m_page.LeftEdge();
        for (TqxView *view : row) {
            if (view->Selected && mayMove(*view)) {
                view->Left = x;
                view->Top = top;
            }
            x += view->Width;
        }
    } else {
        int x = m_page.RightEdge();
        for (auto it = row.rbegin(); it != row.rend(); ++it) {
            TqxView *view = *it;
            if (view->Selected && mayMove(*view)) {
                view->Left = x - view->Width;
                view->Top = top;
            }
            x -= view->Width;
        }
    }
    return true;
}

std::vector<std::unique_ptr<TqxView>> ArrangeCommands::takeMovableSelection()
{
    std::vector<qsizetype> moving;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        const TqxView &view = *m_page.object(i);
        if (view.Selected && mayMove(view))
            moving.push_back(i);
    }
    // Taken out back to front, so the indexes still to take stay valid.
    std::vector<std::unique_ptr<TqxView>> taken;
    for (auto it = moving.rbegin(); it != moving.rend(); ++it)
        taken.push_back(m_page.takeObject(*it));
    return taken;
}

bool ArrangeCommands::bringToFront()
{
    std::vector<std::unique_ptr<TqxView>> taken = takeMovableSelection();
    if (taken.empty())
        return false;
    // Appended front to back: the moved objects keep their order.
    for (auto it = taken.rbegin(); it != taken.rend(); ++it)
        m_page.addObject(std::move(*it));
    putBandsFirst(m_page);
    return true;
}

bool ArrangeCommands::sendToBack()
{
    std::vector<std::unique_ptr<TqxView>> taken = takeMovableSelection();
    if (taken.empty())
        return false;
    for (auto &view : taken)
        m_page.insertObject(0, std::move(view));
    putBandsFirst(m_page);
    return true;
}

bool ArrangeCommands::fitToGrid(int gridSizePixels)
{
    if (gridSizePixels <= 0)
        return false;
    bool changed = false;
    for (TqxView *view : selectedOf(m_page)) {
        // A locked place or size is the clerk's decision; the grid does not overrule it.
        if (mayMove(*view)) {
            view->Left = roundToGrid(view->Left, gridSizePixels);
            view->Top = roundToGrid(view->Top, gridSizePixels);
        }
        if (mayResize(*view)) {
            view->Width = roundToGrid(view->Width, gridSizePixels);
            view->Height = roundToGrid(view->Height, gridSizePixels);
            if (view->Width == 0)
                view->Width = gridSizePixels;
            if (view->Height == 0)
                view->Height = gridSizePixels;
        }
        changed = true;
    }
    return changed;
}

} // namespace tovren::designer
