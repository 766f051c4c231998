#include "report/designer/PageListCommands.h"

#include "report/model/TqxPages.h"
#include "report/model/TqxSubReportView.h"

namespace tovren::designer {

namespace {

model::TqxSubReportView *asSubReport(model::TqxView *view)
{
    return view && view->ObjectKind == model::okSubReport
               ? static_cast<model::TqxSubReportView *>(view)
               : nullptr;
}

} // namespace

qsizetype PageListCommands::addPage()
{
    const qsizetype index = m_pages.Add();
    m_pages.page(index)->MakeUniquePageName(
        [this](const QString &name) { return m_pages.isPageNameTaken(name); });
    return index;
}

qsizetype PageListCommands::addDialogPage()
{
    const qsizetype index = addPage();
    m_pages.page(index)->PageType = model::TqxPage::ptDialog;
    return index;
}

template<typename Renumber>
void PageListCommands::renumberSubReports(Renumber newIndex)
{
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        model::TqxPage &page = *m_pages.page(p);
        for (qsizetype i = page.objectCount() - 1; i >= 0; --i) {
            model::TqxSubReportView *sub = asSubReport(page.object(i));
            if (!sub)
                continue;
            const qsizetype target = newIndex(qsizetype(sub->SubReportPage));
            if (target < 0)
                page.Delete(i);
            else
                sub->SubReportPage = qint32(target);
        }
    }
}

bool PageListCommands::deletePage(qsizetype index)
{
    if (m_pages.Count() <= 1 || index < 0 || index >= m_pages.Count())
        return false;
    m_pages.Delete(index);
    renumberSubReports([index](qsizetype target) -> qsizetype {
        if (target == index)
            return -1;
        return target > index ? target - 1 : target;
    });
    return true;
}

bool PageListCommands::movePage(qsizetype from, qsizetype to)
{
    const qsizetype count = m_pages.Count();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    m_pages.Move(from, to);
    renumberSubReports([from, to](qsizetype target) -> qsizetype {
        if (target == from)
            return to;
        if (from < to && target > from && target <= to)
            return target - 1;
        if (to < from && target >= to && target < from)
            return target + 1;
        return target;
    });
    return true;
}

bool PageListCommands::isSubReportTarget(qsizetype index) const
{
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        const model::TqxPage &page = *m_pages.page(p);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            const model::TqxSubReportView *sub = asSubReport(page.object(i));
            if (sub && sub->SubReportPage == index)
                return true;
        }
    }
    return false;
}

QStringList PageListCommands::tabCaptions() const
{
    QStringList captions(m_pages.Count());
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        const model::TqxPage &page = *m_pages.page(p);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            const model::TqxSubReportView *sub = asSubReport(page.object(i));
            if (sub && sub->SubReportPage >= 0 && sub->SubReportPage < captions.size() &&
                captions[sub->SubReportPage].isEmpty())
                captions[sub->SubReportPage] = sub->Name;
        }
    }
    for (qsizetype p = 0; p < captions.size(); ++p) {
        if (captions[p].isEmpty())
            captions[p] = QStringLiteral("页") + QString::number(p + 1);
    }
    return captions;
}

} // namespace tovren::designer
