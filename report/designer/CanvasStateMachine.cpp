#include "report/designer/CanvasStateMachine.h"

#include "report/designer/CanvasGrid.h"
#include "report/designer/GroupResize.h"
#include "report/designer/ObjectInsertion.h"
#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/designer/SelectionDeletion.h"
#include "report/designer/SelectionMover.h"
#include "report/designer/SelectionResizer.h"
#include "report/model/TqxPages.h"

#include <cstdlib>

namespace tovren::designer {

namespace {

/// The mouse leaving the canvas parks the hover frame this far up and to the left.
constexpr int kOffCanvasPixels = 10000;

bool touches(const model::TqxView &view, const TrackingRect &rect)
{
    return view.Left <= rect.right && view.Left + view.Width >= rect.left &&
           view.Top <= rect.bottom && view.Top + view.Height >= rect.top;
}

bool isSizingCursor(CanvasCursor cursor)
{
    return cursor == CanvasCursor::SizeNwse || cursor == CanvasCursor::SizeNesw ||
           cursor == CanvasCursor::SizeNs || cursor == CanvasCursor::SizeWe;
}

} // namespace

CanvasStateMachine::CanvasStateMachine(DesignerHost &host, model::ObjectRegistry &registry)
    : m_host(host)
    , m_registry(registry)
{}

void CanvasStateMachine::setPage(model::TqxPages *pages, qsizetype pageIndex)
{
    m_pages = pages;
    m_pageIndex = pages && pages->page(pageIndex) ? pageIndex : -1;
    m_selection.setPage(page());
    m_selection.deselectAll();
    resetGroup();
    resetMouseState();
    m_toolArmed = false;
    m_hoverFrameShown = false;
    m_split.reset();
    if (model::TqxPage *shown = page())
        putBandsFirst(*shown);
}

model::TqxPage *CanvasStateMachine::page() const
{
    return m_pages ? m_pages->page(m_pageIndex) : nullptr;
}

CanvasOptions CanvasStateMachine::options() const
{
    return m_host.canvasOptions();
}

CanvasGrid CanvasStateMachine::gridFor(const PointerInput &input) const
{
    return CanvasGrid(options().grid).withAlt(input.modifiers & Qt::AltModifier);
}

bool CanvasStateMachine::isReportPage() const
{
    return page() && page()->PageType == model::TqxPage::ptReport;
}

void CanvasStateMachine::resetGroup()
{
    m_groupBox.reset();
}

void CanvasStateMachine::computeGroupBox()
{
    // The split line found while hovering names objects of the old selection.
    m_split.reset();
    if (!page()) {
        m_groupBox.reset();
        return;
    }
    m_groupBox.compute(*page());
    if (m_groupBox.isValid()) {
        m_workRect = m_groupBox.startRect();
        m_groupStartRect = m_workRect;
    }
}

template<typename Change>
void CanvasStateMachine::changeSelection(Change change)
{
    m_dirty += m_selection.area(true);
    change();
    m_dirty += m_selection.area(true);
}

void CanvasStateMachine::resetMouseState()
{
    m_mouseDown = false;
    m_drag = Drag::None;
    m_activeHandle = ResizeHandle::None;
    m_cursor = CanvasCursor::Arrow;
}

void CanvasStateMachine::toolChanged()
{
    m_cursor = CanvasCursor::Arrow;
    m_hoverFrameShown = false;
    m_toolArmed = false;
}

bool CanvasStateMachine::cancel()
{
    if (m_mouseDown)
        return false;
    m_hoverFrameShown = false;
    m_toolArmed = false;
    resetMouseState();
    m_selection.deselectAll();
    resetGroup();
    m_host.pressSelectTool();
    m_host.selectionChanged();
    return true;
}

// ---- press ---------------------------------------------------------------------------------

void CanvasStateMachine::press(const PointerInput &input)
{
    if (!page())
        return;
    m_ctrlAtPress = input.modifiers & Qt::ControlModifier;
    m_mouseDown = true;
    m_drag = Drag::None;
    m_hasMoved = false;
    m_geometryChanged = false;
    const bool left = input.button == Qt::LeftButton;
    if (left && (m_ctrlAtPress || m_cursor == CanvasCursor::Cross)) {
        startRectangle(input.point, m_cursor == CanvasCursor::Cross);
        return;
    }
    if (left && m_cursor == CanvasCursor::Pencil) {
        startLine(input.point);
        return;
    }
    if (m_cursor == CanvasCursor::Arrow) {
        clickObject(input);
        if (m_drag == Drag::Rectangle)
            return;
    } else if (m_cursor == CanvasCursor::Split) {
        m_drag = m_split ? Drag::Split : Drag::None;
        m_splitLineX = m_split ? m_split->x : 0;
    } else if (isSizingCursor(m_cursor)) {
        m_drag = m_groupBox.isValid() ? Drag::ResizeGroup
                                      : (m_selection.single() ? Drag::ResizeOne : Drag::None);
    }
    if (m_selection.isEmpty())
        resetGroup();
    m_anchor = input.point;
    m_firstMovePending = true;
    m_bandPickupPending = true;
    m_activeHandle = ResizeHandle::None;
    if (input.button == Qt::RightButton) {
        m_mouseDown = false;
        m_drag = Drag::None;
        m_host.selectionChanged();
        m_host.openContextMenu(input.globalPoint);
    }
}

void CanvasStateMachine::startRectangle(QPoint point, bool forInsertion)
{
    if (forInsertion) {
        m_hoverFrameShown = false;
        point = CanvasGrid(options().grid).snap(point);
        // A click without dragging inserts at the hover frame.
        m_groupStartRect = m_workRect;
    }
    m_workRect = TrackingRect::at(point);
    m_selection.deselectAll();
    resetGroup();
    m_drag = Drag::Rectangle;
}

void CanvasStateMachine::startLine(QPoint point)
{
    const CanvasGrid grid(options().grid);
    if (grid.aligning()) {
        const std::optional<QPoint> corner = nearestObjectCorner(*page(), point, grid.stepPixels());
        point = corner ? *corner : grid.snapNearest(point);
    }
    m_workRect = TrackingRect::at(point);
    m_selection.deselectAll();
    resetGroup();
    m_anchor = point;
    m_drag = Drag::Line;
}

void CanvasStateMachine::clickObject(const PointerInput &input)
{
    const qsizetype hit = CanvasHitTest::objectAt(*page(), input.point);
    if (hit < 0) {
        m_selection.deselectAll();
        resetGroup();
        if (input.button == Qt::LeftButton) {
            m_workRect = TrackingRect::at(input.point);
            m_drag = Drag::Rectangle;
        }
        return;
    }
    model::TqxView &view = *page()->object(hit);
    if (input.modifiers & Qt::ShiftModifier)
        m_selection.toggle(view);
    else if (!view.Selected)
        m_selection.selectOnly(view);
    m_selection.updateFocusAfterClick();
    computeGroupBox();
    m_drag = m_selection.isEmpty() ? Drag::None : Drag::Move;
}

// ---- move ----------------------------------------------------------------------------------

void CanvasStateMachine::move(const PointerInput &input)
{
    if (!page())
        return;
    m_hasMoved = true;
    const CanvasGrid grid = gridFor(input);
    if (!m_mouseDown) {
        hover(input, grid);
        return;
    }
    if (m_firstMovePending && m_drag != Drag::Rectangle && m_drag != Drag::Line &&
        grid.quantise(input.point - m_anchor) && !m_selection.isEmpty()) {
        m_firstMovePending = false;
        m_host.recordUndoStep(UndoStepKind::Edit);
    }
    drag(input, grid);
}

void CanvasStateMachine::hover(const PointerInput &input, const CanvasGrid &grid)
{
    const ObjectTool tool = m_host.currentTool();
    if (tool.isLine()) {
        m_toolArmed = false;
        m_cursor = CanvasCursor::Pencil;
        return;
    }
    if (tool.isSelect()) {
        m_toolArmed = false;
        m_cursor = CanvasCursor::Arrow;
        if (m_selection.isEmpty()) {
            m_workRect = TrackingRect::at(input.point);
            m_host.showTrackingRect(m_workRect);
        }
        hoverSelection(input.point);
        return;
    }
    m_toolArmed = true;
    const QPoint corner = grid.snap(input.point);
    if (m_cursor != CanvasCursor::Cross) {
        QSize size = ObjectInsertion::defaultObjectSize(options().grid.stepPixels,
                                                        m_host.lastUsedFormat().fontSizePoints);
        if (tool.tag == ObjectTool::kBand)
            size.setWidth(m_canvasSize.width());
        m_workRect = TrackingRect::fromOrigin(corner, size.width(), size.height());
        m_cursor = CanvasCursor::Cross;
    }
    m_workRect.moveTopLeftTo(corner);
    m_hoverFrameShown = isReportPage();
    m_host.showTrackingRect(m_workRect);
}

void CanvasStateMachine::hoverSelection(QPoint point)
{
    m_split.reset();
    if (model::TqxView *only = m_selection.single()) {
        m_cursor = CanvasHitTest::cursorOverSingle(*only, point);
        return;
    }
    if (!m_groupBox.isValid())
        return;
    if (CanvasHitTest::isOnGroupCorner(*page()->object(m_groupBox.cornerIndex()), point))
        m_cursor = CanvasCursor::SizeNwse;
    m_split = SplitLine::find(m_selection.objects(), point);
    if (m_split) {
        m_cursor = CanvasCursor::Split;
        m_splitLineX = m_split->x;
    }
}

void CanvasStateMachine::drag(const PointerInput &input, const CanvasGrid &grid)
{
    if (m_drag == Drag::Rectangle) {
        const bool inserting = m_cursor == CanvasCursor::Cross;
        const QPoint corner = inserting ? grid.snap(input.point) : input.point;
        m_workRect.right = corner.x();
        m_workRect.bottom = corner.y();
        if (inserting)
            m_host.showTrackingRect(m_workRect.normalised());
        return;
    }
    if (m_drag == Drag::Split) {
        const std::optional<int> dx = grid.quantiseX(input.point.x() - m_anchor.x());
        if (dx && *dx != 0) {
            m_splitLineX += *dx;
            m_anchor.rx() += *dx;
        }
        return;
    }
    const std::optional<QPoint> delta = grid.quantise(input.point - m_anchor);
    if (!delta || delta->isNull())
        return;
    if (m_drag == Drag::Line) {
        m_workRect.right += delta->x();
        m_workRect.bottom += delta->y();
        m_anchor += *delta;
        return;
    }
    dragSelection(input, *delta);
}

void CanvasStateMachine::dragSelection(const PointerInput &input, QPoint delta)
{
    const bool repaint = options().repaintWhileDragging;
    const QRegion before = repaint ? m_selection.area(true) : QRegion();
    switch (m_drag) {
    case Drag::Move: {
        if (m_bandPickupPending) {
            m_bandPickupPending = false;
            const std::vector<model::TqxView *> selected = m_selection.objects();
            if (SelectionMover::picksUpBandObjects(selected, delta,
                                                   input.modifiers & Qt::AltModifier) &&
                SelectionMover::pickUpBandObjects(*page(), *selected.front()) > 0) {
                computeGroupBox();
                m_host.selectionChanged();
            }
        }
        if (!SelectionMover::moveBy(m_selection.objects(), delta))
            return;
        break;
    }
    case Drag::ResizeOne: {
        model::TqxView *view = m_selection.single();
        if (!view || !mayResize(*view))
            return;
        if (m_activeHandle == ResizeHandle::None)
            m_activeHandle = CanvasHitTest::handleAtPress(*view, m_cursor, m_anchor);
        m_activeHandle = SelectionResizer::resizeBy(*view, m_activeHandle, delta);
        break;
    }
    case Drag::ResizeGroup:
        GroupResize(m_groupBox).resizeBy(delta, m_workRect);
        break;
    default:
        return;
    }
    m_geometryChanged = true;
    if (repaint)
        m_dirty += before + m_selection.area(true);
    m_anchor += delta;
    if (input.buttons == Qt::LeftButton && input.modifiers == Qt::NoModifier)
        m_autoScrollPoint = input.point;
}

// ---- release -------------------------------------------------------------------------------

void CanvasStateMachine::release(const PointerInput &input)
{
    if (input.button != Qt::LeftButton || !m_mouseDown || !page())
        return;
    m_mouseDown = false;
    // Without live repainting the page was left as it was at the press; it is all redrawn.
    if (!options().repaintWhileDragging && m_geometryChanged)
        m_dirty += QRegion(QRect(QPoint(0, 0), m_canvasSize));
    switch (m_drag) {
    case Drag::Rectangle:
        if (m_cursor == CanvasCursor::Cross)
            finishInsertion();
        else
            finishSelectionRectangle();
        break;
    case Drag::Line:
        finishLine();
        break;
    case Drag::Split:
        finishSplit();
        break;
    default:
        finishSelectionDrag();
        break;
    }
    m_drag = Drag::None;
    m_hasMoved = false;
    m_activeHandle = ResizeHandle::None;
}

void CanvasStateMachine::finishInsertion()
{
    m_toolArmed = false;
    if (m_workRect.isPoint())
        m_workRect = m_groupStartRect;
    m_workRect = m_workRect.normalised();
    m_host.showTrackingRect(std::nullopt);
    insertAtWorkRect(m_host.currentTool(), true);
    if (m_host.stickyTool()) {
        m_toolArmed = true;
        m_hoverFrameShown = isReportPage();
    } else {
        m_hoverFrameShown = false;
        m_cursor = CanvasCursor::Arrow;
        m_host.pressSelectTool();
    }
}

model::TqxView *CanvasStateMachine::insertAtWorkRect(ObjectTool tool, bool mayOpenEditor)
{
    ObjectInsertion insertion(*m_pages, m_pageIndex, m_registry, m_host);
    model::TqxView *view = insertion.create(tool);
    if (!view)
        return nullptr;
    if (tool.tag == ObjectTool::kSubReport)
        m_host.pageListChanged();
    m_selection.deselectAll();
    m_workRect = insertion.place(*view, m_workRect, m_canvasSize.width());
    m_selection.selectOnly(*view);
    resetGroup();
    m_dirty += view->GetClipRegion(true);
    m_host.selectionChanged();
    m_host.recordUndoStep(UndoStepKind::Insert);
    m_host.markModified();
    if (mayOpenEditor && options().editAfterInsert && isReportPage())
        openEditor(*view, false);
    return view;
}

void CanvasStateMachine::fieldDragOver(QPoint point)
{
    if (!isReportPage())
        return;
    if (!m_fieldDrag) {
        const QSize size = ObjectInsertion::defaultObjectSize(
            options().grid.stepPixels, m_host.lastUsedFormat().fontSizePoints);
        m_workRect = TrackingRect::fromOrigin(point, size.width(), size.height());
        m_fieldDrag = true;
    }
    m_workRect.moveTopLeftTo(CanvasGrid(options().grid).snap(point - QPoint(4, 4)));
    m_hoverFrameShown = true;
    m_host.showTrackingRect(m_workRect);
}

void CanvasStateMachine::fieldDragLeave()
{
    m_fieldDrag = false;
    m_hoverFrameShown = false;
    m_host.showTrackingRect(std::nullopt);
}

model::TqxView *CanvasStateMachine::dropField(const QString &fieldReference)
{
    if (!m_fieldDrag || !isReportPage())
        return nullptr;
    m_fieldDrag = false;
    m_hoverFrameShown = false;
    m_host.showTrackingRect(std::nullopt);
    model::TqxView *view = insertAtWorkRect(ObjectTool{ObjectTool::kText}, false);
    if (view)
        view->Memo = QStringList{u'[' + fieldReference + u']'};
    m_host.pressSelectTool();
    return view;
}

void CanvasStateMachine::finishLine()
{
    if (m_workRect.isPoint())
        return;
    ObjectInsertion insertion(*m_pages, m_pageIndex, m_registry, m_host);
    model::TqxView *line = insertion.createLine(m_workRect);
    if (!line)
        return;
    m_selection.selectOnly(*line);
    m_dirty += line->GetClipRegion(true);
    m_host.selectionChanged();
    m_host.recordUndoStep(UndoStepKind::Insert);
    m_host.markModified();
}

void CanvasStateMachine::finishSelectionRectangle()
{
    const TrackingRect rect = m_workRect.normalised();
    model::TqxPage &shown = *page();
    bool any = false;
    for (qsizetype i = 0; i < shown.objectCount(); ++i) {
        model::TqxView &view = *shown.object(i);
        if (!isBand(view) && touches(view, rect)) {
            view.Selected = true;
            any = true;
        }
    }
    // A rectangle over nothing but bands selects the bands.
    for (qsizetype i = 0; !any && i < shown.objectCount(); ++i) {
        if (touches(*shown.object(i), rect))
            shown.object(i)->Selected = true;
    }
    m_selection.updateFocusAfterClick();
    computeGroupBox();
    m_host.selectionChanged();
}

void CanvasStateMachine::finishSplit()
{
    if (!m_hasMoved || !m_groupBox.isValid() || !m_split)
        return;
    changeSelection([this] {
        if (m_split->moveEdgeTo(m_splitLineX)) {
            m_split->left->AfterResize();
            m_split->right->AfterResize();
            m_host.markModified();
        }
    });
    m_split.reset();
    computeGroupBox();
    m_host.selectionGeometryChanged();
}

void CanvasStateMachine::finishSelectionDrag()
{
    // A click, or a drag too short for the grid, leaves the selection the press made.
    if (m_selection.isEmpty() || !m_geometryChanged) {
        m_host.selectionChanged();
        return;
    }
    changeSelection([this] {
        for (model::TqxView *view : m_selection.objects()) {
            SelectionResizer::normalise(*view);
            view->AfterResize();
        }
    });
    computeGroupBox();
    m_host.markModified();
    if (m_selection.count() == 1)
        m_host.selectionChanged();
    m_host.selectionGeometryChanged();
}

// ---- other events --------------------------------------------------------------------------

void CanvasStateMachine::doubleClick(const PointerInput &input)
{
    m_mouseDown = false;
    m_drag = Drag::None;
    if (!page())
        return;
    const int selected = m_selection.count();
    if (selected == 1)
        openEditor(*m_selection.single(), input.modifiers & Qt::ControlModifier);
    else if (selected == 0)
        m_host.openPageEditor();
}

void CanvasStateMachine::leave()
{
    if (m_mouseDown || !m_toolArmed)
        return;
    m_hoverFrameShown = false;
    m_workRect.moveTopLeftTo(m_workRect.topLeft() - QPoint(kOffCanvasPixels, kOffCanvasPixels));
    m_host.showTrackingRect(std::nullopt);
}

void CanvasStateMachine::openEditor(model::TqxView &view, bool textEditor)
{
    if (!mayEditContents(view))
        return;
    m_dirty += view.GetClipRegion(true);
    m_host.openObjectEditor(view, textEditor);
    // The editor may have deleted or replaced objects; repaint only what is still there.
    if (model::TqxPage *shown = page()) {
        for (qsizetype i = 0; i < shown->objectCount(); ++i) {
            if (shown->object(i) == &view)
                m_dirty += view.GetClipRegion(true);
        }
    }
    m_host.selectionGeometryChanged();
}

void CanvasStateMachine::editSelection(bool textEditor)
{
    if (model::TqxView *only = m_selection.single())
        openEditor(*only, textEditor);
}

bool CanvasStateMachine::arrowKey(ArrowKey key, Qt::KeyboardModifiers modifiers)
{
    if (!page() || m_selection.isEmpty())
        return false;
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) {
        m_host.recordUndoStep(UndoStepKind::Edit);
        bool changed = false;
        changeSelection([&] {
            const std::vector<model::TqxView *> selected = m_selection.objects();
            changed = (modifiers & Qt::ControlModifier)
                          ? KeyboardNudge::moveByPixel(selected, key)
                          : KeyboardNudge::resizeByPixel(selected, key);
            for (model::TqxView *view : selected)
                view->AfterResize();
        });
        computeGroupBox();
        if (changed)
            m_host.markModified();
        m_host.selectionGeometryChanged();
        return true;
    }
    model::TqxView *from = m_selection.single();
    if (!from)
        return false;
    model::TqxView *target = KeyboardNudge::neighbour(*page(), *from, key);
    if (target && !(modifiers & Qt::AltModifier)) {
        m_selection.selectOnly(*target);
        resetGroup();
    } else if (target) {
        if (const std::optional<QPoint> place =
                KeyboardNudge::touchingPosition(*from, *target, key)) {
            m_host.recordUndoStep(UndoStepKind::Edit);
            changeSelection([&] {
                from->Left = place->x();
                from->Top = place->y();
            });
            m_host.markModified();
        }
    }
    m_host.selectionChanged();
    return true;
}

void CanvasStateMachine::deleteSelection()
{
    if (!page() || m_selection.isEmpty())
        return;
    m_host.recordUndoStep(UndoStepKind::Delete);
    const SelectionDeletion::Result result = SelectionDeletion::deleteSelected(*page());
    m_dirty += result.area;
    m_selection.deselectAll();
    resetGroup();
    m_split.reset();
    m_host.pageListChanged();
    m_host.selectionChanged();
    if (result.deleted > 0)
        m_host.markModified();
}

// ---- what the widget shows -----------------------------------------------------------------

CanvasFeedback CanvasStateMachine::feedback() const
{
    CanvasFeedback shown;
    if (!page())
        return shown;
    shown.cornerIndex = m_groupBox.isValid() ? m_groupBox.cornerIndex() : -1;
    shown.handles = !m_mouseDown;
    if (m_mouseDown && m_drag == Drag::Rectangle) {
        shown.frame = m_workRect;
        shown.frameSelects = m_cursor != CanvasCursor::Cross;
    } else if (!m_mouseDown && m_hoverFrameShown) {
        shown.frame = m_workRect;
    }
    if (m_mouseDown && m_drag == Drag::Line) {
        const QPoint start = m_workRect.topLeft();
        const int dx = m_workRect.width();
        const int dy = m_workRect.height();
        const QPoint end = std::abs(dy) >= std::abs(dx) ? QPoint(start.x(), m_workRect.bottom)
                                                        : QPoint(m_workRect.right, start.y());
        shown.drawnLine = QLine(start, end);
        shown.drawnLineWidthPixels = m_host.lastUsedFormat().lineWidth;
    }
    if (m_split && m_drag == Drag::Split)
        shown.splitLine = QLine(m_splitLineX, m_split->top, m_splitLineX, m_split->bottom);
    if (m_mouseDown && !options().repaintWhileDragging &&
        (m_drag == Drag::Move || m_drag == Drag::ResizeOne || m_drag == Drag::ResizeGroup))
        shown.outlines = true;
    return shown;
}

QRegion CanvasStateMachine::takeDirtyRegion()
{
    QRegion dirty;
    std::swap(dirty, m_dirty);
    return dirty;
}

std::optional<QPoint> CanvasStateMachine::takeAutoScrollPoint()
{
    std::optional<QPoint> point;
    std::swap(point, m_autoScrollPoint);
    return point;
}

} // namespace tovren::designer
