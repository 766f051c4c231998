#include "app/cli/TemplateFile.h"

#include "app/certificate/CertificateTemplate.h"
#include "app/cli/Arguments.h"
#include "report/model/ReportFormData.h"
#include "report/platform/FileProblems.h"

#include <stdexcept>

namespace tovren::cli {

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

void printMissingClasses(const QStringList &classNames, const QString &path, QTextStream &err)
{
    QString text = model::missingClassesText(classNames);
    text.replace(u'\r', u'\n');
    err << "模板文件 " << path << ": " << text << '\n';
    err.flush();
}

} // namespace

void openTemplateFile(QFile &file)
{
    const QString problem = platform::readProblem(file.fileName());
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法读取模板文件 %1: %2").arg(file.fileName(), problem));
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("无法打开模板文件 %1").arg(file.fileName()));
}

void acceptTemplateRead(const TemplateReadOutcome &outcome, const QString &path,
                        MissingClasses missing, CommandIo &io, const QString &acceptHint)
{
    switch (outcome.result) {
    case model::TemplateReadResult::Loaded:
        return;
    case model::TemplateReadResult::Empty:
        refuse(QStringLiteral("模板文件为空: %1").arg(path));
    case model::TemplateReadResult::PasswordRefused:
        refuse(QStringLiteral("模板文件 %1 受密码保护, 密码不正确或未给出 (--password)").arg(path));
    case model::TemplateReadResult::MissingClasses:
        printMissingClasses(outcome.missingClasses, path, io.err);
        if (missing == MissingClasses::Accept)
            return;
        refuse(
            QStringLiteral("模板文件 %1 中有对象的组件在程序中没有, 不能完整读入%2")
                .arg(path, acceptHint.isEmpty() ? QString() : QStringLiteral("; ") + acceptHint));
    case model::TemplateReadResult::Unsupported:
    case model::TemplateReadResult::Damaged:
        break;
    }
    // The reader's detail quotes what it found, which may be bytes of a damaged file.
    const QString detail = platform::printableText(outcome.failure);
    refuse(QStringLiteral("无法读入模板文件 %1: 不支持的QXF格式%2")
               .arg(path, detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail)));
}

TemplateFile::TemplateFile() = default;
TemplateFile::~TemplateFile() = default;

void TemplateFile::load(const QString &path, const std::optional<QString> &password, CommandIo &io,
                        MissingClasses missing)
{
    QFile file(path);
    openTemplateFile(file);
    CommandLineDialogs dialogs(password);
    m_stream.setDialogs(&dialogs);
    const model::TemplateReadResult result = m_stream.read(file, model::TemplateOrigin::File);
    m_stream.setDialogs(nullptr);
    acceptTemplateRead({result, m_stream.missingClasses(), m_stream.failure()}, path, missing, io);
}

void TemplateFile::loadBuiltInCertificate()
{
    const std::optional<QByteArray> stream =
        model::readReportFormData(app::certificateReportForm(), true);
    if (!stream || m_stream.read(*stream) != model::TemplateReadResult::Loaded)
        throw std::runtime_error("内置的证书模板无法读入");
}

} // namespace tovren::cli
