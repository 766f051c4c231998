#pragma once

#include "report/designer/CanvasMarks.h"
#include "report/designer/CanvasPainter.h"
#include "report/designer/CanvasStateMachine.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QScrollArea;

namespace tovren::model {
class ObjectRegistry;
class TqxPages;
} // namespace tovren::model

namespace tovren::designer {

/// The drawing surface of the designer: one page at its printed size, white on report pages,
/// with the grid, margins and columns, every object drawn by itself, and the selection
/// feedback painted over it. Mouse and key events go to its CanvasStateMachine; the canvas
/// only paints, shows the cursor and scrolls its scroll box while a drag passes the edge.
///
/// The pages are not owned; setPage(nullptr) before they go. The canvas sits in a
/// PageScrollBox, which places it (PlacePage) whenever it is resized.
class TqxDesignerPage : public QWidget
{
    Q_OBJECT
public:
    /// Objects are created through @p registry (the library's, when none is given).
    explicit TqxDesignerPage(DesignerHost &host, QWidget *parent = nullptr,
                             model::ObjectRegistry *registry = nullptr);
    ~TqxDesignerPage() override;

    /// Shows page @p pageIndex of @p pages, nothing selected, bands first; null shows nothing.
    void setPage(model::TqxPages *pages, qsizetype pageIndex);
    model::TqxPage *page() const { return m_machine.page(); }

    /// Sizes and places the canvas in its scroll box for the shown page.
    void PlacePage();
    /// Painting and layout are suppressed while disabled (a preview runs, a file loads).
    void setDrawingDisabled(bool disabled);
    bool drawingDisabled() const { return m_drawingDisabled; }

    CanvasStateMachine &stateMachine() { return m_machine; }
    const CanvasSelection &selection() const { return m_machine.selection(); }
    void deselectAll();
    void selectAll();
    /// After the window changed objects or the selection: group box, repaint.
    void refreshAfterChange();
    /// Restores the bands-first order of the object list and repaints.
    void putBandsFirst();
    void deleteSelection();
    void ResetMouseState();
    /// A tool button was pressed.
    void toolChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    /// Runs one event through the state machine and shows what changed.
    template<typename Handler>
    void handle(Handler handler);
    void showCursor();
    void autoScroll(QPoint canvasPoint);
    QScrollArea *scrollArea() const;
    QImage renderPage() const;

    DesignerHost &m_host;
    CanvasMarks m_marks;
    CanvasPainter m_painter;
    CanvasStateMachine m_machine;
    bool m_drawingDisabled = false;
    CanvasCursor m_shownCursor = CanvasCursor::Arrow;
    /// The page as it was when a drag without live repainting began.
    QImage m_pressSnapshot;
};

} // namespace tovren::designer
