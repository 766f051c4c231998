#pragma once

class QWidget;

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::preview {

/// Where the preview window was left: position, size and whether it was maximised, kept in the
/// same per-user store as the designer's windows.
class PreviewWindowPlacement
{
public:
    /// Puts @p window where it was last left; maximised when nothing was stored.
    static void restore(QWidget &window, const platform::SettingsStore &store);
    static void save(const QWidget &window, platform::SettingsStore &store);
};

} // namespace tovren::preview
