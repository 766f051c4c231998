#pragma once

#include "report/preview/PreviewExportFilters.h"
#include "report/preview/PreviewLayout.h"
#include "report/preview/PreviewPageCommands.h"
#include "report/preview/PreviewPageSetup.h"
#include "report/preview/PreviewSearch.h"
#include "report/preview/TqxPreviewSearchForm.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QToolButton;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::output {
class PrintDevice;
class TqxPrinter;
} // namespace tovren::output
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::preview {

class PreviewPageView;
class PreviewPanner;

/// The preview window: shows a report's prepared pages in rows and lets the operator scroll,
/// page, zoom, find text, print, set up the page, save and load prepared-report files and,
/// when the report allows it, edit, add and delete pages.
///
/// Every question and error goes through the dialog provider, so the window never blocks on a
/// dialog nobody sees. Closing it releases the loaded objects of every page; the pages stay
/// with the report. Nothing it is given is owned and all must outlive it.
class TqxPreviewForm : public QDialog
{
    Q_OBJECT
public:
    /// Makes the device a confirmed print goes to; null means the person declined (for example
    /// named no file), and the print ends quietly.
    using PrintDeviceFactory = std::function<std::unique_ptr<output::PrintDevice>()>;
    /// Writes one PDF file per record of the shown report into a folder; true when all are
    /// written. It tells the person itself what it wrote or why it could not.
    using RecordFilesExport = std::function<bool(const QString &folder)>;
    /// Asks what to find; nothing when cancelled.
    using SearchDialog = std::function<std::optional<PreviewSearchRequest>()>;

    TqxPreviewForm(engine::TqxReport &report, output::TqxPrinter &printerLayer,
                   platform::DialogProvider &dialogs, QWidget *parent = nullptr);
    ~TqxPreviewForm() override;

    void setPrintDeviceFactory(PrintDeviceFactory factory) { m_deviceFactory = std::move(factory); }
    void setPageSetupDialog(PreviewPageSetup::Dialog dialog)
    {
        m_pageSetupDialog = std::move(dialog);
    }
    void setSearchDialog(SearchDialog dialog) { m_searchDialog = std::move(dialog); }
    /// Registers where pages are edited; without one, pages cannot be edited, added or deleted.
    void setPageEditor(PreviewPageEditor *editor);
    /// Where the window placement is kept between sessions; none keeps nothing.
    void setSettingsStore(platform::SettingsStore *store) { m_settings = store; }
    /// Prints the calibration page on the active printer, offered in the printer's properties
    /// beside its calibration (kept in the settings store); none offers no such button.
    void setCalibrationPagePrinter(std::function<void()> printer)
    {
        m_calibrationPagePrinter = std::move(printer);
    }
    /// Offers "每条记录一个 PDF 文件" when saving; none offers no such choice.
    void setRecordFilesExport(RecordFilesExport exporter) { m_recordFiles = std::move(exporter); }
    /// The export types offered when saving; register more to offer them.
    PreviewExportFilters &exportFilters() { return m_exportFilters; }

    int currentPage() const { return m_currentPage; }
    int pageCount() const;
    QString pageLabelText() const;
    double scale() const { return m_scale; }
    ZoomMode zoomMode() const { return m_zoomMode; }
    /// Where each page sits in the page area's content, in page order.
    QList<QRect> pageRects() const;
    PreviewPageView &pageView() const { return *m_view; }
    const PreviewSearch &search() const { return m_search; }
    /// True when the page commands (edit, add, delete) are offered.
    bool pageCommandsAvailable() const { return m_pageCommands.available(); }

public slots:
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    /// Makes page @p pageNumber (1-based, clamped to the pages there are) current and shows it.
    void goToPage(int pageNumber);
    void setZoomMode(tovren::preview::ZoomMode mode);
    /// Fixed zoom; 1.0 shows one report pixel as one screen pixel.
    void setZoomFactor(double factor);
    /// Asks for a file name; an export type's extension exports, any other saves a .qxp file.
    /// Choosing one PDF file per record asks for a folder instead.
    bool savePages();
    /// Asks for a prepared-report file and shows its pages; a failed load keeps the pages.
    bool loadPages();
    /// Runs the print dialog and, when confirmed, prints the chosen pages.
    bool printPages();
    /// Asks for paper and margins, gives them to the template and builds the report again.
    bool pageSetup();
    /// Asks what to find and finds its first match.
    bool findText();
    /// Finds @p request's text from the first or the current page; false when not found.
    bool find(const tovren::preview::PreviewSearchRequest &request);
    /// Finds the next match of the last search text.
    bool findNext();
    bool editPage();
    bool insertPage();
    bool deletePage();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolBar();
    /// The button that shows the scan of the blank form under the pages, when there is one.
    void addFormImageToggle(QHBoxLayout &row, QWidget &bar);
    void buildMenu();
    void applyButtonSet();
    void resetView(bool toFirstPage);
    void layOutPages();
    void updatePageLabel();
    void followScroll();
    bool continueSearch();
    void showHit();
    bool pressPage(const QPoint &viewportPoint);
    void doubleClickPage(const QPoint &viewportPoint);
    void showContextMenu(const QPoint &globalPoint);
    void chooseZoom(ZoomMode mode, double factor);
    void showError(const QString &text);
    /// Tells why a save, load or rebuild of the report failed, unless the report has told it.
    void showReportFailure();

    engine::TqxReport &m_report;
    output::TqxPrinter &m_printerLayer;
    platform::DialogProvider &m_dialogs;
    PrintDeviceFactory m_deviceFactory;
    PreviewPageSetup::Dialog m_pageSetupDialog;
    SearchDialog m_searchDialog;
    PreviewExportFilters m_exportFilters;
    platform::SettingsStore *m_settings = nullptr;
    std::function<void()> m_calibrationPagePrinter;
    RecordFilesExport m_recordFiles;
    PreviewPageCommands m_pageCommands;
    PreviewSearch m_search;
    std::optional<PreviewSearch::Hit> m_lastHit;
    std::unique_ptr<QPrinter> m_printer;
    PreviewPageView *m_view = nullptr;
    PreviewPanner *m_panner = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLineEdit *m_pageEdit = nullptr;
    QToolButton *m_zoomButton = nullptr;
    QToolButton *m_formImageButton = nullptr;
    QMenu *m_zoomMenu = nullptr;
    QList<QAction *> m_pageCommandItems;
    QAction *m_deleteItem = nullptr;
    int m_currentPage = 1;
    double m_scale = 1.0;
    ZoomMode m_zoomMode = ZoomMode::Fixed;
    /// Scrolling the view to a page must not pick another page in the same row.
    bool m_followScroll = true;
};

} // namespace tovren::preview
