#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace tovren::preview {

/// How the preview fits pages on screen: a fixed factor, the current page's width, one whole
/// page or two pages side by side.
enum class ZoomMode : int { Fixed = 0, PageWidth = 1, WholePage = 2, TwoPages = 3 };

/// Places prepared pages in rows inside a view of a given size.
///
/// It turns the zoom mode into a scale taken from the current page, then lays the pages out
/// left to right with 10-pixel gaps, wrapping when a row is full; a lone page narrower than the
/// view is centred. The result says how far the content overhangs the view.
class PreviewLayout
{
public:
    struct Result
    {
        double scale = 1.0;
        QList<QRect> pageRects;
        /// Right and bottom edge of everything laid out.
        QSize extent;
    };

    /// @p paperSizes are the pages' sizes in report pixels; @p currentIndex picks the page the
    /// fitting modes measure. A page size of 0 keeps the scale it was given.
    static Result layOut(const QList<QSize> &paperSizes, int currentIndex, const QSize &view,
                         ZoomMode mode, double fixedScale);
};

} // namespace tovren::preview
