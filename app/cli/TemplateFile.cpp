#include "app/cli/TemplateFile.h"

#include "app/certificate/CertificateTemplate.h"
#include "report/model/ReportFormData.h"

#include "app/cli/Arguments.h"
#include "report/platform/DialogProvider.h"

#include <QFile>
#include <stdexcept>

namespace tovren::cli {

namespace {

/// Writes every message box to the error stream and answers the password prompt from the
/// command line; file dialogs are never needed here and answer as cancelled.
class ConsoleDialogs : public platform::DialogProvider
{
public:
    ConsoleDialogs(QTextStream &err, std::optional<QString> password)
        : m_err(err)
        , m_password(std::move(password))
    {}

    int messageBox(const QString &text, const QString &caption, int) override
    {
        QString shown = text;
        shown.replace(u'\r', u'\n');
        m_err << caption << ": " << shown.trimmed() << '\n';
        return platform::mrOk;
    }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        return m_password;
    }

private:
    QTextStream &m_err;
    std::optional<QString> m_password;
};

} // namespace

TemplateFile::TemplateFile() = default;
TemplateFile::~TemplateFile() = default;

void TemplateFile::load(const QString &path, const std::optional<QString> &password, CommandIo &io,
                        MissingClasses missing)
{
    QFile file(path);
    if (!file.exists())
        throw UsageError(QStringLiteral("模板文件不存在: ") + path);
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("无法打开模板文件: ") + path);
    ConsoleDialogs dialogs(io.err, password);
    m_stream.setDialogs(&dialogs);
    const model::TemplateReadResult result = m_stream.read(file, model::TemplateOrigin::File);
    m_stream.setDialogs(nullptr);
    switch (result) {
    case model::TemplateReadResult::Loaded:
        return;
    case model::TemplateReadResult::Empty:
        throw std::runtime_error(QStringLiteral("模板文件为空: %1").arg(path).toStdString());
    case model::TemplateReadResult::PasswordRefused:
        throw std::runtime_error(
            QStringLiteral("模板受密码保护, 密码不正确或未给出 (--password)").toStdString());
    case model::TemplateReadResult::MissingClasses:
        if (missing == MissingClasses::Accept)
            return;
        throw std::runtime_error(
            QStringLiteral("模板含有未注册的对象类, 无法完整读入: %1").arg(path).toStdString());
    case model::TemplateReadResult::Unsupported:
    case model::TemplateReadResult::Damaged:
        break;
    }
    throw std::runtime_error(QStringLiteral("无法读入模板: %1").arg(path).toStdString());
}

} // namespace tovren::cli

namespace tovren::cli {

void TemplateFile::loadBuiltInCertificate()
{
    const std::optional<QByteArray> stream =
        model::readReportFormData(app::certificateReportForm(), true);
    if (!stream || m_stream.read(*stream) != model::TemplateReadResult::Loaded)
        throw std::runtime_error("内置的证书模板无法读入");
}

} // namespace tovren::cli
