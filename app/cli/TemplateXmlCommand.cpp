#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/OutputFile.h"
#include "app/cli/TemplateFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tovren::cli {

namespace {

QString defaultXmlName(const QString &templatePath)
{
    const QFileInfo info(templatePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".qx3"));
}

int runTemplateXml(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {QStringLiteral("password")}, {});
    const QStringList files = arguments.positional();
    if (files.size() > 2)
        throw UsageError(QStringLiteral("最多给出模板文件和输出文件"));
    const QString outName = files.size() == 2 ? files.at(1)
                            : files.isEmpty() ? QStringLiteral("certificate.qx3")
                                              : defaultXmlName(files.at(0));
    requireWritableOutput(outName);
    TemplateFile templ;
    if (files.isEmpty())
        templ.loadBuiltInCertificate();
    else
        templ.load(files.at(0), arguments.value(QStringLiteral("password")), io);

    // Written under a temporary name and renamed only when complete.
    QSaveFile out(outName);
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("无法写入 %1").arg(outName).toStdString());
    templ.stream().writeXml(out);
    if (!out.commit())
        throw std::runtime_error(QStringLiteral("无法写入 %1").arg(outName).toStdString());
    io.out << "已写入 " << outName << '\n';
    return 0;
}

} // namespace

Command templateXmlCommand()
{
    return {
        QStringLiteral("template-xml"),
        QStringLiteral("把报表模板 (.qxf) 导出为 XML (.qx3)"),
        QStringLiteral("用法: tovren template-xml [--password 密码] [模板.qxf [输出.qx3]]\n"
                       "读入模板并写出其 XML 导出。未给出输出文件时, 写到模板旁边, 扩展名为 "
                       ".qx3。\n不给出模板时, 把内置的毕业证书模板写到 certificate.qx3。\n"
                       "  --password 密码  受密码保护的模板的密码\n"
                       "输出文件先以临时名称写出, 完成后才改名。\n"),
        runTemplateXml,
    };
}

} // namespace tovren::cli
