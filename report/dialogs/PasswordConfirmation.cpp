#include "report/dialogs/PasswordConfirmation.h"

#include "report/model/ReportInfo.h"
#include "report/platform/StringTable.h"

namespace tovren::dialogs {

PasswordConfirmation::PasswordConfirmation(Prompt prompt)
    : m_prompt(std::move(prompt))
{}

QString PasswordConfirmation::firstPrompt()
{
    return platform::LoadLibraryString(55654);
}

QString PasswordConfirmation::retypePrompt()
{
    return platform::LoadLibraryString(55655);
}

bool PasswordConfirmation::apply(model::ReportInfo &info, bool protectionChecked) const
{
    bool protect = protectionChecked;
    if (protect && !info.passwordProtected) {
        const std::optional<QString> first = m_prompt ? m_prompt(firstPrompt()) : std::nullopt;
        if (!first) {
            protect = false;
        } else {
            const std::optional<QString> second = m_prompt(retypePrompt());
            if (second && *second == *first)
                info.password = *first;
            else
                protect = false;
        }
    }
    info.passwordProtected = protect;
    if (!protect)
        info.password.clear();
    return protect;
}

} // namespace tovren::dialogs
