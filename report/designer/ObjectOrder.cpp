#include "report/designer/ObjectOrder.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <functional>

namespace tovren::designer {

namespace {

int bandTypeOf(const model::TqxView &view)
{
    const auto *band = dynamic_cast<const model::TqxBandView *>(&view);
    return band ? band->bandType() : -1;
}

/// Moves the objects of [first, end) that @p comesFirst accepts before the others, each group
/// keeping its order; returns the index after the accepted ones.
qsizetype stablePartition(model::TqxPage &page, qsizetype first, qsizetype end,
                          const std::function<bool(const model::TqxView &)> &comesFirst)
{
    qsizetype next = first;
    for (qsizetype i = first; i < end; ++i) {
        if (comesFirst(*page.object(i)))
            page.moveObject(i, next++);
    }
    return next;
}

} // namespace

void putBandsFirst(model::TqxPage &page)
{
    const qsizetype bandEnd =
        stablePartition(page, 0, page.objectCount(), [](const auto &view) { return isBand(view); });
    for (qsizetype i = 0; i < bandEnd; ++i) {
        if (bandTypeOf(*page.object(i)) == model::btOverlay) {
            page.moveObject(i, 0);
            break;
        }
    }
    stablePartition(page, 0, bandEnd,
                    [](const auto &view) { return !model::isCrossBand(bandTypeOf(view)); });
}

} // namespace tovren::designer
