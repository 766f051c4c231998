#include "report/engine/TqxReport.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/DictionaryBlockHandler.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/GalleryFile.h"
#include "report/engine/PagesFileSave.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/ReportPass.h"
#include "report/engine/TqxDesignerHost.h"
#include "report/engine/TqxExportFilter.h"
#include "report/model/RecordStream.h"
#include "report/model/ReportFormData.h"
#include "report/model/RunState.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/FileProblems.h"
#include "report/script/EvaluationError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

namespace tovren::engine {

namespace {

constexpr int kCancelResult = 2;

/// "@p message: @p reason", or the message alone when nothing more is known.
QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral(": ") + reason;
}

QString cannotOpen(const QString &fileName)
{
    return withReason(QStringLiteral("无法打开文件 %1").arg(fileName),
                      platform::readProblem(fileName));
}

QString cannotCreate(const QString &fileName)
{
    return withReason(QStringLiteral("无法创建文件 %1").arg(fileName),
                      platform::writeProblem(fileName));
}

QString withTitle(const QString &caption, const QString &title)
{
    return title.isEmpty() ? caption : caption + QStringLiteral(" - ") + title;
}

} // namespace

TqxReport::TqxReport(const QString &name, TqxComponent *owner, const TqxComponentRegistry &registry,
                     model::PaperSelector *paper)
    : TqxComponent(name, owner)
    , m_lookup(registry, owner)
    , m_pages(paper)
    , m_emfPages(paper)
{
    ResetReportInfo();
    m_emfPages.setOnBeginPage([this](int pageIndex) {
        if (OnBeginPage)
            OnBeginPage(pageIndex);
    });
}

TqxReport::~TqxReport()
{
    BuildRunState &run = buildRunState();
    if (run.currentReport == this)
        run.currentReport = nullptr;
    if (run.outerReport == this)
        run.outerReport = nullptr;
}

void TqxReport::ResetReportInfo()
{
    Info.reset(model::toStoredDateTime(QDateTime::currentDateTime()));
}

model::TemplateReadResult TqxReport::ReadTemplate(QIODevice &stream, model::TemplateOrigin origin)
{
    return readTemplate(stream, origin, QString());
}

model::TemplateReadResult TqxReport::readTemplate(QIODevice &stream, model::TemplateOrigin origin,
                                                  const QString &sourceName)
{
    model::runState().drawingMode = model::DrawingMode::Designing;
    buildRunState().currentReport = this;
    DictionaryBlockHandler dictionary(m_dictionary);
    model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
    model::TemplateStream reader(m_pages, settings, Info);
    reader.setBlockHandler(&dictionary);
    reader.setDialogs(m_dialogs);
    reader.setSourceName(sourceName);
    const model::TemplateReadResult result = reader.read(stream, origin);
    m_templateReadFailure = reader.failure();
    m_lastReadResult = result;
    if (result != model::TemplateReadResult::Empty &&
        result != model::TemplateReadResult::Unsupported)
        m_missingClasses = reader.missingClasses();
    UseDefaultPrinter = settings.useDefaultPrinter;
    TwoPass = settings.twoPass;
    PrinterName = settings.printerName;
    if (result != model::TemplateReadResult::Empty &&
        result != model::TemplateReadResult::Unsupported) {
        buildRunState().errorRaised = false;
        buildRunState().errorText.clear();
    }
    return result;
}

void TqxReport::WriteTemplate(QIODevice &stream)
{
    buildRunState().currentReport = this;
    DictionaryBlockHandler dictionary(m_dictionary);
    model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
    model::TemplateStream writer(m_pages, settings, Info);
    writer.setBlockHandler(&dictionary);
    writer.write(stream);
}

QByteArray TqxReport::templateBytes()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteTemplate(buffer);
    return buffer.data();
}

QByteArray TqxReport::templateSnapshot()
{
    // A fixed change stamp, so two snapshots of the same template are the same bytes.
    DictionaryBlockHandler dictionary(m_dictionary);
    model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
    model::ReportInfo info = Info;
    model::TemplateStream writer(m_pages, settings, info);
    writer.setBlockHandler(&dictionary);
    writer.setClock([] { return QDateTime(QDate(2000, 1, 1), QTime(0, 0)); });
    return writer.toBytes();
}

QByteArray TqxReport::reportFormData()
{
    return model::writeReportFormData(StoreInDFM, StoreInDFM ? templateBytes() : QByteArray());
}

void TqxReport::readReportFormData(const QByteArray &formData)
{
    std::optional<QByteArray> stream;
    try {
        stream = model::readReportFormData(formData, StoreInDFM);
    } catch (const model::ERecordFormat &) {
        showMessage(QStringLiteral("错误"), QStringLiteral("不支持的QXF格式"));
        return;
    }
    if (!stream)
        return;
    QBuffer buffer(&*stream);
    buffer.open(QIODevice::ReadOnly);
    ReadTemplate(buffer, model::TemplateOrigin::Memory);
}

bool TqxReport::LoadTemplate(const QString &fileName)
{
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    if (readTemplate(file, model::TemplateOrigin::File, fileName) !=
        model::TemplateReadResult::PasswordRefused)
        FileName = fileName;
    else
        FileName = QStringLiteral("Untitled");
    return true;
}

bool TqxReport::SaveTemplate(const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        showMessage(QStringLiteral("错误"), cannotCreate(fileName));
        return false;
    }
    WriteTemplate(file);
    if (!file.commit()) {
        showMessage(QStringLiteral("错误"), QStringLiteral("无法写入文件 %1").arg(fileName));
        return false;
    }
    return true;
}

bool TqxReport::SaveTemplateQx3(const QString &fileName)
{
    const QFileInfo info(fileName);
    const QString xmlName = info.dir().filePath(info.completeBaseName() + QStringLiteral(".qx3"));
    QSaveFile file(xmlName);
    if (!file.open(QIODevice::WriteOnly)) {
        showMessage(QStringLiteral("错误"), cannotCreate(xmlName));
        return false;
    }
    buildRunState().currentReport = this;
    DictionaryBlockHandler dictionary(m_dictionary);
    model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
    model::TemplateStream writer(m_pages, settings, Info);
    writer.setBlockHandler(&dictionary);
    writer.writeXml(file);
    if (!file.commit()) {
        showMessage(QStringLiteral("错误"), QStringLiteral("无法写入文件 %1").arg(xmlName));
        return false;
    }
    return true;
}

bool TqxReport::LoadTemplateWithDescription(const QString &fileName, QStringList &description,
                                            model::PictureGraphic &picture, bool loadTemplate)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(QStringLiteral("错误"), cannotOpen(fileName));
        return false;
    }
    try {
        if (loadTemplate) {
            DictionaryBlockHandler dictionary(m_dictionary);
            model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
            GalleryFile::readTemplate(file, m_pages, settings, dictionary);
            UseDefaultPrinter = settings.useDefaultPrinter;
            TwoPass = settings.twoPass;
            PrinterName = settings.printerName;
        } else {
            GalleryFile::Preview preview = GalleryFile::readPreview(file);
            description = preview.description;
            picture = preview.picture;
        }
    } catch (const model::ERecordFormat &) {
        showMessage(QStringLiteral("错误"), QStringLiteral("不支持的QXF格式"));
        return false;
    }
    return true;
}

bool TqxReport::SaveTemplateWithDescription(const QString &fileName, const QStringList &description,
                                            const model::PictureGraphic &picture)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        showMessage(QStringLiteral("错误"), cannotCreate(fileName));
        return false;
    }
    DictionaryBlockHandler dictionary(m_dictionary);
    const model::TemplateSettings settings{UseDefaultPrinter, TwoPass, PrinterName};
    GalleryFile::write(file, GalleryFile::Preview{description, picture}, m_pages, settings,
                       dictionary);
    if (!file.commit()) {
        showMessage(QStringLiteral("错误"), QStringLiteral("无法写入文件 %1").arg(fileName));
        return false;
    }
    return true;
}

void TqxReport::ClearReport()
{
    m_pages.Clear();
    m_dictionary.Clear();
    TwoPass = false;
}

model::TqxView *TqxReport::FindObject(const QString &name) const
{
    return m_pages.FindObject(name);
}

void TqxReport::SelectPrinterByName(const QString &name)
{
    PrinterName = name;
}

int TqxReport::OpenDesigner()
{
    SelectPrinterByName(PrinterName);
    if (m_pages.Count() == 0)
        m_pages.Add();
    buildRunState().currentReport = this;
    TqxDesignerHost *designer = TqxDesignerHost::registered();
    return designer ? designer->designReport(*this) : kCancelResult;
}

bool TqxReport::EditPreparedPage(int index)
{
    TqxDesignerHost *designer = TqxDesignerHost::registered();
    if (!designer || index < 0 || index >= m_emfPages.Count())
        return false;
    const QByteArray savedTemplate = templateBytes();
    m_pages.Clear();
    TqxPreparedPage &prepared = m_emfPages.Page(index);
    m_emfPages.Unpack(index);
    m_pages.adopt(std::move(prepared.unpacked));
    bool keep = false;
    // Whatever happens in the designer, the prepared page gets its objects back and the
    // template comes back as it was.
    const auto restore = qScopeGuard([&] {
        prepared.unpacked = m_pages.release(0);
        if (keep)
            m_emfPages.Pack(index);
        m_pages.Clear();
        QBuffer buffer;
        buffer.setData(savedTemplate);
        buffer.open(QIODevice::ReadOnly);
        readTemplate(buffer, model::TemplateOrigin::Memory, QString());
    });
    buildRunState().currentReport = this;
    keep = designer->designPreparedPage(*this) &&
           (!m_dialogs || m_dialogs->messageBox(QStringLiteral("保存变动?"), QStringLiteral("确认"),
                                                platform::mb_YesNo | platform::mb_IconQuestion) ==
                              platform::mrYes);
    return keep;
}

void TqxReport::showMessage(const QString &caption, const QString &text)
{
    m_lastMessage = text;
    if (m_messages)
        m_messages->showError(caption, text);
}

void TqxReport::ProgressStep(int n)
{
    if (OnProgress) {
        OnProgress(n);
        return;
    }
    if (!ShowProgress || !m_progress)
        return;
    const BuildRunState &run = buildRunState();
    const bool counted = (TwoPass && FinalPass) || run.totalPageCount > 0;
    m_progress->step(n, counted ? run.totalPageCount : 0);
}

void TqxReport::ReportEvaluationError(const QString &errorMessage)
{
    BuildRunState &run = buildRunState();
    if (run.errorRaised)
        return; // the first error stops the build; later ones are its consequences
    run.errorRaised = true;
    QString objectPart;
    if (const model::TqxView *object = model::runState().currentObject) {
        for (const QString &line : object->Memo)
            objectPart += u'\r' + line;
        objectPart = objectPart + u'\r' + QStringLiteral("对象:") + u' ' + object->Name + u'\r';
    }
    const TqxReport *current = run.currentReport ? run.currentReport : this;
    run.errorText = QStringLiteral("计算时发生错误") + QStringLiteral("\r\r") +
                    QStringLiteral("报表:") + u' ' + current->objectName() + u'\r' + objectPart +
                    u'\r' + errorMessage;
    TqxReport *outer = run.outerReport ? run.outerReport : this;
    outer->StopRequested = true;
}

bool TqxReport::BuildPages()
{
    BuildRunState &run = buildRunState();
    model::RunState &objects = model::runState();
    SelectPrinterByName(PrinterName);
    objects.drawingMode = model::DrawingMode::Output;
    const double now = model::toStoredDateTime(QDateTime::currentDateTime());
    run.buildDate = std::floor(now);
    run.buildTime = now - run.buildDate;
    m_pages.ApplyBandAlignments();
    objects.currentPage = nullptr;
    run.currentBand = nullptr;
    run.outerReport = run.currentReport = this;
    m_twoPassAtStart = TwoPass;
    run.errorRaised = false;
    run.errorText.clear();
    m_lastMessage.clear();

    // Scripts may change objects, flags and texts while building; the template comes back
    // from this copy afterwards.
    const QByteArray savedTemplate = templateSnapshot();
    const model::ReportInfo savedInfo = Info;
    bool result = false;
    QString generalError;
    try {
        m_evaluation = std::make_unique<ReportEvaluation>(*this);
        if (OnBeginDoc)
            OnBeginDoc();
        result = runPasses();
        if (OnEndDoc)
            OnEndDoc();
    } catch (const script::EvaluationError &error) {
        // Raised outside object output, such as by a page script: the same composed message.
        ReportEvaluationError(error.message());
    } catch (const EReportError &error) {
        generalError = error.message();
    } catch (const model::ERecordFormat &error) {
        generalError = QString::fromUtf8(error.what());
    }
    m_evaluation.reset();
    const bool errorRaised = run.errorRaised;
    const QString errorText = run.errorText;
    // Reading back replaces every page object, so it is done only when something changed:
    // callers may hold on to the objects of an unchanged template.
    if (templateSnapshot() != savedTemplate) {
        // The copy lacks the objects the file's missing classes took with them; the template
        // still lacks them after the build, so they are still to be named.
        const QStringList missingClasses = m_missingClasses;
        QBuffer restored;
        restored.setData(savedTemplate);
        restored.open(QIODevice::ReadOnly);
        ReadTemplate(restored);
        Info = savedInfo;
        m_missingClasses = missingClasses;
    }
    objects.drawingMode = model::DrawingMode::Output;
    run.errorRaised = errorRaised;
    run.errorText = errorText;
    TwoPass = m_twoPassAtStart;
    FinalPass = false;
    if (run.dialogCancelled)
        result = false;
    if (run.errorRaised) {
        showMessage(QStringLiteral("错误"), run.errorText);
        m_emfPages.Clear();
        result = false;
    } else if (!generalError.isEmpty()) {
        showMessage(QStringLiteral("错误"), generalError);
        m_emfPages.Clear();
        result = false;
    } else if (run.dialogCancelled) {
        m_emfPages.Clear();
    }
    objects.suppressDrawing = false;
    objects.currentObject = nullptr;
    run.currentBand = nullptr;
    m_buildCancelled = StopRequested && m_emfPages.Count() > 0;
    return result && !StopRequested;
}

bool TqxReport::runPasses()
{
    BuildRunState &run = buildRunState();
    model::RunState &objects = model::runState();
    StopRequested = false;
    run.appendToPreviousPage = false;
    objects.suppressDrawing = false;
    FinalPass = true;
    run.pageIndex = 0;
    m_emfPages.Clear();
    const QString caption = withTitle(QStringLiteral("正在准备报表"), Title);
    if (TwoPass) {
        objects.suppressDrawing = true;
        FinalPass = false;
        if (m_progress && ShowProgress && !OnProgress)
            m_progress->beginPass(caption, QStringLiteral("进行第一次处理:"));
    } else {
        TwoPass = m_twoPassAtStart;
        if (!m_twoPassAtStart)
            run.totalPageCount = 0;
        if (m_progress && ShowProgress && !OnProgress)
            m_progress->beginPass(caption, QStringLiteral("正在处理页:"));
    }
    return runOnePass();
}

bool TqxReport::runOnePass()
{
    BuildRunState &run = buildRunState();
    ReportPass(*this).run();
    if (FinalPass) {
        if (m_progress && ShowProgress && !OnProgress)
            m_progress->endPass();
        return !StopRequested;
    }
    run.totalPageCount = static_cast<int>(m_emfPages.Count());
    TwoPass = false;
    if (StopRequested) {
        m_emfPages.Clear();
        if (m_progress && ShowProgress && !OnProgress)
            m_progress->endPass();
        TwoPass = true;
        return false;
    }
    const bool result = runPasses();
    TwoPass = true;
    return result;
}

TqxPreviewOutcome TqxReport::PreviewPages()
{
    BuildRunState &run = buildRunState();
    run.currentReport = run.outerReport = this;
    model::runState().drawingMode = model::DrawingMode::Output;
    run.currentBand = nullptr;
    if (m_emfPages.Count() == 0)
        return TqxPreviewOutcome::NoPages;
    TqxPreviewHost *host = TqxPreviewHost::registered();
    if (!host) {
        showMessage(QStringLiteral("错误"), QStringLiteral("没有可用的预览窗口"));
        return TqxPreviewOutcome::NoPreviewWindow;
    }
    QString caption = withTitle(QStringLiteral("预览"), Title);
    if (m_buildCancelled) {
        const int built = static_cast<int>(m_emfPages.Count());
        caption += ExpectedPageCount > built
                       ? QStringLiteral(" —— 已取消, 只生成了 %1 / %2 页")
                             .arg(built)
                             .arg(ExpectedPageCount)
                       : QStringLiteral(" —— 已取消, 只生成了 %1 页").arg(built);
    }
    host->showPreview(*this, caption);
    return TqxPreviewOutcome::Shown;
}

TqxPreviewOutcome TqxReport::BuildAndPreview()
{
    BuildPages();
    return PreviewPages();
}

bool TqxReport::ExportPages(TqxExportFilter &filter, const QString &fileName)
{
    BuildRunState &run = buildRunState();
    model::runState().drawingMode = model::DrawingMode::Output;
    filter.FileName = fileName;
    QString name = fileName;
    if (!filter.beforeExport(name) || !filter.showOptions())
        return false;
    filter.FileName = name;
    run.currentReport = run.outerReport = this;
    run.totalPageCount = static_cast<int>(m_emfPages.Count());
    // The export runs under the progress window; it always runs to the end, Cancel or not.
    const bool inWindow = m_progress && ShowProgress && !OnProgress;
    if (inWindow)
        m_progress->beginPass(withTitle(QStringLiteral("正在准备报表"), Title),
                              QStringLiteral("正在处理页:"));
    const auto closeWindow = qScopeGuard([&] {
        if (inWindow)
            m_progress->endPass();
    });
    try {
        filter.beginDocument();
        for (qsizetype i = 0; i < m_emfPages.Count(); ++i) {
            filter.beginPage(m_emfPages.Page(i));
            m_emfPages.ExportPage(i, filter);
            ProgressStep(static_cast<int>(i + 1));
            filter.endPage();
        }
        filter.endDocument();
    } catch (const EReportError &error) {
        showMessage(QStringLiteral("错误"), error.message());
        return false;
    } catch (const model::ERecordFormat &error) {
        showMessage(QStringLiteral("错误"), QString::fromUtf8(error.what()));
        return false;
    }
    filter.afterExport(name);
    return true;
}

bool TqxReport::LoadPagesFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(QStringLiteral("错误"), cannotOpen(fileName));
        return false;
    }
    try {
        const TqxEMFPages::FileHeader header = m_emfPages.ReadPagesFile(file);
        SelectPrinterByName(header.printerName);
        Info.generatorVersion = header.generatorVersion;
        m_buildCancelled = false;
    } catch (const model::ERecordFormat &error) {
        showMessage(
            QStringLiteral("错误"),
            QStringLiteral("文件 %1 已损坏: %2").arg(fileName, QString::fromUtf8(error.what())));
        PagesRebuildable = false;
        return false;
    }
    PagesRebuildable = false;
    return true;
}

bool TqxReport::SavePagesFile(const QString &fileName)
{
    const std::unique_ptr<PagesFileSave> save = startSavingPagesFile(fileName);
    return save && finishSavingPagesFile(*save);
}

std::unique_ptr<PagesFileSave> TqxReport::startSavingPagesFile(const QString &fileName)
{
    auto save =
        std::make_unique<PagesFileSave>(m_emfPages, fileName, PrinterName, Info.generatorVersion);
    if (save->started())
        return save;
    showMessage(QStringLiteral("错误"), cannotCreate(fileName));
    return nullptr;
}

bool TqxReport::finishSavingPagesFile(PagesFileSave &save)
{
    if (save.commit())
        return true;
    showMessage(QStringLiteral("错误"), QStringLiteral("无法写入文件 %1").arg(save.fileName()));
    return false;
}

} // namespace tovren::engine
