#include "report/designer/DesignerDocument.h"

#include "report/designer/PageListCommands.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/TqxReport.h"
#include "report/model/PictureGraphic.h"

#include <QBuffer>
#include <QFileInfo>

namespace tovren::designer {

const QString DesignerDocument::kUntitled = QStringLiteral("Untitled");

namespace {

bool readFailed(model::TemplateReadResult result)
{
    return result == model::TemplateReadResult::Damaged ||
           result == model::TemplateReadResult::Unsupported ||
           result == model::TemplateReadResult::PasswordRefused;
}

} // namespace

DesignerDocument::DesignerDocument(engine::TqxReport &report, bool wholeReport)
    : m_report(report)
    , m_wholeReport(wholeReport)
    , m_documentName(wholeReport ? report.FileName : kUntitled)
{
    if (m_documentName.isEmpty())
        m_documentName = kUntitled;
}

QString DesignerDocument::windowCaption() const
{
    const QString name =
        isUntitled() ? QStringLiteral("未命名") : QFileInfo(m_documentName).fileName();
    return QStringLiteral("设计器 - ") + name;
}

QString DesignerDocument::saveChangesQuestion() const
{
    const QString name =
        isUntitled() ? QStringLiteral("未命名") : QFileInfo(m_documentName).fileName();
    return QStringLiteral("保存变动 到 ") + name + u'?';
}

bool DesignerDocument::isModified() const
{
    return m_report.Modified;
}

void DesignerDocument::markModified(bool modified)
{
    m_report.Modified = modified;
    if (modified && m_wholeReport)
        m_report.DesignChanged = true;
}

void DesignerDocument::newBlank()
{
    m_report.ClearReport();
    PageListCommands(m_report.Pages()).addPage();
    m_documentName = kUntitled;
    markModified(false);
    m_report.DesignChanged = true;
}

DesignerDocument::Saved DesignerDocument::saveReport() const
{
    return {m_report.templateSnapshot(), m_report.Info, m_report.FileName};
}

void DesignerDocument::restoreReport(const Saved &saved)
{
    QBuffer buffer;
    buffer.setData(saved.snapshot);
    buffer.open(QIODevice::ReadOnly);
    m_report.ClearReport();
    m_report.ReadTemplate(buffer);
    m_report.Info = saved.info;
    m_report.FileName = saved.fileName;
}

void DesignerDocument::showError(const QString &text) const
{
    m_report.showMessage(QStringLiteral("错误"), text);
}

bool DesignerDocument::openTemplate(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        showError(QStringLiteral("文件不存在: %1").arg(fileName));
        return false;
    }
    const Saved saved = saveReport();
    m_report.ClearReport();
    if (!m_report.LoadTemplate(fileName) || readFailed(m_report.lastReadResult())) {
        restoreReport(saved);
        return false;
    }
    m_documentName = fileName;
    markModified(false);
    m_report.DesignChanged = true;
    return true;
}

bool DesignerDocument::openDictionary(const QString &fileName)
{
    const Saved saved = saveReport();
    try {
        m_report.Dictionary().LoadFile(fileName);
    } catch (const engine::EReportError &error) {
        restoreReport(saved);
        showError(error.message());
        return false;
    }
    return true;
}

bool DesignerDocument::takeGalleryTemplate(const QString &fileName)
{
    const Saved saved = saveReport();
    QStringList description;
    model::PictureGraphic picture;
    m_report.ClearReport();
    if (!m_report.LoadTemplateWithDescription(fileName, description, picture, true)) {
        restoreReport(saved);
        return false;
    }
    if (m_report.Pages().Count() == 0)
        PageListCommands(m_report.Pages()).addPage();
    m_documentName = kUntitled;
    return true;
}

bool DesignerDocument::writeAs(SaveKind kind, const QString &fileName)
{
    switch (kind) {
    case SaveKind::Xml:
        return m_report.SaveTemplateQx3(fileName);
    case SaveKind::Dictionary:
        try {
            m_report.Dictionary().SaveFile(fileName);
        } catch (const engine::EReportError &error) {
            showError(error.message());
            return false;
        }
        return true;
    case SaveKind::Gallery:
    case SaveKind::Template:
        break;
    }
    return m_report.SaveTemplate(fileName);
}

bool DesignerDocument::save()
{
    if (isUntitled())
        return false;
    // A document read from or saved as an XML export is saved as one again: writing the
    // binary format under a .qx3 name would leave a file that nothing reads as XML.
    const bool xml = QFileInfo(m_documentName).suffix().compare(u"qx3", Qt::CaseInsensitive) == 0;
    if (!writeAs(xml ? SaveKind::Xml : SaveKind::Template, m_documentName))
        return false;
    markModified(false);
    return true;
}

bool DesignerDocument::saveAs(SaveKind kind, const QString &fileName)
{
    const QString target = withSuffix(fileName, suffixOf(kind));
    if (!writeAs(kind, target))
        return false;
    if (kind == SaveKind::Template || kind == SaveKind::Xml) {
        m_documentName = target;
        markModified(false);
    }
    return true;
}

bool DesignerDocument::saveAsGallery(const QString &fileName, const QStringList &description,
                                     const model::PictureGraphic &picture)
{
    // A gallery template is a copy for later reports: the document keeps its name and, as it
    // is not saved itself, its modified flag.
    return m_report.SaveTemplateWithDescription(withSuffix(fileName, suffixOf(SaveKind::Gallery)),
                                                description, picture);
}

QString DesignerDocument::openFilters()
{
    return QStringLiteral("Quorix 表单 (*.qxf);;Quorix 字典 (*.qxd)");
}

QString DesignerDocument::saveFilters()
{
    return QStringLiteral(
        "Quorix 表单 (*.qxf);;Quorix3 表单 (*.qx3);;Quorix 模版 (*.qxt);;Quorix 字典 (*.qxd)");
}

QString DesignerDocument::withSuffix(const QString &fileName, const QString &suffix)
{
    const QFileInfo info(fileName);
    const QString base = info.suffix().isEmpty()
                             ? fileName
                             : fileName.left(fileName.size() - info.suffix().size() - 1);
    return base + suffix;
}

QString DesignerDocument::suffixOf(SaveKind kind)
{
    switch (kind) {
    case SaveKind::Xml:
        return QStringLiteral(".qx3");
    case SaveKind::Gallery:
        return QStringLiteral(".qxt");
    case SaveKind::Dictionary:
        return QStringLiteral(".qxd");
    case SaveKind::Template:
        break;
    }
    return QStringLiteral(".qxf");
}

} // namespace tovren::designer
