#include "report/preview/PreviewPageCommands.h"

#include "report/engine/TqxReport.h"
#include "report/platform/DialogProvider.h"

namespace tovren::preview {

PreviewPageCommands::PreviewPageCommands(engine::TqxReport &report,
                                         platform::DialogProvider &dialogs)
    : m_report(report)
    , m_dialogs(dialogs)
{}

bool PreviewPageCommands::available() const
{
    return m_editor && m_report.ModifyPrepared;
}

bool PreviewPageCommands::editPage(int index)
{
    engine::TqxEMFPages &pages = m_report.EMFPages();
    if (!available() || index < 0 || index >= pages.Count())
        return false;
    pages.Page(index).unpacked.reset();
    return m_editor->editPreparedPage(m_report, index);
}

bool PreviewPageCommands::insertPage(int index)
{
    engine::TqxEMFPages &pages = m_report.EMFPages();
    const model::TqxPage *templatePage = m_report.Pages().page(0);
    if (!available() || !templatePage || pages.Count() == 0)
        return false;
    pages.Insert(std::clamp<qsizetype>(index, 0, pages.Count()), *templatePage);
    return true;
}

bool PreviewPageCommands::deletePage(int index)
{
    engine::TqxEMFPages &pages = m_report.EMFPages();
    if (!available() || pages.Count() <= 1 || index < 0 || index >= pages.Count())
        return false;
    const int answer = m_dialogs.messageBox(QStringLiteral("删除该页吗?"), QStringLiteral("确认"),
                                            platform::mb_YesNo | platform::mb_IconQuestion);
    if (answer != platform::mrYes)
        return false;
    pages.Delete(index);
    return true;
}

} // namespace tovren::preview
