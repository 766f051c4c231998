#pragma once

#include "report/designer/CanvasHitTest.h"
#include "report/designer/CanvasSelection.h"
#include "report/designer/DesignerHost.h"
#include "report/designer/GroupBox.h"
#include "report/designer/KeyboardNudge.h"
#include "report/designer/SplitLine.h"
#include "report/designer/TrackingRect.h"

#include <QLine>
#include <QRegion>
#include <QSize>
#include <optional>

namespace tovren::model {
class ObjectRegistry;
class TqxPage;
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

class CanvasGrid;

/// A mouse event on the canvas, in canvas coordinates.
struct PointerInput
{
    QPoint point;
    QPoint globalPoint;
    /// The button pressed or released; none for a move.
    Qt::MouseButton button = Qt::NoButton;
    /// The buttons held after the event.
    Qt::MouseButtons buttons = Qt::NoButton;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

/// What the canvas shows over the page, from the state of the mouse work; painted as an
/// overlay, so nothing of it is ever left on the page.
struct CanvasFeedback
{
    /// The selection rectangle, the frame of a new object or the hover frame of a tool.
    std::optional<TrackingRect> frame;
    bool frameSelects = false;
    /// The line being drawn with the line tool.
    std::optional<QLine> drawnLine;
    double drawnLineWidthPixels = 1;
    std::optional<QLine> splitLine;
    /// Outlines of the selected objects at their current places (dragging without repainting).
    bool outlines = false;
    bool handles = false;
    /// The corner object of a multiple selection, whose bottom-right handle resizes the group.
    qsizetype cornerIndex = -1;
};

/// The page canvas's one state machine for all mouse and keyboard work on a page: selecting
/// (with Shift and by a rectangle), inserting with the tools, moving, resizing by a handle or
/// as a group, moving the split line between neighbours, nudging with the arrow keys and
/// deleting, with the objects' restrictions honoured.
///
/// It changes the page's objects directly and tells the designer through DesignerHost. It
/// knows no widget: the canvas widget feeds it events, paints takeDirtyRegion() and
/// feedback(), shows cursor() and scrolls to takeAutoScrollPoint().
class CanvasStateMachine
{
public:
    CanvasStateMachine(DesignerHost &host, model::ObjectRegistry &registry);

    /// Shows page @p pageIndex of @p pages (null for none): the selection is cleared, the mouse
    /// state reset and the bands put first in its object list.
    void setPage(model::TqxPages *pages, qsizetype pageIndex);
    model::TqxPage *page() const;
    /// The canvas's size; the band tool's frame spans its width.
    void setCanvasSize(QSize pixels) { m_canvasSize = pixels; }

    CanvasSelection &selection() { return m_selection; }
    const CanvasSelection &selection() const { return m_selection; }
    const GroupBox &groupBox() const { return m_groupBox; }
    /// Recomputes the group box after the selection changed from outside.
    void computeGroupBox();

    void press(const PointerInput &input);
    void move(const PointerInput &input);
    void release(const PointerInput &input);
    /// Opens the editor of the only selected object (the text editor when Ctrl was held), or
    /// the page's editor with nothing selected. The event takes the place of the second press.
    void doubleClick(const PointerInput &input);
    void leave();
    /// A tool button was pressed: the next move over the canvas arms the tool.
    void toolChanged();
    /// Clears the mouse button state (ResetMouseState).
    void resetMouseState();
    /// Esc with no button held: the select tool, no frame, nothing selected. Returns whether it
    /// applied.
    bool cancel();

    /// A field dragged from the field list over the canvas: a text object's frame follows it.
    void fieldDragOver(QPoint point);
    void fieldDragLeave();
    /// Inserts a text object showing "[" + @p fieldReference + "]" at the frame; returns it.
    model::TqxView *dropField(const QString &fieldReference);

    /// Arrow keys with the selection; returns whether the key was used.
    bool arrowKey(ArrowKey key, Qt::KeyboardModifiers modifiers);
    void deleteSelection();
    /// Enter and Ctrl+Enter: the editor or text editor of the only selected object.
    void editSelection(bool textEditor);

    CanvasCursor cursor() const { return m_cursor; }
    CanvasFeedback feedback() const;
    bool isMouseDown() const { return m_mouseDown; }
    /// The page area whose drawing changed since the last call.
    QRegion takeDirtyRegion();
    /// The point the scroll box should bring into view after a drag step, once.
    std::optional<QPoint> takeAutoScrollPoint();

private:
    enum class Drag { None, Rectangle, Line, Move, ResizeOne, ResizeGroup, Split };

    CanvasGrid gridFor(const PointerInput &input) const;
    CanvasOptions options() const;
    bool isReportPage() const;

    void startRectangle(QPoint point, bool forInsertion);
    void startLine(QPoint point);
    void clickObject(const PointerInput &input);
    void hover(const PointerInput &input, const CanvasGrid &grid);
    void hoverSelection(QPoint point);
    void drag(const PointerInput &input, const CanvasGrid &grid);
    void dragSelection(const PointerInput &input, QPoint delta);

    void finishInsertion();
    model::TqxView *insertAtWorkRect(ObjectTool tool, bool mayOpenEditor);
    void finishLine();
    void finishSelectionRectangle();
    void finishSplit();
    void finishSelectionDrag();

    void openEditor(model::TqxView &view, bool textEditor);
    /// Marks the selection's area as changed around @p change.
    template<typename Change>
    void changeSelection(Change change);
    void resetGroup();

    DesignerHost &m_host;
    model::ObjectRegistry &m_registry;
    model::TqxPages *m_pages = nullptr;
    qsizetype m_pageIndex = -1;
    QSize m_canvasSize;

    CanvasSelection m_selection;
    GroupBox m_groupBox;
    CanvasCursor m_cursor = CanvasCursor::Arrow;
    Drag m_drag = Drag::None;

    bool m_mouseDown = false;
    bool m_hasMoved = false;
    bool m_firstMovePending = false;
    bool m_bandPickupPending = false;
    bool m_ctrlAtPress = false;
    /// An insertion tool is armed and its frame follows the mouse (ToolState 0).
    bool m_toolArmed = false;
    bool m_hoverFrameShown = false;
    bool m_fieldDrag = false;
    /// The selection changed its geometry in the current drag.
    bool m_geometryChanged = false;
    ResizeHandle m_activeHandle = ResizeHandle::None;
    QPoint m_anchor;
    TrackingRect m_workRect;
    TrackingRect m_groupStartRect;
    std::optional<SplitLine> m_split;
    int m_splitLineX = 0;

    QRegion m_dirty;
    std::optional<QPoint> m_autoScrollPoint;
};

} // namespace tovren::designer
