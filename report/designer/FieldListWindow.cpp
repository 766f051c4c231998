#include "report/designer/FieldListWindow.h"

#include "report/dialogs/FormPlacement.h"
#include "report/dialogs/TqxInsFieldsForm.h"

namespace tovren::designer {

FieldListWindow::FieldListWindow(engine::TqxReport &report, platform::SettingsStore *settings,
                                 QWidget *designer)
    : QObject(designer)
    , m_report(report)
    , m_settings(settings)
    , m_designer(designer)
{}

FieldListWindow::~FieldListWindow()
{
    delete m_window.data();
}

dialogs::TqxInsFieldsForm *FieldListWindow::window() const
{
    return m_window;
}

bool FieldListWindow::isShown() const
{
    return m_window && m_window->isVisible();
}

void FieldListWindow::setShown(bool shown)
{
    if (!shown) {
        if (m_window)
            m_window->close();
        return;
    }
    if (!m_window) {
        m_window = new dialogs::TqxInsFieldsForm(m_report, m_lastSource, m_settings, m_designer);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->HeightChangedHook = m_heightChanged;
        // The first time it stands beside the objects tool bar, below the other tool bars, instead
        // of wherever the desktop puts new windows (over the designer's menus).
        if (m_designer && (!m_settings || !dialogs::FormPlacement::isStored(
                                              *m_settings, dialogs::TqxInsFieldsForm::className())))
            m_window->move(m_designer->mapToGlobal(QPoint(40, 120)));
        connect(m_window, &dialogs::TqxInsFieldsForm::hidden, this, [this] {
            if (m_window)
                m_window->deleteLater();
            emit shownChanged(false);
        });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    m_window->Unroll();
    emit shownChanged(true);
}

void FieldListWindow::setHeightChangedHook(std::function<void()> hook)
{
    m_heightChanged = std::move(hook);
    if (m_window)
        m_window->HeightChangedHook = m_heightChanged;
}

void FieldListWindow::refresh()
{
    if (m_window)
        m_window->RefreshFieldList();
}

} // namespace tovren::designer
