#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace tovren::dialogs {
class TqxInsFieldsForm;
}
namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class SettingsStore;
}

namespace tovren::designer {

/// The designer's field list window: made when it is shown, destroyed when it is hidden, and
/// refilled whenever the report's data or pages may have changed. The data set last selected
/// in it is kept here, so the list opens on it again.
class FieldListWindow : public QObject
{
    Q_OBJECT
public:
    /// @p report and @p settings (may be none) must outlive it; @p designer owns the window.
    FieldListWindow(engine::TqxReport &report, platform::SettingsStore *settings,
                    QWidget *designer);
    ~FieldListWindow() override;

    bool isShown() const;
    /// Shows (or brings forward and unrolls) the window, or destroys it.
    void setShown(bool shown);
    /// Handed to every window made, called when its height changed.
    void setHeightChangedHook(std::function<void()> hook);
    void refresh();
    dialogs::TqxInsFieldsForm *window() const;

signals:
    void shownChanged(bool shown);

private:
    engine::TqxReport &m_report;
    platform::SettingsStore *m_settings;
    QWidget *m_designer;
    QString m_lastSource;
    std::function<void()> m_heightChanged;
    QPointer<dialogs::TqxInsFieldsForm> m_window;
};

} // namespace tovren::designer
