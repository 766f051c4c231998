#pragma once

#include <QSize>
#include <memory>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The alignment palette, the drawing order and fit to grid, as they change the selected
/// objects of a page. Objects whose position (or size) is locked never move (or change size).
/// The caller records the undo step before and repaints after; each returns false when the
/// selection does not meet the command's need and nothing changed.
class ArrangeCommands
{
public:
    /// The palette's buttons, in their order.
    enum class Alignment {
        LeftEdges = 1,
        HorizontalCentres,
        CentreOnPageHorizontally,
        SpaceEvenlyHorizontally,
        RightEdges,
        Tops,
        VerticalCentres,
        CentreOnPageVertically,
        SpaceEvenlyVertically,
        Bottoms,
    };

    /// @p reference is the object the others line up with: the focus object when there is one,
    /// else the last selected; @p canvasSize is the page's size in pixels.
    ArrangeCommands(model::TqxPage &page, model::TqxView *reference, QSize canvasSize)
        : m_page(page)
        , m_reference(reference)
        , m_canvasSize(canvasSize)
    {}

    bool align(Alignment alignment);
    bool bringToFront();
    bool sendToBack();
    /// Rounds every selected object's place and size to the grid (halves to the even step); a
    /// size that would vanish becomes one step.
    bool fitToGrid(int gridSizePixels);

private:
    bool alignBandRow(bool toRight);
    bool spaceEvenly(bool horizontally);
    bool centreOnPage(bool horizontally);
    /// Takes the selected objects that may move out of the page, last one first.
    std::vector<std::unique_ptr<model::TqxView>> takeMovableSelection();

    model::TqxPage &m_page;
    model::TqxView *m_reference;
    QSize m_canvasSize;
};

} // namespace tovren::designer
