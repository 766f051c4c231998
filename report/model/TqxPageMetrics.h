#pragma once

#include "report/model/Units.h"

namespace tovren::model {

/// Paper size, unprintable offsets and printable area of a sheet on the selected printer, in
/// device pixels and in design pixels. Template pages and prepared pages each keep one; the
/// printer layer fills it, in this field order (stored files rely on it).
struct TqxPageMetrics
{
    DevicePixels DevPaperWidth = 0;
    DevicePixels DevPaperHeight = 0;
    DesignPixels PaperWidthPx = 0;
    DesignPixels PaperHeightPx = 0;
    DevicePixels DevOffsetX = 0;
    DevicePixels DevOffsetY = 0;
    DesignPixels OffsetX = 0;
    DesignPixels OffsetY = 0;
    DevicePixels DevPrintWidth = 0;
    DevicePixels DevPrintHeight = 0;
    DesignPixels PrintWidthPx = 0;
    DesignPixels PrintHeightPx = 0;

    friend bool operator==(const TqxPageMetrics &, const TqxPageMetrics &) = default;
};

} // namespace tovren::model
