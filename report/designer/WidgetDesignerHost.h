#pragma once

#include "report/designer/ObjectClipboard.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/engine/TqxDesignerHost.h"
#include "report/preview/PreviewPageCommands.h"

#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::designer {

class DesignerDialogs;

/// The designer the widget layer registers with the report engine: it opens a TqxDesignerForm
/// modally on a whole report, or on a prepared page the preview hands it, and is the preview's
/// page editor.
///
/// What it is given is not owned and must outlive it.
class WidgetDesignerHost : public engine::TqxDesignerHost, public preview::PreviewPageEditor
{
public:
    /// Runs an open designer window; the default shows it modally and returns its result.
    /// Tests drive the window instead.
    using Runner = std::function<int(TqxDesignerForm &)>;

    WidgetDesignerHost(platform::DialogProvider &dialogs, DesignerDialogs &designerDialogs,
                       platform::SettingsStore *settings, QWidget *parent = nullptr);
    ~WidgetDesignerHost() override;

    void setRunner(Runner runner) { m_runner = std::move(runner); }
    /// Where recovery copies of unsaved work are kept; empty keeps none.
    void setRecoveryFolder(const QString &folder) { m_recoveryFolder = folder; }

    int designReport(engine::TqxReport &report) override;
    bool designPreparedPage(engine::TqxReport &report) override;
    bool editPreparedPage(engine::TqxReport &report, int pageIndex) override;

private:
    int run(TqxDesignerForm &window);
    TqxDesignerForm::Services services(bool wholeReport);

    platform::DialogProvider &m_dialogs;
    DesignerDialogs &m_designerDialogs;
    platform::SettingsStore *m_settings;
    QPointer<QWidget> m_parent;
    QString m_recoveryFolder;
    Runner m_runner;
    /// Copied objects stay for the whole run, from one opening of the designer to the next.
    ObjectClipboard m_clipboard;
    std::unique_ptr<platform::SettingsStore> m_recentFonts;
};

} // namespace tovren::designer
