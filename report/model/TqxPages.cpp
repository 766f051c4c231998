#include "report/model/TqxPages.h"

#include "report/model/RunState.h"

#include <algorithm>

namespace tovren::model {

TqxPages::TqxPages(PaperSelector *paper)
    : m_paper(paper)
{}

TqxPage *TqxPages::page(qsizetype index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].get();
}

qsizetype TqxPages::Add()
{
    SheetRequest sheet;
    sheet.paperCode = m_paper ? m_paper->defaultPaperCode() : sheet.paperCode;
    m_pages.push_back(std::make_unique<TqxPage>(m_paper, sheet));
    return Count() - 1;
}

void TqxPages::adopt(std::unique_ptr<TqxPage> page)
{
    if (page)
        m_pages.push_back(std::move(page));
}

std::unique_ptr<TqxPage> TqxPages::release(qsizetype index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    auto released = std::move(m_pages[static_cast<size_t>(index)]);
    m_pages.erase(m_pages.begin() + index);
    return released;
}

void TqxPages::Delete(qsizetype index)
{
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}

void TqxPages::Move(qsizetype from, qsizetype to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto moved = std::move(m_pages[static_cast<size_t>(from)]);
    m_pages.erase(m_pages.begin() + from);
    m_pages.insert(m_pages.begin() + to, std::move(moved));
}

void TqxPages::ApplyBandAlignments()
{
    RunState &state = runState();
    TqxPage *const previousPage = state.currentPage;
    for (const auto &page : m_pages) {
        state.currentPage = page.get();
        for (qsizetype i = 0; i < page->objectCount(); ++i) {
            TqxView *view = page->object(i);
            if (view->BandAlign != baNone)
                view->AlignInBand();
        }
    }
    state.currentPage = previousPage;
}

TqxView *TqxPages::FindObject(const QString &name) const
{
    for (const auto &page : m_pages) {
        if (TqxView *view = page->FindObjectByName(name))
            return view;
    }
    return nullptr;
}

bool TqxPages::isPageNameTaken(const QString &name) const
{
    return std::any_of(m_pages.begin(), m_pages.end(), [&](const auto &page) {
        return page->Name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace tovren::model
