#pragma once

#include <QList>
#include <QString>
#include <Qt>

class QMainWindow;
class QToolBar;

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::designer {

/// Keeps where the tool bars of a window are: for each bar a "ToolBar\" record with its dock
/// (qxDock1 top, qxDock2 left, qxDock3 bottom, qxDock4 right), its place, whether it floats and
/// whether it is shown; and the toolkit's own layout of all bars under the window's "Form\"
/// section, which also holds the order within rows and where floating bars float.
///
/// Restoring prefers the toolkit's layout; records alone (written by another desk or an older
/// version) still put every bar into its dock and row. Bars without any record stay where the
/// window put them, shown and docked.
class ToolBarPlacement
{
public:
    static constexpr int kRowSizePixels = 26;

    static QString dockName(Qt::ToolBarArea area);
    static Qt::ToolBarArea areaOfDock(const QString &dockName);

    /// The bar is shown: its floating window when it floats, otherwise the bar.
    static bool BarVisible(const QToolBar &bar);
    static void ShowBar(QToolBar &bar, bool visible);
    /// Docks @p bar in a new row at the outer edge of @p area.
    static void AttachToEdge(QMainWindow &window, QToolBar &bar, Qt::ToolBarArea area);

    static void SaveBarPositions(const QMainWindow &window, const QList<QToolBar *> &bars,
                                 platform::SettingsStore &store, const QString &formClass);
    static void LoadBarPositions(QMainWindow &window, const QList<QToolBar *> &bars,
                                 const platform::SettingsStore &store, const QString &formClass);
};

} // namespace tovren::designer
