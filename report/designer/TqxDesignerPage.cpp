#include "report/designer/TqxDesignerPage.h"

#include "report/designer/CanvasOverlay.h"
#include "report/designer/CanvasPlacement.h"
#include "report/designer/ObjectOrder.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPages.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace tovren::designer {

namespace {

PointerInput pointerInput(const QMouseEvent &event)
{
    PointerInput input;
    input.point = event.position().toPoint();
    input.globalPoint = event.globalPosition().toPoint();
    input.button = event.button();
    input.buttons = event.buttons();
    input.modifiers = event.modifiers();
    return input;
}

std::optional<ArrowKey> arrowKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return ArrowKey::Left;
    case Qt::Key_Right:
        return ArrowKey::Right;
    case Qt::Key_Up:
        return ArrowKey::Up;
    case Qt::Key_Down:
        return ArrowKey::Down;
    default:
        return std::nullopt;
    }
}

/// The page's size on the canvas: the printer layer's, or the paper's own when no printer
/// measured it.
QSize pagePixels(const model::TqxPage &page)
{
    QSize size(page.PageInfo.PaperWidthPx, page.PageInfo.PaperHeightPx);
    if (size.width() <= 0)
        size.setWidth(model::designPixelsFromTenthsMm(page.PaperWidth));
    if (size.height() <= 0)
        size.setHeight(model::designPixelsFromTenthsMm(page.PaperHeight));
    return size;
}

bool isFieldListDrag(const QDropEvent &event)
{
    return qobject_cast<QAbstractItemView *>(event.source()) && event.mimeData()->hasText();
}

} // namespace

TqxDesignerPage::TqxDesignerPage(DesignerHost &host, QWidget *parent,
                                 model::ObjectRegistry *registry)
    : QWidget(parent)
    , m_host(host)
    , m_painter(m_marks)
    , m_machine(host, registry ? *registry : model::TqxGlobals::instance().objects)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

TqxDesignerPage::~TqxDesignerPage() = default;

void TqxDesignerPage::setPage(model::TqxPages *pages, qsizetype pageIndex)
{
    m_pressSnapshot = QImage();
    m_machine.setPage(pages, pageIndex);
    PlacePage();
    showCursor();
    update();
}

QScrollArea *TqxDesignerPage::scrollArea() const
{
    for (QWidget *up = parentWidget(); up; up = up->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(up))
            return area;
    }
    return nullptr;
}

void TqxDesignerPage::PlacePage()
{
    const model::TqxPage *shown = page();
    if (!shown || m_drawingDisabled)
        return;
    QScrollArea *area = scrollArea();
    if (shown->PageType == model::TqxPage::ptDialog) {
        // A dialog page is shown in a window of its own, which the canvas fills.
        if (parentWidget() && !area)
            setGeometry(parentWidget()->rect());
        else
            resize(shown->Width, shown->Height);
    } else if (!area) {
        resize(pagePixels(*shown));
    } else {
        const CanvasOptions options = m_host.canvasOptions();
        const CanvasPlacement::Result placed =
            CanvasPlacement::place(area->viewport()->width(), pagePixels(*shown),
                                   options.pagePosition, options.unlimitedHeight);
        if (QWidget *content = area->widget())
            content->resize(placed.content);
        setGeometry(placed.canvas);
    }
    m_machine.setCanvasSize(size());
}

void TqxDesignerPage::setDrawingDisabled(bool disabled)
{
    m_drawingDisabled = disabled;
    if (!disabled) {
        PlacePage();
        update();
    }
}

void TqxDesignerPage::deselectAll()
{
    handle([this] {
        m_machine.selection().deselectAll();
        m_machine.computeGroupBox();
    });
}

void TqxDesignerPage::selectAll()
{
    handle([this] {
        m_machine.selection().selectAll();
        m_machine.computeGroupBox();
    });
}

void TqxDesignerPage::refreshAfterChange()
{
    m_machine.computeGroupBox();
    update();
}

void TqxDesignerPage::putBandsFirst()
{
    if (model::TqxPage *shown = page()) {
        designer::putBandsFirst(*shown);
        update();
    }
}

void TqxDesignerPage::deleteSelection()
{
    handle([this] { m_machine.deleteSelection(); });
}

void TqxDesignerPage::ResetMouseState()
{
    handle([this] { m_machine.resetMouseState(); });
}

void TqxDesignerPage::toolChanged()
{
    handle([this] { m_machine.toolChanged(); });
}

template<typename Handler>
void TqxDesignerPage::handle(Handler handler)
{
    model::TqxPage *shown = page();
    if (!shown) {
        handler();
        return;
    }
    const QRegion overlayBefore = CanvasOverlay::area(*shown, m_machine.feedback());
    handler();
    // The handler may have shown a modal editor that changed the page.
    shown = page();
    if (!shown)
        return;
    const CanvasFeedback feedback = m_machine.feedback();
    if (feedback.outlines && m_pressSnapshot.isNull())
        m_pressSnapshot = renderPage();
    else if (!feedback.outlines)
        m_pressSnapshot = QImage();
    const QRegion dirty =
        m_machine.takeDirtyRegion() + overlayBefore + CanvasOverlay::area(*shown, feedback);
    if (!dirty.isEmpty())
        update(dirty);
    showCursor();
    if (const std::optional<QPoint> point = m_machine.takeAutoScrollPoint())
        autoScroll(*point);
}

QImage TqxDesignerPage::renderPage() const
{
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    m_painter.paint(painter, *page(), m_host.canvasOptions().grid, QRegion(rect()));
    return image;
}

void TqxDesignerPage::showCursor()
{
    const CanvasCursor wanted = m_machine.cursor();
    if (wanted == m_shownCursor && testAttribute(Qt::WA_SetCursor))
        return;
    m_shownCursor = wanted;
    switch (wanted) {
    case CanvasCursor::Arrow:
        setCursor(Qt::ArrowCursor);
        break;
    case CanvasCursor::Cross:
        setCursor(Qt::CrossCursor);
        break;
    case CanvasCursor::Pencil:
        setCursor(QCursor(QPixmap::fromImage(m_marks.pencilCursor()), m_marks.pencilHotSpot().x(),
                          m_marks.pencilHotSpot().y()));
        break;
    case CanvasCursor::SizeNwse:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case CanvasCursor::SizeNesw:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case CanvasCursor::SizeNs:
        setCursor(Qt::SizeVerCursor);
        break;
    case CanvasCursor::SizeWe:
        setCursor(Qt::SizeHorCursor);
        break;
    case CanvasCursor::Split:
        setCursor(Qt::SplitHCursor);
        break;
    }
}

void TqxDesignerPage::autoScroll(QPoint canvasPoint)
{
    QScrollArea *area = scrollArea();
    if (!area || !area->widget())
        return;
    const QPoint content = mapTo(area->widget(), canvasPoint);
    const QPoint scroll(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
    const QPoint wanted = CanvasPlacement::autoScroll(scroll, area->viewport()->size(), content);
    if (wanted == scroll)
        return;
    area->horizontalScrollBar()->setValue(wanted.x());
    area->verticalScrollBar()->setValue(wanted.y());
    update();
}

void TqxDesignerPage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    model::TqxPage *shown = page();
    if (!shown || m_drawingDisabled) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    if (!m_pressSnapshot.isNull())
        painter.drawImage(event->rect(), m_pressSnapshot, event->rect());
    else
        m_painter.paint(painter, *shown, m_host.canvasOptions().grid, event->region());
    CanvasOverlay::paint(painter, *shown, m_machine.feedback());
}

void TqxDesignerPage::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    handle([&] { m_machine.press(pointerInput(*event)); });
}

void TqxDesignerPage::mouseMoveEvent(QMouseEvent *event)
{
    handle([&] { m_machine.move(pointerInput(*event)); });
}

void TqxDesignerPage::mouseReleaseEvent(QMouseEvent *event)
{
    handle([&] { m_machine.release(pointerInput(*event)); });
}

void TqxDesignerPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt delivers this instead of the second press of a double-click, so that press never
    // reaches the state machine and cannot change the selection.
    handle([&] { m_machine.doubleClick(pointerInput(*event)); });
}

void TqxDesignerPage::leaveEvent(QEvent *event)
{
    handle([this] { m_machine.leave(); });
    QWidget::leaveEvent(event);
}

void TqxDesignerPage::keyPressEvent(QKeyEvent *event)
{
    bool used = true;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (const std::optional<ArrowKey> arrow = arrowKeyOf(event->key())) {
        handle([&] { used = m_machine.arrowKey(*arrow, modifiers); });
    } else if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        used = !selection().isEmpty();
        handle([this] { m_machine.deleteSelection(); });
    } else if (event->key() == Qt::Key_Escape) {
        handle([&] { used = m_machine.cancel(); });
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        used = selection().single() != nullptr;
        handle([&] { m_machine.editSelection(modifiers & Qt::ControlModifier); });
    } else {
        used = false;
    }
    if (used)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TqxDesignerPage::dragEnterEvent(QDragEnterEvent *event)
{
    if (page() && page()->PageType == model::TqxPage::ptReport && isFieldListDrag(*event))
        event->acceptProposedAction();
}

void TqxDesignerPage::dragMoveEvent(QDragMoveEvent *event)
{
    handle([&] { m_machine.fieldDragOver(event->position().toPoint()); });
    event->acceptProposedAction();
}

void TqxDesignerPage::dragLeaveEvent(QDragLeaveEvent *event)
{
    handle([this] { m_machine.fieldDragLeave(); });
    QWidget::dragLeaveEvent(event);
}

void TqxDesignerPage::dropEvent(QDropEvent *event)
{
    if (!isFieldListDrag(*event))
        return;
    handle([&] {
        m_machine.fieldDragOver(event->position().toPoint());
        m_machine.dropField(event->mimeData()->text());
    });
    event->acceptProposedAction();
}

} // namespace tovren::designer
