#pragma once

#include "report/platform/MessageBox.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tovren::platform {

/// Every modal question the program asks a person goes through this interface.
///
/// The widget layer answers with real dialogs; tests and the command line answer without windows,
/// so no code path below the windows ever blocks on a dialog that nobody can see.
class DialogProvider
{
public:
    virtual ~DialogProvider() = default;

    /// Shows @p text with the given mb_ button and icon flags; returns the mr result of the
    /// pressed button (mrCancel when the box is closed without a choice).
    virtual int messageBox(const QString &text, const QString &caption, int flags) = 0;

    /// Returns the chosen file, or an empty string when the person cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter,
                                 const QString &suggestedName) = 0;

    /// Asks for one line of text under @p caption with @p label, starting from @p initial;
    /// nullopt when the person cancelled. Providers that cannot ask answer as if cancelled.
    virtual std::optional<QString> inputText(const QString & /*caption*/, const QString & /*label*/,
                                             const QString & /*initial*/)
    {
        return std::nullopt;
    }

    /// Asks @p text under @p caption with a button for each of @p answers and one to cancel;
    /// returns the index of the chosen answer, or -1 when the person cancelled or closed the
    /// box. Providers that cannot ask answer as if cancelled.
    virtual int choose(const QString & /*text*/, const QString & /*caption*/,
                       const QStringList & /*answers*/)
    {
        return -1;
    }
};

} // namespace tovren::platform
