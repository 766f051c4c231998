#pragma once

#include "report/platform/MessageBox.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tovren::platform {

/// A file chosen in a dialog that offers several file types, with the type the person chose.
struct FileChoice
{
    QString fileName;    ///< empty when the person cancelled
    int filterIndex = 0; ///< 0-based, in the order of the filter list
};

/// The index of the first type in @p filters ("Name (*.a);;Other (*.b *.c)") whose pattern
/// matches @p fileName, or 0 when none does.
int matchingFilterIndex(const QString &filters, const QString &fileName);

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

    /// A file dialog that offers the types of @p filters and tells which one was chosen.
    /// Providers without their own answer with openFileName() and the type the name matches.
    virtual FileChoice chooseFileToOpen(const QString &caption, const QString &filters)
    {
        const QString name = openFileName(caption, filters);
        return {name, matchingFilterIndex(filters, name)};
    }
    /// As chooseFileToOpen(), for saving, starting on @p suggestedName and type @p filterIndex.
    virtual FileChoice chooseFileToSave(const QString &caption, const QString &filters,
                                        const QString &suggestedName, int filterIndex)
    {
        Q_UNUSED(filterIndex);
        const QString name = saveFileName(caption, filters, suggestedName);
        return {name, matchingFilterIndex(filters, name)};
    }

    /// Asks for an existing folder under @p caption, starting in @p initialFolder; empty when the
    /// person cancelled. Providers that cannot ask answer as if cancelled.
    virtual QString chooseFolder(const QString & /*caption*/, const QString & /*initialFolder*/)
    {
        return {};
    }

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
