#include "report/designer/WidgetDesignerHost.h"

#include "report/designer/TqxDesignerForm.h"
#include "report/engine/TqxReport.h"

#include <QApplication>

namespace tovren::designer {

WidgetDesignerHost::WidgetDesignerHost(platform::DialogProvider &dialogs,
                                       DesignerDialogs &designerDialogs,
                                       platform::SettingsStore *settings, QWidget *parent)
    : m_dialogs(dialogs)
    , m_designerDialogs(designerDialogs)
    , m_settings(settings)
    , m_parent(parent)
{}

int WidgetDesignerHost::run(TqxDesignerForm &window)
{
    return m_runner ? m_runner(window) : window.showModal();
}

int WidgetDesignerHost::designReport(engine::TqxReport &report)
{
    TqxDesignerForm::Services services{&m_dialogs, &m_designerDialogs, m_settings, m_recoveryFolder,
                                       &m_clipboard};
    TqxDesignerForm window(report, true, services, m_parent);
    return run(window);
}

bool WidgetDesignerHost::designPreparedPage(engine::TqxReport &report)
{
    // A page of a preview is no document of its own: no recovery copy is kept for it.
    TqxDesignerForm::Services services{&m_dialogs, &m_designerDialogs, m_settings, QString(),
                                       &m_clipboard};
    QWidget *owner =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent.data();
    const bool wasModified = report.Modified;
    bool changed = false;
    {
        TqxDesignerForm window(report, false, services, owner);
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
