#pragma once

#include "report/designer/DesignerDocument.h"
#include "report/designer/DesignerHost.h"
#include "report/designer/DesignerSettings.h"
#include "report/designer/HelpWindow.h"
#include "report/designer/TqxPageForm.h"
#include "report/designer/TqxReportDesigner.h"
#include "report/designer/UndoHistory.h"

#include <QPointer>
#include <QTimer>
#include <memory>

class QActionGroup;
class QMenu;
class QToolBar;

namespace tovren::chart {
class TqxChartView;
}
namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::designer {

class DesignerActions;
class DesignerDialogs;
class DesignerInspector;
class DesignerStatusBar;
class FieldListWindow;
class FormattingToolBars;
class ObjectClipboard;
class PageScrollBox;
class PageTabBar;
class RecoveryCopy;
class TqxDesignerPage;

/// The designer window: one page of a report at a time on the page canvas, with the menus, the
/// six tool bars, the page tabs and the status bar, and every command of the designer.
///
/// It edits the report's template in place; files are read and written only through the report
/// (DesignerDocument). Questions go through the dialog provider and the designer's dialogs, so a
/// test can drive every command. While a whole report is modified, a recovery copy is written
/// every two minutes; a copy left by a program that ended without saving is offered when the
/// next designer opens.
class TqxDesignerForm : public TqxReportDesigner, private DesignerHost
{
    Q_OBJECT
public:
    /// What the window uses and does not own; all must outlive it.
    struct Services
    {
        platform::DialogProvider *dialogs = nullptr;
        DesignerDialogs *designerDialogs = nullptr;
        /// Where the options and window places are kept; none keeps nothing.
        platform::SettingsStore *settings = nullptr;
        /// Where recovery copies are written; empty writes none.
        QString recoveryFolder;
        /// The clipboard shared by every opening of the designer in this run.
        ObjectClipboard *clipboard = nullptr;
        /// Where the font box keeps the recently used fonts; none lists none.
        platform::SettingsStore *recentFonts = nullptr;
    };

    /// Modal results: the designer's own close commands, and the window's close box.
    static constexpr int kExitResult = 1;
    static constexpr int kCloseResult = 2;
    static constexpr int kRecoveryIntervalMs = 2 * 60 * 1000;

    TqxDesignerForm(engine::TqxReport &report, bool wholeReport, const Services &services,
                    QWidget *parent = nullptr);
    ~TqxDesignerForm() override;

    /// Shows the window modally and returns its modal result when it closes.
    int showModal();
    int modalResult() const { return m_modalResult; }

    // TqxReportDesigner
    bool IsModified() const override;
    void MarkModified(bool modified) override;
    void PrepareUndoStep() override;
    void RefreshAfterChange() override;
    void RepaintPage() override;
    void FocusObjectByName(const QString &name) override;
    QString PickDatabaseField(const QString &text) override;
    QString PickExpression(const QString &text) override;

    /// Records an edit step of the shown page's script, which no object holds.
    void preparePageScriptStep();
    /// Forgets the undo and redo steps of the shown page, whose objects are gone for good.
    void forgetPageSteps();

    TqxDesignerPage &canvas() const;
    DesignerDocument &document() { return m_document; }
    engine::TqxReport &report() const { return m_report; }
    QAction *action(const QString &name) const;
    QToolBar *toolBar(const QString &name) const;
    QList<QToolBar *> toolBars() const;
    PageTabBar &pageTabs() const { return *m_tabs; }
    DesignerStatusBar &statusPanel() const { return *m_statusBar; }
    const DesignerSettings &settings() const { return m_settings; }
    int currentPageIndex() const { return m_currentPage; }
    const UndoHistory &undoHistory() const { return m_undo; }
    FormattingToolBars &formatting() const { return *m_formatting; }
    TqxPageForm *pageWindow() const { return m_pageWindow; }
    HelpWindow *helpWindow() const { return m_help; }
    DesignerInspector &inspector() const { return *m_inspector; }
    /// The canvas menu as it would open now, with the selection's own items.
    QMenu &canvasMenu();

    /// The selection kind the commands are enabled by: 0 nothing, 1 one band, 2 one text object,
    /// 4 one other object, 8 several; plus 16 while the clipboard holds objects.
    int selectionKind() const;

    // Commands, as the menus and tool buttons run them.
    void newBlankReport();
    void newFromTemplate();
    void openReport();
    bool saveReport();
    bool saveReportAs();
    void previewReport();
    void showPage(int index);
    void releasePage();
    void addPage();
    void addDialogPage();
    void deletePage();
    void movePage(int from, int to);
    void editPageOptions();
    /// Puts a scan of the blank form under the page shown, or takes it away.
    void chooseFormImage();
    void clearFormImage();
    void editReportOptions();
    void editDesignerOptions();
    void selectAll();
    void deleteSelection();
    void editSelection();
    void undo();
    void redo();
    void copySelection();
    void cutSelection();
    void paste();
    void bringToFront();
    void sendToBack();
    void fitToGrid();
    void alignSelection(int button);
    /// Builds a row or column of fields, with headers and bands, from a data set the person
    /// chooses.
    void insertFields();
    FieldListWindow &fieldList() const { return *m_fieldList; }
    /// A formatting control's command, by its tag (the tool bars' tags).
    void applyFormatting(int tag);
    /// Applies a typed font size or frame width; a text that is no number is refused with a
    /// message and changes nothing.
    void applyFontSize(const QString &text);
    void applyFrameWidth(const QString &text);
    void applyFontName(const QString &family);
    /// Fill (5), font (17) or frame (19) colour of the selection.
    void applyColour(int tag, model::ColorRef colour);
    /// The font dialog on the last selected object's font; what the person changes there goes
    /// to every selected text object.
    void openFontDialog();
    void editChart(chart::TqxChartView &chart);
    void setUnits(DesignUnit units);
    void setGridShown(bool shown);
    void setGridAligned(bool aligned);
    void showHelpContents();
    void startContextHelp();
    /// Handles @p key as the designer's keyboard table says; false when it is not the
    /// designer's key (the focused control then gets it).
    bool handleDesignerKey(QKeyEvent *key);

    /// The data dictionary editor (N42); on OK the report is marked modified and
    /// dictionaryChanged() is emitted.
    void editDictionary();

signals:
    void closed();
    /// The dictionary's variables or aliases changed: windows that list fields refill.
    void dictionaryChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // DesignerHost
    ObjectTool currentTool() const override { return m_tool; }
    bool stickyTool() const override { return m_stickyTool; }
    CanvasOptions canvasOptions() const override { return m_settings.canvasOptions(); }
    LastUsedFormat lastUsedFormat() const override { return m_lastFormat; }
    platform::DialogProvider &dialogs() override { return *m_services.dialogs; }
    std::optional<int> chooseBandType(bool pageIsSubReportTarget) override;
    void pressSelectTool() override;
    void recordUndoStep(UndoStepKind kind) override;
    void markModified() override { MarkModified(true); }
    void selectionChanged() override;
    void selectionGeometryChanged() override;
    void showTrackingRect(const std::optional<TrackingRect> &rect) override;
    void openObjectEditor(model::TqxView &view, bool textEditor) override;
    void editObjectText(model::TqxView &view);
    void openPageEditor() override { editPageOptions(); }
    void openContextMenu(const QPoint &globalPosition) override;
    void pageListChanged() override { rebuildTabs(); }

    void buildWindow();
    void buildStandardBar();
    void buildObjectsBar();
    void buildToolBarsMenu();
    void buildFieldTools();
    /// The inspector and the field list keep stacked beside the page as their heights change.
    void stackToolWindows();
    void buildFormattingBars();
    /// Records a step of @p kind unless undo is off, and marks the report modified either way.
    void recordStep(TqxUndoKind kind);
    void formImageChanged();
    void clearHistories();
    void afterObjectsChanged();
    QToolBar *addBar(const QString &name, const QString &caption, Qt::ToolBarArea area,
                     Qt::ToolBarAreas allowed);
    void connectCommands();
    void applyMode();
    void refreshCommands();
    void updateStatusBar();
    void updateCaption();
    void rebuildTabs();
    void chooseTool(QAction *toolAction);
    /// Puts the canvas into the dialog page's own window, or back into the scroll box.
    void presentPage(model::TqxPage &page);
    void applyButtonLook();
    void loadSettings();
    void saveSettings();
    /// Asks whether to save changes before they would be lost; false when the person cancels
    /// or the save fails.
    bool settleUnsavedChanges();
    void writeRecoveryCopy();
    void offerRecoveryCopy();
    void afterReportReplaced();
    void finishContextHelp(QWidget *target);
    void showError(const QString &text);

    engine::TqxReport &m_report;
    Services m_services;
    DesignerDocument m_document;
    DesignerSettings m_settings;
    LastUsedFormat m_lastFormat;
    ObjectTool m_tool;
    bool m_stickyTool = false;
    int m_currentPage = 0;
    int m_modalResult = kCloseResult;
    bool m_firstShow = true;
    bool m_contextHelpArmed = false;
    /// Set while a command deletes objects it has already recorded a step for.
    bool m_stepRecorded = false;
    UndoHistory m_undo;
    std::unique_ptr<ObjectClipboard> m_ownClipboard;
    ObjectClipboard *m_clipboard = nullptr;
    FormattingToolBars *m_formatting = nullptr;
    FieldListWindow *m_fieldList = nullptr;
    DesignerInspector *m_inspector = nullptr;

    DesignerActions *m_actions;
    QActionGroup *m_objectTools = nullptr;
    QList<QToolBar *> m_bars;
    PageTabBar *m_tabs = nullptr;
    PageScrollBox *m_scrollBox = nullptr;
    DesignerStatusBar *m_statusBar = nullptr;
    QMenu *m_canvasMenu = nullptr;
    QMenu *m_tabMenu = nullptr;
    QPointer<TqxPageForm> m_pageWindow;
    QPointer<HelpWindow> m_help;
    std::optional<TrackingRect> m_tracking;
    std::unique_ptr<RecoveryCopy> m_recovery;
    QTimer m_recoveryTimer;
};

} // namespace tovren::designer
