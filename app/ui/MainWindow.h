#pragma once

#include "app/ui/RangeStep.h"
#include "app/ui/RecordConflictDialog.h"
#include "report/engine/ComponentLookup.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTableView;

namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform
namespace tovren::db {
class ConnectionSpec;
class EditConflict;
class ERecordConflict;
class TDbConnection;
class TDbQuery;
} // namespace tovren::db

namespace tovren::engine {
class TqxDBDataSet;
class TqxPreviewRegistration;
class TqxReport;
} // namespace tovren::engine
namespace tovren::dialogs {
class ReportMessageBoxes;
class WidgetDialogPageHost;
class TqxProgressForm;
} // namespace tovren::dialogs
namespace tovren::output {
class PlatformPrinter;
class TqxPrinter;
} // namespace tovren::output
namespace tovren::preview {
class PreviewWindowHost;
class TqxPreviewForm;
} // namespace tovren::preview
namespace tovren::engine {
class TqxDesignerRegistration;
}
namespace tovren::designer {
class DesignerDialogs;
class TqxDesignerForm;
class WidgetDesignerHost;
} // namespace tovren::designer

namespace tovren::app {

class DbGridModel;
class MainFormComponents;
class DbNavigator;

/// The program's one window: the graduate table in a grid with its navigator, the SQL runner,
/// the record-count box that limits a print run, and the commands that hand the query on.
///
/// The window owns the browse query `Aqy`; the connection is the caller's and must outlive it.
/// Every command catches what fails under it and says in Chinese what could not be done, with
/// the store's or the report's own reason after it; nothing a clerk does closes the window.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    TForm1(db::TDbConnection &connection, platform::DialogProvider &dialogs,
           QWidget *parent = nullptr);
    ~TForm1() override;

    db::TDbQuery &query() { return *Aqy; }
    /// The report data source `qxDBDataSet1` the print and design runs walk, with its range.
    engine::TqxDBDataSet &reportDataSet();
    /// The window's components as reports find them by name ("Aqy", "qxDBDataSet1", ...).
    const engine::TqxComponentRegistry &components() const { return m_components; }

    // Handlers of the stored form, reachable for tests.
    void FormCreate();
    void FormShow();
    void Button1Click();
    /// The range step shared by the print and design commands.
    void applyRangeStep();
    void CheckBox2Click();
    /// Imports a workbook chosen in the file dialog.
    void Button6Click();
    /// Imports @p fileName as Button6Click does after its file dialog.
    void importWorkbook(const QString &fileName);
    void Button2Click();
    void Button3Click();
    /// Applies the range step, builds the certificate report under the progress window and
    /// shows its preview, from which it is printed.
    void Button4Click();
    /// Shows the preview; the default runs it modally. Tests answer it without a loop.
    using PreviewOpener = std::function<void(preview::TqxPreviewForm &)>;
    void setPreviewOpener(PreviewOpener opener);
    /// Applies the range step and opens the report designer on the certificate template; what
    /// the clerk changes there is what the next print uses, for the rest of the run.
    void Button5Click();
    /// Runs the designer window; the default runs it modally. Tests drive it instead.
    using DesignerRunner = std::function<int(designer::TqxDesignerForm &)>;
    void setDesignerRunner(DesignerRunner runner);
    /// Opens a report file the program was started on: a template (.qxf) in the designer, as
    /// "文件 > 打开" there would, so it is what prints for the rest of the run; a prepared report
    /// (.qxp) in the preview. A file that cannot be read is reported and changes nothing.
    void openDocument(const QString &fileName);
    /// The certificate report the print and design commands share.
    engine::TqxReport &certificateReport();
    /// Where the window and the preview keep their placement between sessions, and the window
    /// the store the clerk chose; none keeps nothing.
    void setSettingsStore(platform::SettingsStore *settings);
    /// Closes the store the window works on and opens @p spec instead, keeping it for later
    /// starts once it has opened; a store that fails leaves the window on the one it had.
    bool switchStore(const db::ConnectionSpec &spec);
    /// "选择数据库" > "打开数据库文件...": an SQLite file chosen in the file dialog.
    void chooseStoreFile();
    /// "选择数据库" > "连接数据库服务器...": a postgresql:// address typed by the clerk.
    void chooseStoreServer();
    /// Which records "预览 && 打印" takes: the count box's, the current record, or records n to m.
    PrintScope printScope() const;
    /// Finds the next record matching the find box's text and makes it current.
    void findRecord();
    /// The status line's message, and the store it names.
    QString statusMessage() const;
    QString storeText() const;
    /// The status line's name of the certificate template the next print uses.
    QString templateText() const;
    /// Puts the built-in certificate back in use after asking: a saved one is kept as
    /// "证书.qxf.bak", and the next print and every later start use the built-in one.
    void restoreBuiltInTemplate();
    /// Settles a save another desk got to first: the clerk keeps their values or takes the other
    /// desk's, until the save is stored or the clerk leaves it for later.
    void settleConflict(const db::ERecordConflict &refusal);
    /// Asks how to settle a conflict; the default shows RecordConflictDialog. Tests answer it.
    using ConflictChooser = std::function<RecordConflictDialog::Choice(const db::EditConflict &)>;
    void setConflictChooser(ConflictChooser chooser) { m_conflictChooser = std::move(chooser); }
    /// The progress window of the print command's build.
    dialogs::TqxProgressForm &progressWindow();

    static constexpr const char *kImportFilter =
        "Excel 文件 (*.xls *.xlsx);;CSV 文件 (*.csv);;所有文件 (*)";

    QPushButton *Button1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button6 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QTableView *DBGrid1 = nullptr;
    DbNavigator *DBNavigator1 = nullptr;
    QPushButton *StoreButton = nullptr;
    QComboBox *PrintScopeBox = nullptr;
    QSpinBox *SpanFirstBox = nullptr;
    QSpinBox *SpanLastBox = nullptr;
    QLineEdit *FindEdit = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QPushButton *RestoreTemplateButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *createPanel();
    QWidget *createPrintScopeRow(QWidget *panel);
    QWidget *createBottomBar();
    void showError(const QString &message);
    /// Runs @p action; whatever it throws is shown after @p failure, the sentence that says
    /// what could not be done.
    void guarded(const QString &failure, const std::function<void()> &action);
    void printCertificates();
    void updateStoreNames();
    void updateTemplateName();
    void followStoreCount();
    void fitColumns();
    void offerBirthParts(int column);
    void showStatus(const QString &message);
    /// Lists the values the built pages would print cut off, by record and field, and asks
    /// whether to go on; true when nothing is cut off or the clerk goes on. The first page shows
    /// the record at @p firstRecordRow.
    bool acceptTextOverflows(engine::TqxReport &report, qsizetype firstRecordRow);
    void followQueryToGrid(qsizetype row);
    /// Writes one PDF file per record of the certificates the preview shows into @p folder;
    /// true when all are written. Says what it wrote, or why it wrote nothing.
    bool writeRecordFiles(const QString &folder);
    void designCertificate();
    void designTemplateFile(const QString &fileName);
    void previewPagesFile(const QString &fileName);

    db::TDbConnection &m_connection;
    platform::DialogProvider &m_dialogs;
    std::unique_ptr<db::TDbQuery> Aqy;
    engine::TqxComponentRegistry m_components;
    std::unique_ptr<MainFormComponents> m_formComponents;
    // Declared after the form's components, so the report goes first on destruction.
    std::unique_ptr<output::PlatformPrinter> m_platformPrinter;
    std::unique_ptr<output::TqxPrinter> m_printer;
    std::unique_ptr<engine::TqxReport> m_report;
    std::unique_ptr<dialogs::ReportMessageBoxes> m_reportMessages;
    std::unique_ptr<preview::PreviewWindowHost> m_previewHost;
    std::unique_ptr<engine::TqxPreviewRegistration> m_previewRegistration;
    std::unique_ptr<dialogs::WidgetDialogPageHost> m_dialogPageHost;
    std::unique_ptr<designer::DesignerDialogs> m_designerDialogs;
    std::unique_ptr<designer::WidgetDesignerHost> m_designerHost;
    std::unique_ptr<engine::TqxDesignerRegistration> m_designerRegistration;
    DesignerRunner m_designerRunner;
    platform::SettingsStore *m_settings = nullptr;
    dialogs::TqxProgressForm *m_progressForm = nullptr;
    PreviewOpener m_previewOpener;
    ConflictChooser m_conflictChooser;
    DbGridModel *m_gridModel = nullptr;
    QLabel *m_storeLabel = nullptr;
    QLabel *m_templateLabel = nullptr;
    /// The records whose certificates the preview shows, while it shows built ones.
    std::optional<RecordSpan> m_previewRecords;
    /// The saved certificate could not be read, so the built-in one stands in for it.
    bool m_savedTemplateUnreadable = false;
    QWidget *m_spanControls = nullptr;
    qsizetype m_syncedCount = -1;
    bool m_shownOnce = false;
    bool m_importing = false;
};

} // namespace tovren::app
