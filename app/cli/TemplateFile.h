#pragma once

#include "app/cli/Command.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"

#include <QFile>
#include <QStringList>
#include <optional>

namespace tovren::cli {

/// Whether a template whose add-in classes are not all in the program may still be used.
enum class MissingClasses { Refuse, Accept };

/// How a read of a template file ended, as the template reader and the report both tell it.
struct TemplateReadOutcome
{
    model::TemplateReadResult result;
    QStringList missingClasses;
    QString failure;
};

/// Opens @p file to read a template; a UsageError names the file and why it cannot be read.
void openTemplateFile(QFile &file);

/// Checks what became of reading the template file @p path. Raises a std::runtime_error that
/// names the file when the template cannot be used; prints the message that names missing
/// classes to the error stream and raises after it unless @p missing accepts them, adding
/// @p acceptHint (how to accept them) to the refusal.
void acceptTemplateRead(const TemplateReadOutcome &outcome, const QString &path,
                        MissingClasses missing, CommandIo &io, const QString &acceptHint = {});

/// The template reader's dialogs on the command line: the password prompt is answered with the
/// password given as an option, and message boxes stay unshown, because the commands word
/// every refusal themselves and name the file in it.
class CommandLineDialogs : public platform::DialogProvider
{
public:
    explicit CommandLineDialogs(std::optional<QString> password)
        : m_password(std::move(password))
    {}

    int messageBox(const QString &, const QString &, int) override { return platform::mrOk; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        return m_password;
    }

private:
    std::optional<QString> m_password;
};

/// A template read from a file for a headless command, with what a report would own around it.
class TemplateFile
{
public:
    TemplateFile();
    ~TemplateFile();
    TemplateFile(const TemplateFile &) = delete;
    TemplateFile &operator=(const TemplateFile &) = delete;

    /// Reads @p path. Raises UsageError when the file is missing or unreadable, and a
    /// std::runtime_error naming the file when the template cannot be used as asked.
    void load(const QString &path, const std::optional<QString> &password, CommandIo &io,
              MissingClasses missing = MissingClasses::Refuse);

    /// Reads the certificate template shipped inside the program.
    void loadBuiltInCertificate();

    const model::TqxPages &pages() const { return m_pages; }
    model::TqxPages &pages() { return m_pages; }
    const model::TemplateSettings &settings() const { return m_settings; }
    const model::ReportInfo &info() const { return m_info; }
    const model::TemplateStream &stream() const { return m_stream; }

private:
    model::TqxPages m_pages;
    model::TemplateSettings m_settings;
    model::ReportInfo m_info;
    model::TemplateStream m_stream{m_pages, m_settings, m_info};
};

} // namespace tovren::cli
