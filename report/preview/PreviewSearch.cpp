#include "report/preview/PreviewSearch.h"

#include "report/engine/TqxEMFPages.h"
#include "report/preview/PreviewTextRuns.h"

#include <QLocale>

namespace tovren::preview {

void PreviewSearch::setText(const QString &text, bool matchCase)
{
    m_matchCase = matchCase;
    m_text = normalised(text);
}

QString PreviewSearch::normalised(const QString &text) const
{
    return m_matchCase ? text : QLocale::system().toUpper(text);
}

void PreviewSearch::restartAt(int pageIndex)
{
    m_searchPage = std::max(0, pageIndex);
    m_searchResume = 0;
}

void PreviewSearch::continueOn(int pageIndex)
{
    if (pageIndex != m_searchPage)
        restartAt(pageIndex);
}

std::optional<PreviewSearch::Hit> PreviewSearch::findNext(engine::TqxEMFPages &pages)
{
    if (m_text.isEmpty())
        return std::nullopt;
    while (m_searchPage < pages.Count()) {
        for (const PreviewTextRun &run : PreviewTextRuns::collect(pages, m_searchPage)) {
            if (run.record < m_searchResume || !normalised(run.text).contains(m_text))
                continue;
            m_searchResume = run.record + 1;
            return Hit{m_searchPage, run.record, run.bounds};
        }
        m_searchResume = 0;
        ++m_searchPage;
    }
    return std::nullopt;
}

} // namespace tovren::preview
