#pragma once

#include "report/model/PaperSelector.h"
#include "report/model/TqxPageMetrics.h"

#include <QMargins>
#include <QRect>

class QPainter;

namespace tovren::output {

/// How one page wants to be put on paper: its sheet, its margins and whether it is stretched
/// over the printable area instead of laid on the whole sheet.
struct PrintablePageSetup
{
    model::SheetRequest sheet;
    /// Left, top, right and bottom margins in design pixels.
    QMargins marginsDesignPx;
    bool stretchToPrintArea = false;
};

/// What the print loop needs of a set of prepared pages.
///
/// The loop asks for pages by 0-based index, in ascending order, and releases each page right
/// after drawing it, so a store may load a page's objects on demand and drop them again.
class PrintablePages
{
public:
    virtual ~PrintablePages() = default;

    virtual int pageCount() const = 0;
    virtual PrintablePageSetup pageSetup(int index) const = 0;
    /// Keeps the metrics of the sheet the printer accepted for the page.
    virtual void setPageMetrics(int index, const model::TqxPageMetrics &metrics) = 0;
    /// Draws every object of the page, without culling, scaled into @p targetDevicePixels of
    /// the painter's device.
    virtual void drawPage(int index, QPainter &painter, const QRect &targetDevicePixels) = 0;
    /// Frees what drawing the page loaded.
    virtual void releasePage(int index) = 0;
};

} // namespace tovren::output
