#include "report/designer/PageScriptEdit.h"

#include "report/model/TqxControl.h"
#include "report/model/TqxPage.h"

namespace tovren::designer {

namespace {

/// A control that is never drawn: it only carries the script through the editor, which shows
/// controls with their script pane alone.
class ScriptStandIn : public model::TqxControl
{
public:
    void PaintControl(QPainter &) override {}
    QString className() const override { return QStringLiteral("TqxControl"); }
};

} // namespace

bool PageScriptEdit::run(model::TqxPage &page, const Editor &editor)
{
    if (!editor)
        return false;
    ScriptStandIn standIn;
    standIn.Name = page.Name;
    standIn.Script = page.Script;
    if (!editor(standIn))
        return false;
    page.Script = standIn.Script;
    return true;
}

} // namespace tovren::designer
