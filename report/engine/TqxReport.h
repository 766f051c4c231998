#pragma once

#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/engine/TqxEMFPages.h"
#include "report/engine/TqxPreviewHost.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>

class QIODevice;

namespace tovren::model {
class PictureGraphic;
class TqxView;
} // namespace tovren::model

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::engine {

class PagesFileSave;
class TqxBand;
class TqxDataset;
class TqxDialogPageHost;
class TqxExportFilter;
class TqxProgressSink;
class ReportEvaluation;

enum TqxReportType { rtSimple, rtMultiple };
enum TqxPreviewZoom { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
enum TqxPreviewButton {
    pbZoom = 0x01,
    pbLoad = 0x02,
    pbSave = 0x04,
    pbPrint = 0x08,
    pbFind = 0x10,
    pbHelp = 0x20,
    pbExit = 0x40,
    pbPageSetup = 0x80,
};
/// A set of TqxPreviewButton values.
using TqxPreviewButtons = int;

/// What a report shows or asks while it builds: the page being built, and whether the pass may
/// run. The GUI's progress window implements it; the command line draws a bar on the terminal.
class TqxProgressSink
{
public:
    virtual ~TqxProgressSink() = default;
    /// @p caption and @p prefix describe the pass; @p total is 0 when the count is unknown.
    virtual void beginPass(const QString &caption, const QString &prefix) = 0;
    virtual void step(int pageNumber, int total) = 0;
    virtual void endPass() = 0;
    /// Free text a script shows under the progress line (the name PROGRESS).
    virtual void setNote(const QString &note) { Q_UNUSED(note); }
};

/// Where the report sends what it must tell the user: the composed evaluation error, format
/// errors of a template. Without one, messages are kept in lastMessage() only.
class TqxReportMessages
{
public:
    virtual ~TqxReportMessages() = default;
    virtual void showError(const QString &caption, const QString &text) = 0;
};

/// The report component: a template of pages, the prepared pages built from it and its data
/// dictionary, with the entry points that build, export and read and write report files.
///
/// A build never changes the template: it is saved before and restored after. Evaluation
/// errors raised while objects are output end the build with one composed message and no
/// pages; other errors (a data source that cannot open) end it with their own text.
class TqxReport : public TqxComponent
{
    Q_OBJECT
public:
    /// New pages select their paper through @p paper (may be null), which must outlive the
    /// report; data sources are looked up among the components of @p owner through @p registry.
    TqxReport(const QString &name, TqxComponent *owner, const TqxComponentRegistry &registry,
              model::PaperSelector *paper = nullptr);
    ~TqxReport() override;

    // Published properties.
    TqxDataset *Dataset = nullptr;
    int DefaultCopies = 1;
    bool DefaultCollate = true;
    bool GrayedButtons = false;
    TqxPreviewZoom InitialZoom = pzDefault;
    bool MDIPreview = false;
    bool ModalPreview = true;
    bool ModifyPrepared = true;
    TqxPreviewButtons PreviewButtons =
        pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
    bool PrintIfEmpty = true;
    TqxReportType ReportType = rtSimple;
    bool ShowPrintDialog = true;
    bool ShowProgress = true;
    bool StoreInDFM = false;
    QString Title;
    bool RebuildPrinter = false;

    // Events.
    std::function<void()> OnBeginDoc;
    std::function<void()> OnEndDoc;
    std::function<void(int pgNo)> OnBeginPage;
    std::function<void(int pgNo)> OnEndPage;
    std::function<void(TqxBand &band)> OnBeginBand;
    std::function<void(TqxBand &band)> OnEndBand;
    /// Before the cross columns of @p band are measured or output.
    std::function<void(TqxBand &band)> OnBeginColumn;
    /// Per cross column; a handler may change @p width, the width of the column.
    std::function<void(int colNo, int &width)> OnPrintColumn;
    std::function<void(const QString &name, script::Variant &value)> OnGetValue;
    std::function<void(QStringList &memo, model::TqxView &view)> OnBeforePrint;
    std::function<void(const QString &name, const QString &p1, const QString &p2, const QString &p3,
                       script::Variant &value)>
        OnUserFunction;
    std::function<void(int n)> OnProgress;
    std::function<void(model::TqxPage &page)> OnManualBuild;
    std::function<void(model::TqxView &view)> OnObjectClick;
    std::function<void(model::TqxView &view, int &cursor)> OnMouseOverObject;

    // Template options and information.
    bool TwoPass = false;
    bool UseDefaultPrinter = false;
    QString PrinterName;
    /// Comment, name, author, version texts, dates, generator version and password.
    model::ReportInfo Info;
    QString FileName = QStringLiteral("Untitled");
    /// Set and read by the designer: the template has unsaved changes.
    bool Modified = false;
    /// Set by the designer when it changed the template in whole-report mode, so the owner
    /// knows its template was edited; the report only keeps it.
    bool DesignChanged = false;

    /// How many pages the caller expects the build to make, 0 when it cannot tell: the progress
    /// window shows it as the total of a one-pass build, and the preview of a cancelled build
    /// says how many of them were made.
    int ExpectedPageCount = 0;

    // Run flags.
    bool StopRequested = false;
    bool FinalPass = false;
    bool PagesRebuildable = false;

    model::TqxPages &Pages() { return m_pages; }
    TqxEMFPages &EMFPages() { return m_emfPages; }
    TqxDataDictionary &Dictionary() { return m_dictionary; }
    const TqxComponentLookup &components() const { return m_lookup; }

    void ResetReportInfo();
    /// The first object of that name, ignoring case, over the template pages in order.
    model::TqxView *FindObject(const QString &name) const;
    /// Unless UseDefaultPrinter is set the printer layer would make that printer current; the
    /// name is always kept.
    void SelectPrinterByName(const QString &name);
    /// Shows the registered designer modally on the template and returns its modal result; the
    /// cancel result (2) when no designer is registered. A template without pages gets one.
    int OpenDesigner();
    /// Turns prepared page @p index back into objects, shows it alone in the registered
    /// designer and, when the person changed it and confirms, writes it back into the prepared
    /// page. The template is the same before and after. False when nothing was written back,
    /// and always when no designer is registered.
    bool EditPreparedPage(int index);

    /// Builds the prepared pages; true when they were built to the end.
    bool BuildPages();
    /// True when the prepared pages are what a build made before the person stopped it: an
    /// incomplete batch, which the preview says in its title and asks about before printing.
    bool BuildCancelled() const { return m_buildCancelled; }
    /// Shows the prepared pages in the registered preview window; opens none when there are no
    /// pages, and reports it when no preview window is registered.
    TqxPreviewOutcome PreviewPages();
    /// BuildPages, then PreviewPages whatever the build returned: a cancelled build shows the
    /// pages it had made, a failed one has none left to show.
    TqxPreviewOutcome BuildAndPreview();
    /// Hands every prepared page to @p filter, which writes @p fileName.
    bool ExportPages(TqxExportFilter &filter, const QString &fileName);

    /// Reads a template; an empty stream changes nothing, an unsupported or damaged one is
    /// reported through the messages and the outcome says what became of the pages.
    model::TemplateReadResult
    ReadTemplate(QIODevice &stream, model::TemplateOrigin origin = model::TemplateOrigin::Memory);
    /// Class names of the add-in objects the last template read left out because the program
    /// has no such class, each once; empty when every object was read. A build keeps them.
    /// model::missingClassesText() words the message that names them.
    const QStringList &missingClasses() const { return m_missingClasses; }
    /// How the last template read ended.
    model::TemplateReadResult lastReadResult() const { return m_lastReadResult; }
    /// What made the last template read fail (unsupported or damaged), for the technician.
    const QString &templateReadFailure() const { return m_templateReadFailure; }
    void WriteTemplate(QIODevice &stream);
    QByteArray templateBytes();
    /// The "ReportForm" form data: the int 25, and with StoreInDFM the template stream.
    QByteArray reportFormData();
    /// Reads "ReportForm" form data as the owning form finishes loading; StoreInDFM must be
    /// set first, as the form reads it before this property. Damaged data is reported and
    /// leaves the template as it was.
    void readReportFormData(const QByteArray &formData);
    /// False when the file does not exist; nothing changes then. Messages name the file.
    bool LoadTemplate(const QString &fileName);
    /// Writes through a temporary file that replaces @p fileName only when complete.
    bool SaveTemplate(const QString &fileName);
    /// Writes the XML export to @p fileName with its extension replaced by ".qx3", through a
    /// temporary file as SaveTemplate does.
    bool SaveTemplateQx3(const QString &fileName);
    /// Reads a gallery file: with @p loadTemplate its template pages, otherwise only its
    /// description and picture. False, with a message, when the file cannot be read.
    bool LoadTemplateWithDescription(const QString &fileName, QStringList &description,
                                     model::PictureGraphic &picture, bool loadTemplate);
    bool SaveTemplateWithDescription(const QString &fileName, const QStringList &description,
                                     const model::PictureGraphic &picture);
    /// Empties the template pages and the dictionary and clears TwoPass.
    void ClearReport();

    bool LoadPagesFile(const QString &fileName);
    /// Writes through a temporary file that replaces @p fileName only when complete.
    bool SavePagesFile(const QString &fileName);
    /// Starts writing the prepared pages to @p fileName on a thread of its own, for the caller
    /// to read them meanwhile (see PagesFileSave); null, with a message shown, when the file
    /// cannot be created.
    std::unique_ptr<PagesFileSave> startSavingPagesFile(const QString &fileName);
    /// Gives a save started above its file; false, with a message shown, when it failed.
    bool finishSavingPagesFile(PagesFileSave &save);

    void setProgressSink(TqxProgressSink *sink) { m_progress = sink; }
    TqxProgressSink *progressSink() const { return m_progress; }
    void setMessages(TqxReportMessages *messages) { m_messages = messages; }
    TqxReportMessages *messages() const { return m_messages; }
    /// Dialogs of the template reader (the password prompt); none answers "cancelled".
    void setDialogs(platform::DialogProvider *dialogs) { m_dialogs = dialogs; }
    /// Shows the template's dialog pages while building; without one they are not shown.
    void setDialogPageHost(TqxDialogPageHost *host) { m_dialogPageHost = host; }
    TqxDialogPageHost *dialogPageHost() const { return m_dialogPageHost; }
    /// The last message the report showed (or would have shown).
    const QString &lastMessage() const { return m_lastMessage; }

    /// The page engine's progress step with page number @p n.
    void ProgressStep(int n);
    /// Turns a caught error into the build's one message and stops the build.
    void ReportEvaluationError(const QString &errorMessage);
    void showMessage(const QString &caption, const QString &text);

    /// Value resolution and script running of the current build, or nullptr between builds.
    ReportEvaluation *evaluation() const { return m_evaluation.get(); }

    /// The template as it stands (pages, dictionary, settings, information) with a fixed change
    /// stamp, so two snapshots of the same template are the same bytes; ReadTemplate() of it
    /// puts the template back.
    QByteArray templateSnapshot();

private:
    model::TemplateReadResult readTemplate(QIODevice &stream, model::TemplateOrigin origin,
                                           const QString &sourceName);
    bool runPasses();
    bool runOnePass();

    TqxComponentLookup m_lookup;
    model::TqxPages m_pages;
    TqxEMFPages m_emfPages;
    TqxDataDictionary m_dictionary;
    TqxProgressSink *m_progress = nullptr;
    TqxReportMessages *m_messages = nullptr;
    platform::DialogProvider *m_dialogs = nullptr;
    TqxDialogPageHost *m_dialogPageHost = nullptr;
    QString m_lastMessage;
    QStringList m_missingClasses;
    QString m_templateReadFailure;
    model::TemplateReadResult m_lastReadResult = model::TemplateReadResult::Empty;
    std::unique_ptr<ReportEvaluation> m_evaluation;
    bool m_twoPassAtStart = false;
    bool m_buildCancelled = false;
};

} // namespace tovren::engine
