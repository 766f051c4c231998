#include "app/batch/PerRecordPdfExport.h"
#include "app/batch/RecordFileNames.h"
#include "app/certificate/CertificateTemplate.h"
#include "app/certificate/SavedCertificate.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/OutputFile.h"
#include "app/cli/StoreArgument.h"
#include "app/cli/TemplateFile.h"
#include "app/cli/TerminalProgress.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/reportbridge/MainFormComponents.h"
#include "app/reportbridge/OverflowRecords.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/PagesFileSave.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TextOverflowCheck.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/TqxPrinter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>

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

void loadTemplateFile(engine::TqxReport &report, const QString &path,
                      const std::optional<QString> &password, MissingClasses missing, CommandIo &io)
{
    QFile file(path);
    openTemplateFile(file);
    CommandLineDialogs dialogs(password);
    report.setDialogs(&dialogs);
    const model::TemplateReadResult result = report.ReadTemplate(file, model::TemplateOrigin::File);
    report.setDialogs(nullptr);
    acceptTemplateRead({result, report.missingClasses(), report.templateReadFailure()}, path,
                       missing, io, QStringLiteral("加上 --ignore-missing 可略去这些对象照常生成"));
    if (report.Pages().Count() == 0)
        throw std::runtime_error(QStringLiteral("模板文件 %1 中没有页").arg(path).toStdString());
}

void loadBuiltInTemplate(engine::TqxReport &report)
{
    const std::optional<QByteArray> stream =
        model::readReportFormData(app::certificateReportForm(), true);
    QBuffer buffer;
    buffer.setData(stream.value_or(QByteArray()));
    buffer.open(QIODevice::ReadOnly);
    if (report.ReadTemplate(buffer) != model::TemplateReadResult::Loaded ||
        report.Pages().Count() == 0)
        throw std::runtime_error("内置的证书模板无法读入");
}

int runBuild(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(
        words,
        {QStringLiteral("template"), QStringLiteral("password"), QStringLiteral("database"),
         QStringLiteral("sql"), QStringLiteral("count"), QStringLiteral("qxp"),
         QStringLiteral("pdf"), QStringLiteral("pdf-each"), QStringLiteral("name")},
        {QStringLiteral("ignore-missing"), QStringLiteral("strict")});
    if (!arguments.positional().isEmpty())
        throw UsageError(QStringLiteral("多余的参数: %1 (输出文件要用 --pdf 或 --qxp 指定)")
                             .arg(arguments.positional().join(u' ')));
    for (const QString &option : {QStringLiteral("qxp"), QStringLiteral("pdf")}) {
        if (arguments.value(option, QStringLiteral("-")).trimmed().isEmpty())
            throw UsageError(QStringLiteral("选项 --%1 需要一个文件名").arg(option));
    }
    const std::optional<QString> eachFolder = arguments.value(QStringLiteral("pdf-each"));
    if (eachFolder && eachFolder->trimmed().isEmpty())
        throw UsageError(QStringLiteral("选项 --pdf-each 需要一个文件夹"));
    if (arguments.value(QStringLiteral("name")) && !eachFolder)
        throw UsageError(QStringLiteral("选项 --name 只与 --pdf-each 一起使用"));
    if (eachFolder)
        requireWritableFolder(*eachFolder);
    const int count = arguments.intValue(QStringLiteral("count"), 0);
    if (count < 0)
        throw UsageError(QStringLiteral("--count 不能为负数"));
    for (const QString &option : {QStringLiteral("qxp"), QStringLiteral("pdf")}) {
        if (const std::optional<QString> output = arguments.value(option))
            requireWritableOutput(*output);
    }

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
    // The report would still make one blank certificate from an empty query.
    if (query.recordCount() == 0)
        throw std::runtime_error(
            QStringLiteral("查询 \"%1\" 中没有记录, 没有可生成的证书, 未写入文件")
                .arg(sql)
                .toStdString());

    // Every file is named before any page is built, so a bad name expression costs nothing.
    QStringList eachNames;
    if (eachFolder)
        eachNames = app::recordFileNames(
            query, arguments.value(QStringLiteral("name"), app::defaultRecordNameExpression()),
            QStringLiteral(".pdf"));
    // --count takes the first records here too; their names are as in the whole set.
    if (count > 0)
        eachNames = eachNames.mid(0, count);

    engine::TqxComponentRegistry registry;
    app::MainFormComponents components(query, registry);
    output::TqxPrinter printer;
    printer.initialize(nullptr);
    engine::TqxReport report(QStringLiteral("qxReport1"), &components.form(), registry, &printer);
    StreamMessages messages(io.err);
    TerminalProgress progress(io.err);
    report.setMessages(&messages);
    report.setProgressSink(&progress);
    if (const std::optional<QString> path = arguments.value(QStringLiteral("template")))
        loadTemplateFile(report, *path, arguments.value(QStringLiteral("password")),
                         arguments.flag(QStringLiteral("ignore-missing")) ? MissingClasses::Accept
                                                                          : MissingClasses::Refuse,
                         io);
    else if (const app::SavedCertificate saved(
                 existingStore(arguments.value(QStringLiteral("database"))).sqlitePath());
             saved.exists()) {
        if (saved.load(report) != app::SavedCertificate::Loaded::Saved)
            throw std::runtime_error(
                QStringLiteral("保存的证书模板 %1 无法读入").arg(saved.path()).toStdString());
        io.out << QStringLiteral("使用保存的证书模板 %1\n").arg(saved.path());
    } else {
        loadBuiltInTemplate(report);
    }

    // The record-count box of the main window: 0 prints every record.
    engine::TqxDBDataSet &source = components.reportDataSet();
    source.setRangeBegin(engine::rbFirst);
    source.setRangeEnd(count > 0 ? engine::reCount : engine::reLast);
    source.setRangeEndCount(count);

    QElapsedTimer timer;
    timer.start();
    const bool built = report.BuildPages();
    const double buildSeconds = timer.elapsed() / 1000.0;
    if (!built || !report.lastMessage().isEmpty()) {
        // A failed build has shown its message; one that a script stopped has not.
        if (report.lastMessage().isEmpty())
            io.err << "错误: 报表在生成过程中停止, 未写入文件\n";
        return 1;
    }
    if (report.EMFPages().Count() == 0) {
        io.err << "错误: 报表没有生成任何页, 未写入文件\n";
        return 1;
    }
    io.out << QStringLiteral("已生成 %1 页, 用时 %2 秒\n")
                  .arg(report.EMFPages().Count())
                  .arg(buildSeconds, 0, 'f', 3);

    // The file is written while the pages are checked, and named only if the check allows.
    std::unique_ptr<engine::PagesFileSave> qxpSave;
    const std::optional<QString> qxp = arguments.value(QStringLiteral("qxp"));
    if (qxp) {
        timer.restart();
        qxpSave = report.startSavingPagesFile(*qxp);
        if (!qxpSave)
            return 1;
    }

    // Forms are spent on whatever prints, so a value cut off by its box is said before.
    std::vector<engine::TextOverflow> overflows = engine::findTextOverflows(report.EMFPages());
    // The build starts at the first record and takes --count of them, or all.
    app::nameOverflowRecords(overflows, report, 0,
                             count > 0 ? std::min<qsizetype>(count, query.recordCount())
                                       : query.recordCount());
    for (const QString &line : engine::describeTextOverflows(overflows))
        io.err << QStringLiteral("警告: ") << line << '\n';
    if (!overflows.empty() && arguments.flag(QStringLiteral("strict"))) {
        io.err << QStringLiteral("错误: 有 %1 处内容放不下 (--strict), 未写入文件\n")
                      .arg(overflows.size());
        return 1;
    }

    if (qxpSave) {
        if (!report.finishSavingPagesFile(*qxpSave))
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
    if (eachFolder) {
        timer.restart();
        report.setProgressSink(nullptr);
        app::PerRecordPdfExport each(report, source, query);
        const QStringList written = each.write(*eachFolder, eachNames);
        const double seconds = timer.elapsed() / 1000.0;
        io.out << QStringLiteral("已在 %1 中写入 %2 个 PDF 文件, 用时 %3 秒 (每秒 %4 个)\n")
                      .arg(*eachFolder)
                      .arg(written.size())
                      .arg(seconds, 0, 'f', 3)
                      .arg(seconds > 0 ? written.size() / seconds : 0.0, 0, 'f', 0);
    }
    return 0;
}

} // namespace

Command buildCommand()
{
    return {
        QStringLiteral("build"),
        QStringLiteral("生成证书页, 保存为预备报表文件或 PDF"),
        QStringLiteral(
            "用法: tovren build [--template FILE.qxf [--password 密码] [--ignore-missing]]\n"
            "                   [--database CONN] [--sql SQL] [--count N]\n"
            "                   [--qxp OUT.qxp] [--pdf OUT.pdf]\n"
            "                   [--pdf-each 文件夹 [--name 表达式]] [--strict]\n"
            "按模板为查询的每条记录生成页, 并输出页数与用时。\n"
            "  --template FILE  模板文件; 缺省为程序内置的毕业证书模板\n"
            "  --password 密码  受密码保护的模板的密码\n"
            "  --strict         有内容超出框 (折行后放不下或超出宽度) 时不写文件, 返回非零;\n"
            "                   缺省只为每处给出一行警告\n"
            "  --ignore-missing 模板中有程序没有的组件 (如别的程序的插件对象) 时, 列出它们后略去\n"
            "                   这些对象照常生成; 缺省为不生成并返回非零\n"
            "  --database CONN  数据库连接; 缺省为设置中的连接或当前目录的数据库\n"
            "  --sql SQL        浏览查询; 缺省为 \"Select * from info\"\n"
            "  --count N        只打印前 N 条记录; 0 或缺省为全部\n"
            "  --qxp FILE       把生成的页保存为预备报表文件\n"
            "  --pdf FILE       把生成的页写成 PDF, 每页一张证书\n"
            "  --pdf-each DIR   每条记录写一个 PDF 文件到文件夹 DIR; 全部写完后才放入\n"
            "  --name 表达式    --pdf-each 的文件名, 方括号中的是对记录求值的表达式;\n"
            "                   缺省为 [Aqy.\"StudID\"]_[Aqy.\"Name\"]。文件名中不能有的\n"
            "                   字符换成 _, 重名的加上 _2, _3...\n"
            "查询中没有记录, 模板无法读入或没有生成任何页时不写文件并返回非零;\n"
            "输出文件夹在生成之前检查。输出文件写完后才出现在目标名下。\n"),
        runBuild,
    };
}

} // namespace tovren::cli
