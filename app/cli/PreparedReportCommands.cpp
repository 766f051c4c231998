#include "app/AppInfo.h"
#include "app/certificate/CalibrationPage.h"
#include "app/certificate/SavedCertificate.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/OutputFile.h"
#include "app/db/ConnectionSpec.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxReport.h"
#include "report/output/PdfPrintDevice.h"
#include "report/output/PrintJob.h"
#include "report/output/PrinterCalibration.h"
#include "report/output/PrinterPrintDevice.h"
#include "report/output/QtPlatformPrinter.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/FileProblems.h"
#include "report/platform/SettingsStore.h"
#include "report/preview/EmfPagesPrintSource.h"

#include <QFileInfo>
#include <QPrinter>

namespace tovren::cli {

namespace {

constexpr int kPdfDotsPerInch = 600;

/// Report messages go to the command's error stream.
class ErrorStreamMessages : public engine::TqxReportMessages
{
public:
    explicit ErrorStreamMessages(QTextStream &err)
        : m_err(err)
    {}
    void showError(const QString &caption, const QString &text) override
    {
        m_err << caption << ": " << QString(text).replace(u'\r', u'\n') << '\n';
        m_err.flush();
    }

private:
    QTextStream &m_err;
};

/// A report that holds the pages of one prepared-report file and nothing else.
struct LoadedPages
{
    explicit LoadedPages(QTextStream &err, output::TqxPrinter &printer)
        : messages(err)
        , report(QStringLiteral("qxReport1"), nullptr, registry, &printer)
    {
        report.setMessages(&messages);
        report.ShowProgress = false;
    }

    engine::TqxComponentRegistry registry;
    ErrorStreamMessages messages;
    engine::TqxReport report;
};

QString requirePreparedFile(const Arguments &arguments)
{
    if (arguments.positional().size() != 1)
        throw UsageError(QStringLiteral("需要一个预备报表文件 (.qxp)"));
    const QString path = arguments.positional().first();
    const QString problem = platform::readProblem(path);
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法读取 %1: %2").arg(path, problem));
    return path;
}

void loadPages(engine::TqxReport &report, const QString &path)
{
    if (!report.LoadPagesFile(path))
        throw std::runtime_error(
            QStringLiteral("预备报表文件 %1 无法读入").arg(path).toStdString());
    if (report.EMFPages().Count() == 0)
        throw std::runtime_error(
            QStringLiteral("预备报表文件 %1 中没有页").arg(path).toStdString());
}

int runExport(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {QStringLiteral("pdf")}, {});
    const QString path = requirePreparedFile(arguments);
    const QString pdf = arguments.value(QStringLiteral("pdf"), QString());
    if (pdf.trimmed().isEmpty())
        throw UsageError(QStringLiteral("要用 --pdf 指定输出的 PDF 文件"));
    requireWritableOutput(pdf);

    output::TqxPrinter printer;
    printer.initialize(nullptr);
    LoadedPages loaded(io.err, printer);
    loadPages(loaded.report, path);
    engine::PdfExportFilter filter;
    if (!loaded.report.ExportPages(filter, pdf))
        return 1;
    io.out << QStringLiteral("已把 %1 页写入 %2\n").arg(loaded.report.EMFPages().Count()).arg(pdf);
    return 0;
}

/// Makes @p name the active printer; a printer that has gone away leaves the default active
/// and says so.
void selectPrinter(output::TqxPrinter &layer, const std::optional<QString> &name, CommandIo &io)
{
    if (!name)
        return;
    const qsizetype index = layer.printerNames().indexOf(*name);
    if (index >= 0) {
        layer.SelectPrinter(int(index));
        return;
    }
    io.err << QStringLiteral("警告: 没有名为 \"%1\" 的打印机, 改用默认打印机 \"%2\"\n")
                  .arg(*name, layer.printerNames().value(layer.activeIndex()));
}

/// Prints @p report's prepared pages on the active printer of @p layer, or into @p toFile when
/// the virtual printer is active, moved by @p calibration.
int sendToPrinter(engine::TqxReport &report, output::TqxPrinter &layer,
                  const std::optional<QString> &toFile, const output::PrintParameters &parameters,
                  const output::PrinterCalibration &calibration, const QString &title,
                  CommandIo &io)
{
    std::unique_ptr<output::PrintDevice> device;
    std::unique_ptr<QPrinter> qprinter;
    if (layer.isVirtualActive()) {
        if (!toFile)
            throw UsageError(QStringLiteral("没有安装打印机, 虚拟打印机要用 --to-file 指定 "
                                            "PDF 文件"));
        device = std::make_unique<output::PdfPrintDevice>(*toFile, kPdfDotsPerInch);
    } else {
        qprinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        qprinter->setPrinterName(layer.printerNames().value(layer.activeIndex()));
        device = std::make_unique<output::PrinterPrintDevice>(*qprinter);
    }
    preview::EmfPagesPrintSource source(report.EMFPages());
    output::PrintJob job(layer, source, *device);
    job.setCalibration(calibration);
    if (job.run(parameters, title, {}) != output::PrintJob::Outcome::Finished) {
        io.err << QStringLiteral("错误: %1\n").arg(job.errorString());
        return 1;
    }
    io.out << QStringLiteral("已打印 %1 页到 %2\n")
                  .arg(job.pagesSent())
                  .arg(toFile && layer.isVirtualActive()
                           ? *toFile
                           : layer.printerNames().value(layer.activeIndex()));
    return 0;
}

int runPrint(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words,
                              {QStringLiteral("printer"), QStringLiteral("pages"),
                               QStringLiteral("copies"), QStringLiteral("to-file")},
                              {});
    const QString path = requirePreparedFile(arguments);
    const int copies = arguments.intValue(QStringLiteral("copies"), 1);
    if (copies < 1 || copies > 999)
        throw UsageError(QStringLiteral("--copies 要在 1 到 999 之间"));
    const std::optional<QString> toFile = arguments.value(QStringLiteral("to-file"));
    if (toFile)
        requireWritableOutput(*toFile);

    output::QtPlatformPrinter platformPrinter;
    output::TqxPrinter layer;
    layer.initialize(&platformPrinter);
    LoadedPages loaded(io.err, layer);
    loadPages(loaded.report, path);
    selectPrinter(layer, arguments.value(QStringLiteral("printer")), io);

    output::PrintParameters parameters;
    parameters.pageRangeText = arguments.value(QStringLiteral("pages"), QString());
    parameters.copies = copies;
    platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));
    return sendToPrinter(
        loaded.report, layer, toFile, parameters,
        output::PrinterCalibrations(settings).read(layer.printerNames().value(layer.activeIndex())),
        QFileInfo(path).completeBaseName(), io);
}

std::optional<double> numberOption(const Arguments &arguments, const QString &option)
{
    const std::optional<QString> text = arguments.value(option);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->toDouble(&ok);
    if (!ok)
        throw UsageError(QStringLiteral("--%1 要一个数, 不是 \"%2\"").arg(option, *text));
    return value;
}

int runCalibrate(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words,
                              {QStringLiteral("printer"), QStringLiteral("offset-x"),
                               QStringLiteral("offset-y"), QStringLiteral("scale"),
                               QStringLiteral("database"), QStringLiteral("to-file")},
                              {QStringLiteral("page")});
    output::QtPlatformPrinter platformPrinter;
    output::TqxPrinter layer;
    layer.initialize(&platformPrinter);
    const QString printer =
        arguments.value(QStringLiteral("printer"), layer.printerNames().value(layer.activeIndex()));
    platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));
    output::PrinterCalibrations calibrations(settings);
    output::PrinterCalibration calibration = calibrations.read(printer);
    const auto x = numberOption(arguments, QStringLiteral("offset-x"));
    const auto y = numberOption(arguments, QStringLiteral("offset-y"));
    const auto scale = numberOption(arguments, QStringLiteral("scale"));
    if (x || y || scale) {
        calibration.offsetXMm = x.value_or(calibration.offsetXMm);
        calibration.offsetYMm = y.value_or(calibration.offsetYMm);
        calibration.scalePercent = scale.value_or(calibration.scalePercent);
        const QString refused = calibrations.write(printer, calibration);
        if (!refused.isEmpty())
            throw UsageError(QStringLiteral("打印机 \"%1\" 的校准未改: %2").arg(printer, refused));
    }
    io.out << QStringLiteral("打印机 \"%1\": 水平偏移 %2 毫米, 垂直偏移 %3 毫米, 缩放 %4%\n")
                  .arg(printer)
                  .arg(calibration.offsetXMm, 0, 'f', 2)
                  .arg(calibration.offsetYMm, 0, 'f', 2)
                  .arg(calibration.scalePercent, 0, 'f', 2);
    if (!arguments.flag(QStringLiteral("page")))
        return 0;

    // The page shows where the printer puts things by itself, so it prints uncalibrated.
    const std::optional<QString> toFile = arguments.value(QStringLiteral("to-file"));
    if (toFile)
        requireWritableOutput(*toFile);
    selectPrinter(layer, printer, io);
    LoadedPages loaded(io.err, layer);
    const std::optional<QString> database = arguments.value(QStringLiteral("database"));
    const app::SavedCertificate saved(database ? db::ConnectionSpec::parse(*database).sqlitePath()
                                               : QString());
    saved.load(loaded.report);
    if (!app::makeCalibrationPage(loaded.report))
        throw std::runtime_error("证书模板中没有页");
    return sendToPrinter(loaded.report, layer, toFile, output::PrintParameters{},
                         output::PrinterCalibration{}, QStringLiteral("校准页"), io);
}

} // namespace

Command calibrateCommand()
{
    return {
        QStringLiteral("calibrate"),
        QStringLiteral("查看或设定打印机的校准 (偏移与缩放)"),
        QStringLiteral(
            "用法: tovren calibrate [--printer 名称] [--offset-x 毫米] [--offset-y 毫米]\n"
            "                       [--scale 百分比] [--page [--to-file OUT.pdf]]\n"
            "给出打印机的校准; 带上数值时先记下它们。校准只用于打印到这台打印机\n"
            "(及为它写的 PDF), 不改模板。\n"
            "  --printer 名称   打印机; 缺省为默认打印机\n"
            "  --offset-x 毫米  向右为正, -20 到 20\n"
            "  --offset-y 毫米  向下为正, -20 到 20\n"
            "  --scale 百分比   90 到 110, 缺省 100\n"
            "  --page           再打印一张校准页: 毫米网格和当前证书模板每个字段的框\n"
            "                   (不加校准), 放在空白证书上对照, 读出偏移\n"
            "  --to-file FILE   没有安装打印机时, 校准页写入这个 PDF 文件\n"
            "  --database CONN  证书模板旁的数据库, 用于找到保存的证书模板\n"),
        runCalibrate,
    };
}

Command exportCommand()
{
    return {
        QStringLiteral("export"),
        QStringLiteral("把预备报表文件 (.qxp) 写成 PDF"),
        QStringLiteral("用法: tovren export FILE.qxp --pdf OUT.pdf\n"
                       "把保存的预备报表的每一页写入 PDF, 页面与纸张一样大。\n"
                       "文件无法读入或没有页时不写文件并返回非零。\n"),
        runExport,
    };
}

Command printCommand()
{
    return {
        QStringLiteral("print"),
        QStringLiteral("打印预备报表文件 (.qxp)"),
        QStringLiteral(
            "用法: tovren print FILE.qxp [--printer 名称] [--pages 页码] [--copies N]\n"
            "                   [--to-file OUT.pdf]\n"
            "把保存的预备报表送到打印机。\n"
            "  --printer 名称   打印机; 缺省为文件中记下的或默认的打印机。没有这台打印机时\n"
            "                   改用默认打印机并给出警告\n"
            "  --pages 页码     要打印的页, 如 \"1,3,5-12\"; 缺省为全部\n"
            "  --copies N       份数 (1 到 999), 缺省为 1\n"
            "  --to-file FILE   没有安装打印机时, 虚拟打印机把页写入这个 PDF 文件\n"),
        runPrint,
    };
}

} // namespace tovren::cli
