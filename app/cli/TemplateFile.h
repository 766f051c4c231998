#pragma once

#include "app/cli/Command.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"

#include <memory>

namespace tovren::cli {

/// A template read from a file for a headless command, with what a report would own around it.
///
/// Messages the reader would show go to the command's error stream; a password prompt is
/// answered with the password given on the command line, if any.
class TemplateFile
{
public:
    TemplateFile();
    ~TemplateFile();
    TemplateFile(const TemplateFile &) = delete;
    TemplateFile &operator=(const TemplateFile &) = delete;

    /// Whether a template whose add-in classes are not all registered may still be used.
    enum class MissingClasses { Refuse, Accept };

    /// Reads @p path. Raises UsageError when the file is missing or unreadable, and a
    /// std::runtime_error with a readable text when the template cannot be used as asked.
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
