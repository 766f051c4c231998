#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/TemplateFile.h"
#include "app/cli/TemplateOutline.h"

namespace tovren::cli {

Command templateInfoCommand()
{
    Command command;
    command.name = QStringLiteral("template-info");
    command.summary = QStringLiteral("列出报表模板的页、栏和对象");
    command.usage = QStringLiteral(
        "用法: tovren template-info [--password 密码] [模板.qxf]\n"
        "不给出模板时, 列出程序内置的毕业证书模板。\n"
        "读入模板, 列出每一页 (纸张, 页边距) 和页上的每个对象 (名称, 种类, 位置和大小, "
        "字体, 文本)。\n"
        "  --password 密码  受密码保护的模板的密码\n");
    command.run = [](const QStringList &words, CommandIo &io) {
        const Arguments arguments(words, {QStringLiteral("password")}, {});
        if (arguments.positional().size() > 1)
            throw UsageError(QStringLiteral("最多只能给出一个模板文件"));
        TemplateFile templ;
        if (arguments.positional().isEmpty())
            templ.loadBuiltInCertificate();
        else
            templ.load(arguments.positional().at(0), arguments.value(QStringLiteral("password")),
                       io, MissingClasses::Accept);
        writeTemplateOutline(io.out, templ.pages(), templ.settings(), templ.info());
        return 0;
    };
    return command;
}

} // namespace tovren::cli
