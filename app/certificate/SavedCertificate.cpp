#include "app/certificate/SavedCertificate.h"

#include "app/certificate/CertificateTemplate.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovren::app {

namespace {

const QString kFileName = QStringLiteral("证书.qxf");

} // namespace

bool loadBuiltInCertificate(engine::TqxReport &report)
{
    const std::optional<QByteArray> stream =
        model::readReportFormData(certificateReportForm(), true);
    QBuffer buffer;
    buffer.setData(stream.value_or(QByteArray()));
    buffer.open(QIODevice::ReadOnly);
    return report.ReadTemplate(buffer) == model::TemplateReadResult::Loaded &&
           report.Pages().Count() > 0;
}

SavedCertificate::SavedCertificate(const QString &storeFile)
    : m_path(QDir(storeFile.isEmpty() ? QDir::currentPath() : QFileInfo(storeFile).absolutePath())
                 .filePath(kFileName))
{}

bool SavedCertificate::exists() const
{
    return QFileInfo(m_path).isFile();
}

SavedCertificate::Loaded SavedCertificate::load(engine::TqxReport &report) const
{
    Loaded loaded = Loaded::BuiltIn;
    if (exists()) {
        if (report.LoadTemplate(m_path) &&
            report.lastReadResult() == model::TemplateReadResult::Loaded &&
            report.Pages().Count() > 0)
            loaded = Loaded::Saved;
        else
            loaded = Loaded::SavedUnreadable;
    }
    if (loaded != Loaded::Saved) {
        report.ClearReport();
        loadBuiltInCertificate(report);
    }
    // The designer's "保存" goes straight to the file the next start reads.
    report.FileName = m_path;
    report.Modified = false;
    return loaded;
}

bool SavedCertificate::restoreBuiltIn(QString *error) const
{
    if (!exists())
        return true;
    const QString backup = m_path + QStringLiteral(".bak");
    if (QFile::exists(backup))
        QFile::remove(backup);
    if (QFile::rename(m_path, backup))
        return true;
    if (error)
        *error = QStringLiteral("无法把 %1 改名为 %2").arg(m_path, backup);
    return false;
}

} // namespace tovren::app
