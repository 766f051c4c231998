#include "report/designer/WidgetDesignerHost.h"

#include "report/designer/TqxDesignerForm.h"
#include "report/dialogs/TqxFontComboBox.h"
#include "report/engine/TqxReport.h"
#include "report/platform/SettingsStore.h"

#include <QApplication>

namespace tovren::designer {

WidgetDesignerHost::WidgetDesignerHost(platform::DialogProvider &dialogs,
                                       DesignerDialogs &designerDialogs,
                                       platform::SettingsStore *settings, QWidget *parent)
    : m_dialogs(dialogs)
    , m_designerDialogs(designerDialogs)
    , m_settings(settings)
    , m_parent(parent)
{
    // The recently used fonts are kept beside the program's settings, for every program of
    // the family.
    if (m_settings)
        m_recentFonts = std::make_unique<platform::SettingsStore>(
            QString::fromLatin1(dialogs::TqxFontComboBox::kRecentFontsStoreTitle));
}

WidgetDesignerHost::~WidgetDesignerHost() = default;

TqxDesignerForm::Services WidgetDesignerHost::services(bool wholeReport)
{
    TqxDesignerForm::Services services;
    services.dialogs = &m_dialogs;
    services.designerDialogs = &m_designerDialogs;
    services.settings = m_settings;
    // A page of a preview is no document of its own: no recovery copy is kept for it.
    services.recoveryFolder = wholeReport ? m_recoveryFolder : QString();
    services.clipboard = &m_clipboard;
    services.recentFonts = m_recentFonts.get();
    return services;
}

int WidgetDesignerHost::run(TqxDesignerForm &window)
{
    return m_runner ? m_runner(window) : window.showModal();
}

int WidgetDesignerHost::designReport(engine::TqxReport &report)
{
    TqxDesignerForm window(report, true, services(true), m_parent);
    return run(window);
}

bool WidgetDesignerHost::designPreparedPage(engine::TqxReport &report)
{

    QWidget *owner =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent.data();
    const bool wasModified = report.Modified;
    bool changed = false;
    {
        TqxDesignerForm window(report, false, services(false), owner);
        run(window);
        changed = window.IsModified();
    }
    report.Modified = wasModified;
    return changed;
}

bool WidgetDesignerHost::editPreparedPage(engine::TqxReport &report, int pageIndex)
{
    return report.EditPreparedPage(pageIndex);
}

} // namespace tovren::designer
