#pragma once

#include <QString>

class QWidget;

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

/// Where a window was left (position, size, maximised), kept under "Form\" and the window's
/// class name in the per-user settings, so every window comes back where the person left it.
class FormPlacement
{
public:
    /// Puts @p window where it was last left; maximised when nothing says otherwise and
    /// @p maximisedByDefault. Stored sizes of nothing are ignored, as such a window could not
    /// be found again.
    /// True when a placement of @p className was saved before.
    static bool isStored(const platform::SettingsStore &store, const QString &className);
    static void restore(QWidget &window, const platform::SettingsStore &store,
                        const QString &className, bool maximisedByDefault = true);
    static void save(const QWidget &window, platform::SettingsStore &store,
                     const QString &className);
};

} // namespace tovren::dialogs
