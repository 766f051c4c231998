#include "app/certificate/CertificateTemplate.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/StoreArgument.h"
#include "app/cli/TerminalProgress.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/reportbridge/MainFormComponents.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/TqxPrinter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>

namespace tovren::cli {

namespace {

/// Report messages go to the command's error stream.
class StreamMessages : public engine::TqxReportMessages
{
public:
    explicit StreamMessages(QTextStream &err)
        : m_err(err)
    {}
    void showError(const QString &caption, const QString &text) override
    {
        QString shown = text;
        shown.replace(u'\r', u'\n');
        m_err << caption << ": " << shown << '\n';
        m_err.flush();
    }

private:
    QTextStream &m_err;
};

void loadTemplate(engine::TqxReport &report, const std::optional<QString> &path)
{
    if (path) {
        if (!QFileInfo::exists(*path))
            throw UsageError(QStringLiteral("找不到模板文件 %1").arg(*path));
        report.LoadTemplate(*path);
    } else {
        const std::optional<QByteArray> stream =
            model::readReportFormData(app::certificateReportForm(), true);
        QBuffer buffer;
        buffer.setData(stream.value_or(QByteArray()));
        buffer.open(QIODevice::ReadOnly);
        report.ReadTemplate(buffer);
    }
    if (report.Pages().Count() == 0)
        throw std::runtime_error("模板中没有页");
}

int runBuild(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words,
                              {QStringLiteral("template"), QStringLiteral("database"),
                               QStringLiteral("sql"), QStringLiteral("count"),
                               QStringLiteral("qxp"), QStringLiteral("pdf")},
                              {});
    if (!arguments.positional().isEmpty())
        throw UsageError(QStringLiteral("多余的参数: %1 (输出文件要用 --pdf 或 --qxp 指定)")
                             .arg(arguments.positional().join(u' ')));
    for (const QString &option : {QStringLiteral("qxp"), QStringLiteral("pdf")}) {
        if (arguments.value(option, QStringLiteral("-")).trimmed().isEmpty())
            throw UsageError(QStringLiteral("选项 --%1 需要一个文件名").arg(option));
    }
    const int count = arguments.intValue(QStringLiteral("count"), 0);
    if (count < 0)
        throw UsageError(QStringLiteral("--count 不能为负数"));

    db::TDbConnection connection(existingStore(arguments.value(QStringLiteral("database"))));
    connection.open();
    db::TDbQuery query(connection);
    const QString sql =
        arguments.value(QStringLiteral("sql"), QStringLiteral("Select * from info"));
    query.setSql(sql);
    try {
        query.open();
    } catch (const db::EDatabaseError &error) {
        throw std::runtime_error(
            QStringLiteral("查询 \"%1\" 失败: %2").arg(sql, error.message()).toStdString());
    }

    engine::TqxComponentRegistry registry;
    app::MainFormComponents components(query, registry);
    output::TqxPrinter printer;
    printer.initialize(nullptr);
    engine::TqxReport report(QStringLiteral("qxReport1"), &components.form(), registry, &printer);
    StreamMessages messages(io.err);
    TerminalProgress progress(io.err);
    report.setMessages(&messages);
    report.setProgressSink(&progress);
    loadTemplate(report, arguments.value(QStringLiteral("template")));

    // The record-count box of the main window: 0 prints every record.
    engine::TqxDBDataSet &source = components.reportDataSet();
    source.setRangeBegin(engine::rbFirst);
    source.setRangeEnd(count > 0 ? engine::reCount : engine::reLast);
    source.setRangeEndCount(count);

    QElapsedTimer timer;
    timer.start();
    const bool built = report.BuildPages();
    const double buildSeconds = timer.elapsed() / 1000.0;
    if (!built || !report.lastMessage().isEmpty())
        return 1;
    io.out << QStringLiteral("已生成 %1 页, 用时 %2 秒\n")
                  .arg(report.EMFPages().Count())
                  .arg(buildSeconds, 0, 'f', 3);

    if (const auto qxp = arguments.value(QStringLiteral("qxp"))) {
        timer.restart();
        if (!report.SavePagesFile(*qxp))
            return 1;
        io.out << QStringLiteral("已写入 %1, 用时 %2 秒\n")
                      .arg(*qxp)
                      .arg(timer.elapsed() / 1000.0, 0, 'f', 3);
    }
    if (const auto pdf = arguments.value(QStringLiteral("pdf"))) {
        timer.restart();
        engine::PdfExportFilter filter;
        report.ShowProgress = false;
        if (!report.ExportPages(filter, *pdf))
            return 1;
        io.out << QStringLiteral("已写入 %1, 用时 %2 秒\n")
                      .arg(*pdf)
                      .arg(timer.elapsed() / 1000.0, 0, 'f', 3);
    }
    return 0;
}

} // namespace

Command buildCommand()
{
    return {
        QStringLiteral("build"),
        QStringLiteral("生成证书页, 保存为预备报表文件或 PDF"),
        QStringLiteral("用法: tovren build [--template FILE.qxf] [--database CONN] [--sql SQL]\n"
                       "                   [--count N] [--qxp OUT.qxp] [--pdf OUT.pdf]\n"
                       "按模板为查询的每条记录生成页, 并输出页数与用时。\n"
                       "  --template FILE  模板文件; 缺省为程序内置的毕业证书模板\n"
                       "  --database CONN  数据库连接; 缺省为设置中的连接或当前目录的数据库\n"
                       "  --sql SQL        浏览查询; 缺省为 \"Select * from info\"\n"
                       "  --count N        只打印前 N 条记录; 0 或缺省为全部\n"
                       "  --qxp FILE       把生成的页保存为预备报表文件\n"
                       "  --pdf FILE       把生成的页写成 PDF, 每页一张证书\n"
                       "输出文件写完后才出现在目标名下。\n"),
        runBuild,
    };
}

} // namespace tovren::cli
