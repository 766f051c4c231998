#pragma once

#include "report/preview/PreviewLayout.h"

namespace tovren::preview {

/// The zoom the last preview was left at, so the next preview in the same run opens with it.
struct PreviewZoomMemory
{
    double scale = 1.0;
    ZoomMode mode = ZoomMode::Fixed;

    /// The library-wide memory; every preview starts from it and the zoom menu writes it.
    static PreviewZoomMemory &last();
};

} // namespace tovren::preview
