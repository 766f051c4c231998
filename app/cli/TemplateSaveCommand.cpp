#include "app/certificate/CertificateTemplate.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/OutputFile.h"
#include "report/model/ReportFormData.h"

#include <QSaveFile>

namespace tovren::cli {

namespace {

void writeWhole(const QString &path, const QByteArray &bytes)
{
    // Written under a temporary name and renamed only when complete.
    requireWritableOutput(path);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw std::runtime_error(QStringLiteral("无法写入 %1").arg(path).toStdString());
}

} // namespace

Command templateSaveCommand()
{
    Command command;
    command.name = QStringLiteral("template-save");
    command.summary = QStringLiteral("把内置的毕业证书模板保存为模板文件 (.qxf)");
    command.usage =
        QStringLiteral("用法: tovren template-save 输出.qxf\n"
                       "把程序内置的毕业证书模板写成模板文件, 可在报表设计中打开和修改。\n"
                       "  --form  按证书的版面重新生成 \"ReportForm\" 窗体数据 (程序内置的形式),\n"
                       "          而不是模板文件; 用于更新程序内置的副本\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments arguments(words, {}, {QStringLiteral("form")});
        if (arguments.positional().size() != 1)
            throw UsageError(QStringLiteral("需要一个输出文件"));
        const QString path = arguments.positional().first();
        if (arguments.flag(QStringLiteral("form"))) {
            writeWhole(path, model::writeReportFormData(true, app::buildCertificateStream()));
        } else {
            const std::optional<QByteArray> stream =
                model::readReportFormData(app::certificateReportForm(), true);
            if (!stream)
                throw std::runtime_error("内置的证书模板无法读入");
            writeWhole(path, *stream);
        }
        io.out << "已写入 " << path << '\n';
        return 0;
    };
    return command;
}

} // namespace tovren::cli
