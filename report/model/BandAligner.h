#pragma once

#include "report/model/Units.h"

#include <vector>

namespace tovren::model {

class TqxBandView;
class TqxPage;
class TqxView;

/// Where an object is aligned: the printable edges of its page, the objects on its row and
/// the band that contains it.
struct BandAlignArea
{
    DesignPixels left = 0;
    DesignPixels right = 0;
    /// Non-band objects whose Top equals the aligned object's Top (the object itself may be
    /// among them; it is skipped).
    std::vector<const TqxView *> neighbours;
    const TqxBandView *containingBand = nullptr;
    /// The builder is printing a band, which then decides widths itself.
    bool bandBeingPrinted = false;
};

/// Applies @p view's BandAlign against @p area. The rules for designing and building follow
/// RunState::drawingMode; widths never become negative.
void applyBandAlignment(TqxView &view, const BandAlignArea &area);

/// The area of @p view on @p page as the designer sees it.
BandAlignArea designAlignArea(const TqxView &view, const TqxPage &page);

/// The last band of @p page whose rectangle, edges included, holds @p view's top-left corner.
const TqxBandView *FindContainingBand(const TqxView &view, const TqxPage &page);

} // namespace tovren::model
