#pragma once

#include "report/designer/TrackingRect.h"
#include "report/model/ColorRef.h"
#include "report/model/StyleConstants.h"
#include "report/model/Units.h"

#include <QPoint>
#include <QString>
#include <optional>

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::model {
class TqxView;
}

// Every coordinate of the designer's canvas is a page pixel (a design pixel): the canvas shows
// the page at its printed size and is never zoomed, so a canvas point and an object's Left and
// Top are the same numbers.
namespace tovren::designer {

/// The button that is down in the objects tool bar, by its tag: -1 select, 0 text, 1 picture,
/// 2 band, 3 sub-report, 4 line, 10 + n the add-in kind at index n of the object registry.
struct ObjectTool
{
    static constexpr int kSelect = -1;
    static constexpr int kText = 0;
    static constexpr int kPicture = 1;
    static constexpr int kBand = 2;
    static constexpr int kSubReport = 3;
    static constexpr int kLine = 4;
    static constexpr int kFirstAddIn = 10;

    int tag = kSelect;

    bool isSelect() const { return tag == kSelect; }
    bool isLine() const { return tag == kLine; }
    /// Tools that insert an object through a frame dragged or clicked on the canvas.
    bool insertsByFrame() const { return tag >= 0 && tag != kLine; }
    bool isAddIn() const { return tag >= kFirstAddIn; }
    int addInIndex() const { return tag - kFirstAddIn; }
};

/// The designer's grid settings: the step is 4, 8 or 18 page pixels in both directions.
struct GridOptions
{
    int stepPixels = 4;
    bool show = true;
    bool align = true;
};

/// Where the canvas sits in a scroll box wider than the page (designer option PagePosition).
enum class PagePosition : quint8 { Left = 3, Right = 4, Centre = 5 };

/// The designer options the canvas obeys.
struct CanvasOptions
{
    GridOptions grid;
    /// Option "Selection" 1: objects are repainted while dragged; 0 drags outlines only.
    bool repaintWhileDragging = true;
    bool editAfterInsert = true;
    PagePosition pagePosition = PagePosition::Centre;
    /// The canvas is three times the page height.
    bool unlimitedHeight = false;
};

/// The last-used formatting values that every new object receives.
struct LastUsedFormat
{
    quint16 frameType = model::qxftNone;
    model::DesignPixelsF frameWidth = 1;
    model::DesignPixelsF lineWidth = 2;
    model::ColorRef fillColor = model::kNoColor;
    model::ColorRef frameColor = model::clBlack;
    model::ColorRef fontColor = model::clBlack;
    /// Report font-style bits (italic 1, bold 2, underline 4, strike-out 8).
    int fontStyle = 0;
    qint32 alignment = 0;
    quint8 charset = 1;
    QString fontName = QStringLiteral("Arial");
    int fontSizePoints = 10;
};

/// What an undo step records (the designer's history keeps copies of the selected objects).
enum class UndoStepKind { Edit, Insert, Delete };

/// What the page canvas needs of the designer window, so the canvas never depends on it.
///
/// The window owns the designer-wide state (tool choice, options, last-used values, undo) and
/// the dialogs; the canvas reads that state when an event needs it and tells the window what
/// happened. Calls arrive on the GUI thread while the canvas handles an event; an editor or
/// chooser the window opens from them may be modal.
class DesignerHost
{
public:
    virtual ~DesignerHost() = default;

    virtual ObjectTool currentTool() const = 0;
    /// The armed insertion tool stays armed after one insertion (Shift held on its button).
    virtual bool stickyTool() const = 0;
    virtual CanvasOptions canvasOptions() const = 0;
    virtual LastUsedFormat lastUsedFormat() const = 0;
    /// Message boxes the canvas shows (a refused insertion).
    virtual platform::DialogProvider &dialogs() = 0;

    /// The band type chooser; the chosen type 0 to 22, or nothing when cancelled.
    virtual std::optional<int> chooseBandType(bool pageIsSubReportTarget) = 0;
    /// Presses the select tool, as after an insertion with a tool that is not sticky.
    virtual void pressSelectTool() = 0;
    /// Called before the selected objects change (Edit, Delete) or after an insertion (Insert).
    virtual void recordUndoStep(UndoStepKind kind) = 0;
    /// The template was changed through the canvas.
    virtual void markModified() = 0;

    /// Refresh tool bars, inspector and status bar from the selection.
    virtual void selectionChanged() = 0;
    /// Selected objects moved or changed size: refresh inspector and status bar.
    virtual void selectionGeometryChanged() = 0;
    /// The status bar shows @p rect (the frame or rectangle being dragged, or the mouse point
    /// with nothing selected); nothing means it shows the selection again.
    virtual void showTrackingRect(const std::optional<TrackingRect> &rect) = 0;
    /// Opens the object's editor, or its text editor; the canvas repaints the object after.
    virtual void openObjectEditor(model::TqxView &view, bool textEditor) = 0;
    /// A double-click on the page with nothing selected (page options on a report page).
    virtual void openPageEditor() = 0;
    virtual void openContextMenu(const QPoint &globalPosition) = 0;
    /// A sub-report object or a page was added or removed: rebuild the page tabs.
    virtual void pageListChanged() = 0;
};

} // namespace tovren::designer
