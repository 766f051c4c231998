#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace tovren::model {
struct ReportInfo;
}

namespace tovren::dialogs {

/// Turns the report options' "password protected" box into the report's protection: a report
/// that becomes protected asks for a password twice and is protected only when both entries
/// agree.
///
/// The questions go through the prompt function, so the password window, a test or the
/// command line can answer them. Cancelling either question, or two different entries, leave
/// the report unprotected, and an unprotected report keeps no password.
class PasswordConfirmation
{
public:
    /// Asks for a password under @p prompt; nothing when the person cancelled.
    using Prompt = std::function<std::optional<QString>(const QString &prompt)>;

    explicit PasswordConfirmation(Prompt prompt);

    /// Sets @p info's protection from @p protectionChecked, asking for the password when the
    /// report was not protected before; returns whether the report is protected now.
    bool apply(model::ReportInfo &info, bool protectionChecked) const;

    /// The prompts of the first entry and of the retyped one.
    static QString firstPrompt();
    static QString retypePrompt();

private:
    Prompt m_prompt;
};

} // namespace tovren::dialogs
