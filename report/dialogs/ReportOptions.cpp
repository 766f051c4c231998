#include "report/dialogs/ReportOptions.h"

#include "report/dialogs/PasswordConfirmation.h"
#include "report/engine/TqxReport.h"

namespace tovren::dialogs {

namespace {

QString dateTimeText(double storedDays)
{
    return model::fromStoredDateTime(storedDays).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Templates keep the comment's lines apart with carriage return and line feed; the memo
// shows them with line feeds.
QString commentLines(QString stored)
{
    return stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QString storedComment(QString lines)
{
    return lines.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

ReportOptions ReportOptions::fromReport(const engine::TqxReport &report)
{
    const model::ReportInfo &info = report.Info;
    ReportOptions options;
    options.choosePrinterOnLoad = !report.UseDefaultPrinter;
    options.twoPass = report.TwoPass;
    options.passwordProtected = info.passwordProtected;
    options.printerName = report.PrinterName;
    options.name = info.name;
    options.author = info.author;
    options.versionMajor = info.versionMajor;
    options.versionMinor = info.versionMinor;
    options.versionRelease = info.versionRelease;
    options.versionBuild = info.versionBuild;
    options.comment = commentLines(info.comment);
    options.createdText = dateTimeText(info.createdAt);
    options.changedText = dateTimeText(info.changedAt);
    return options;
}

void ReportOptions::applyTo(engine::TqxReport &report, const PasswordConfirmation &password) const
{
    report.UseDefaultPrinter = !choosePrinterOnLoad;
    report.TwoPass = twoPass;
    report.SelectPrinterByName(printerName);
    model::ReportInfo &info = report.Info;
    info.name = name;
    info.author = author;
    info.versionMajor = versionMajor;
    info.versionMinor = versionMinor;
    info.versionRelease = versionRelease;
    info.versionBuild = versionBuild;
    info.comment = storedComment(comment);
    password.apply(info, passwordProtected);
}

} // namespace tovren::dialogs
