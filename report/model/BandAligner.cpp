#include "report/model/BandAligner.h"

#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <algorithm>

namespace tovren::model {

namespace {

/// The baLeft neighbour with the greatest Left before @p view.
const TqxView *leftNeighbour(const TqxView &view, const BandAlignArea &area)
{
    const TqxView *found = nullptr;
    for (const TqxView *other : area.neighbours) {
        if (other == &view || other->BandAlign != baLeft || other->Left >= view.Left)
            continue;
        // Later candidates with an equal Left win, as in a list sorted by Left.
        if (!found || other->Left >= found->Left)
            found = other;
    }
    return found;
}

/// The baRight neighbour with the smallest Left after @p view.
const TqxView *rightNeighbour(const TqxView &view, const BandAlignArea &area)
{
    const TqxView *found = nullptr;
    for (const TqxView *other : area.neighbours) {
        if (other == &view || other->BandAlign != baRight || other->Left <= view.Left)
            continue;
        if (!found || other->Left < found->Left)
            found = other;
    }
    return found;
}

} // namespace

void applyBandAlignment(TqxView &view, const BandAlignArea &area)
{
    const bool designing = runState().drawingMode == DrawingMode::Designing;
    const DesignPixels areaWidth = area.right - area.left;
    const TqxBandView *band = area.containingBand;
    switch (view.BandAlign) {
    case baLeft: {
        const TqxView *neighbour = leftNeighbour(view, area);
        view.Left = neighbour ? neighbour->Left + neighbour->Width : area.left;
        break;
    }
    case baRight: {
        const TqxView *neighbour = rightNeighbour(view, area);
        view.Left = neighbour ? neighbour->Left - view.Width - 1 : area.right - view.Width;
        break;
    }
    case baCenter:
        view.Left = area.left + (areaWidth - view.Width) / 2;
        break;
    case baWidth:
        if (designing) {
            if (band && isCrossBand(band->bandType())) {
                view.Left = band->Left;
                view.Width = band->Width;
            } else {
                view.Left = area.left;
                view.Width = areaWidth;
            }
        } else if (!area.bandBeingPrinted) {
            view.Left = area.left;
            view.Width = std::max(areaWidth - 1, 0);
        }
        break;
    case baBottom:
        if (designing && band)
            view.Top = band->Top + band->Height - view.Height;
        break;
    case baTop:
        if (designing && band)
            view.Top = band->Top;
        break;
    case baRest: {
        const TqxView *before = leftNeighbour(view, area);
        const TqxView *after = rightNeighbour(view, area);
        view.Left = before ? before->Left + before->Width : area.left;
        view.Width = std::max((after ? after->Left : area.right) - view.Left, 0);
        break;
    }
    default:
        break;
    }
}

const TqxBandView *FindContainingBand(const TqxView &view, const TqxPage &page)
{
    const TqxBandView *found = nullptr;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const auto *band = dynamic_cast<const TqxBandView *>(page.object(i));
        if (band && view.Left >= band->Left && view.Left <= band->Left + band->Width &&
            view.Top >= band->Top && view.Top <= band->Top + band->Height)
            found = band;
    }
    return found;
}

BandAlignArea designAlignArea(const TqxView &view, const TqxPage &page)
{
    BandAlignArea area;
    area.left = page.LeftEdge();
    area.right = page.RightEdge();
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const TqxView *other = page.object(i);
        if (other != &view && other->ObjectKind != okBand && other->Top == view.Top)
            area.neighbours.push_back(other);
    }
    area.containingBand = FindContainingBand(view, page);
    return area;
}

} // namespace tovren::model
