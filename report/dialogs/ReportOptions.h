#pragma once

#include <QString>

namespace tovren::engine {
class TqxReport;
}

namespace tovren::dialogs {

class PasswordConfirmation;

/// What the report options dialog shows of a report: printer choice, two-pass build,
/// protection and the descriptive texts, and the rule that writes them back.
///
/// The creation and change times are shown only; writing back leaves them to the template
/// writer. Protection is settled through a PasswordConfirmation, which may ask for a password.
struct ReportOptions
{
    /// "装入报表时选择": the report picks its printer by name, the inverse of
    /// UseDefaultPrinter.
    bool choosePrinterOnLoad = false;
    bool twoPass = false;
    bool passwordProtected = false;
    /// The printer the report prints on; the dialog selects it in its printer list.
    QString printerName;
    QString name;
    QString author;
    QString versionMajor;
    QString versionMinor;
    QString versionRelease;
    QString versionBuild;
    /// Lines separated by line feeds, as the memo shows them.
    QString comment;
    QString createdText;
    QString changedText;

    static ReportOptions fromReport(const engine::TqxReport &report);
    /// Writes everything back into @p report and settles its protection through @p password.
    void applyTo(engine::TqxReport &report, const PasswordConfirmation &password) const;
};

} // namespace tovren::dialogs
