#include "report/engine/SubReportPlayer.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxReport.h"
#include "report/model/RunState.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxSubReportView.h"

namespace tovren::engine {

using model::DesignPixels;
using model::TqxView;

namespace {

/// Makes a sub-report page the one that names such as CURY and COLUMN# speak of while it is
/// collected or played, and gives the band's page back afterwards.
class ActivePage
{
public:
    ActivePage(TqxReport &report, PageEngine &active, PageEngine &previous)
        : m_report(report)
        , m_previous(previous)
    {
        activate(active);
    }
    ~ActivePage() { activate(m_previous); }
    ActivePage(const ActivePage &) = delete;
    ActivePage &operator=(const ActivePage &) = delete;

private:
    void activate(PageEngine &engine)
    {
        model::runState().currentPage = &engine.page();
        if (ReportEvaluation *evaluation = m_report.evaluation())
            evaluation->setPageEngine(&engine);
    }

    TqxReport &m_report;
    PageEngine &m_previous;
};

bool isSubReport(const TqxView &view)
{
    return view.ObjectKind == model::okSubReport;
}

/// Plays @p page's list for the band page @p host, which gets back the expression names.
bool playFor(PageEngine &page, PageEngine &host, TqxReport &report)
{
    const ActivePage active(report, page, host);
    return SubReportPlayer::Play(page);
}

} // namespace

std::vector<PageEngine *> SubReportPlayer::subReportPages(const TqxBand &band) const
{
    std::vector<PageEngine *> pages;
    for (std::size_t i = static_cast<std::size_t>(std::max(band.FirstSubReport, 0));
         i < band.Objects.size(); ++i) {
        const auto *view = dynamic_cast<const model::TqxSubReportView *>(band.Objects[i]);
        if (!view || !view->Visible)
            continue;
        PageEngine *page = m_pages ? m_pages(view->SubReportPage) : nullptr;
        if (!page)
            throw EReportError(QStringLiteral("子报表 %1 所指的页 %2 不存在")
                                   .arg(view->Name)
                                   .arg(view->SubReportPage + 1));
        pages.push_back(page);
    }
    return pages;
}

bool SubReportPlayer::Output(TqxBand &band, std::size_t first)
{
    band.FirstSubReport = static_cast<int>(first);
    band.SubReportMinimumEnd = std::max<DesignPixels>(m_host.CurY + band.Height, 0);
    band.SubReportStartPage = buildRunState().pageIndex;
    StartSubReports(band);
    return RunSubReports(band, false);
}

void SubReportPlayer::StartSubReports(TqxBand &band)
{
    const std::vector<PageEngine *> pages = subReportPages(band);
    band.SubReportFinished.assign(pages.size(), false);
    TqxReport &report = m_host.m_report;
    std::size_t next = 0;
    for (std::size_t i = static_cast<std::size_t>(band.FirstSubReport); i < band.Objects.size();
         ++i) {
        const TqxView &view = *band.Objects[i];
        if (!isSubReport(view) || !view.Visible)
            continue;
        PageEngine &page = *pages[next++];
        // A page cannot record a second walk while its first is being played.
        if (page.SubReportBusy)
            throw EReportError(QStringLiteral("子报表 %1 在页 %2 输出时又被调用")
                                   .arg(view.Name, page.page().Name));
        page.SubReportBusy = true;
        page.HostEngine = &m_host;
        page.Mode = PageMode::Collect;
        page.PlayList.clear();
        page.ReplayStart = 0;
        page.PendingBand = nullptr;
        {
            const ActivePage active(report, page, m_host);
            page.FillPage();
        }
        page.CurY = view.Top + band.Top;
        page.BottomLimit = m_host.BottomLimit;
        // Objects keep their place relative to the page's printable area, moved to the mark.
        page.XOffset =
            m_host.XOffset + view.Left - m_host.page().LeftEdge() + page.page().LeftEdge();
        page.ColumnIndex = 0;
        page.SubReportFreshPage = false;
    }
    m_host.PendingBand = nullptr;
}

bool SubReportPlayer::RunSubReports(TqxBand &band, bool afterPageBreak)
{
    const std::vector<PageEngine *> pages = subReportPages(band);
    TqxReport &report = m_host.m_report;
    bool moved = afterPageBreak;
    for (;;) {
        if (moved) {
            for (PageEngine *page : pages) {
                page->CurY = m_host.CurY;
                page->BottomLimit = m_host.BottomLimit;
                page->SubReportFreshPage = true;
            }
        }
        band.SubReportsDone = true;
        band.SubReportBottom = m_host.CurY;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (band.SubReportFinished[i])
                continue;
            if (playFor(*pages[i], m_host, report)) {
                band.SubReportsDone = false;
            } else {
                band.SubReportFinished[i] = true;
                band.SubReportBottom = std::max(band.SubReportBottom, pages[i]->CurY);
            }
        }
        if (band.SubReportsDone || report.StopRequested)
            break;
        if (m_host.IsSubReportPage) {
            // Nested: the playback of this page makes the break and comes back here.
            m_host.PendingBand = &band;
            return true;
        }
        // The band is not output again on the new page; only its sub-reports go on there.
        band.ScriptDone = true;
        m_host.NewPage();
        band.ScriptDone = false;
        moved = true;
    }
    finish(band, pages);
    return false;
}

void SubReportPlayer::finish(TqxBand &band, const std::vector<PageEngine *> &pages)
{
    for (PageEngine *page : pages) {
        page->PlayList = {};
        page->ReplayStart = 0;
        page->SubReportBusy = false;
    }
    m_host.CurY += std::max(band.MeasuredHeight, band.SubReportBottom - m_host.CurY);
    m_host.PendingBand = nullptr;
    if (buildRunState().pageIndex == band.SubReportStartPage)
        m_host.CurY = std::max(m_host.CurY, band.SubReportMinimumEnd);
    model::runState().currentPage = &m_host.page();
    band.FirstSubReport = -1;
}

bool SubReportPlayer::Play(PageEngine &page)
{
    while (page.ReplayStart < page.PlayList.size()) {
        if (page.stopRequested())
            return false;
        const PlayEntry entry = page.PlayList[page.ReplayStart];
        TqxBand &band = *entry.band;
        switch (entry.action) {
        case PlayEntry::Show:
            if (page.PendingBand) {
                if (page.subReports().RunSubReports(*page.PendingBand, true))
                    return true;
                // Its sub-reports wrote on this page: a band that does not fit after them
                // has a fresh page to go to.
                page.SubReportFreshPage = false;
            } else {
                // The rows after a group header count from 1 again, as in a built page.
                if (band.BandType == btGroupHeader) {
                    band.LineNo = entry.lineNo;
                    band.LineThroughNo = entry.lineThroughNo;
                    if (band.OwnerDataBand)
                        page.resetBand(*band.OwnerDataBand);
                }
                if (page.OutputBand(band)) {
                    // Played again from here on the next page.
                    return true;
                }
            }
            break;
        case PlayEntry::First:
            if (TqxDataset *source = band.dataSet())
                source->First();
            page.resetBand(band);
            break;
        case PlayEntry::Next:
            if (TqxDataset *source = band.dataSet())
                source->Next();
            ++page.RecordPos;
            ++band.LineThroughNo;
            ++band.LineNo;
            break;
        }
        ++page.ReplayStart;
    }
    return false;
}

void linkSubReportPages(const model::TqxPages &pages,
                        const std::vector<std::unique_ptr<PageEngine>> &engines)
{
    struct Link
    {
        const TqxView *view;
        qsizetype target;
    };
    const qsizetype count = static_cast<qsizetype>(engines.size());
    std::vector<std::vector<Link>> links(engines.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!engines[i])
            continue;
        const model::TqxPage &page = *pages.page(i);
        for (qsizetype j = 0; j < page.objectCount(); ++j) {
            const auto *view = dynamic_cast<const model::TqxSubReportView *>(page.object(j));
            if (!view)
                continue;
            const qsizetype target = view->SubReportPage;
            if (target < 0 || target >= count || !engines[target])
                throw EReportError(
                    QStringLiteral("子报表 %1 所指的页 %2 不存在").arg(view->Name).arg(target + 1));
            links[i].push_back({view, target});
            engines[target]->markAsSubReportPage();
        }
    }

    // A page that reaches itself through its sub-reports would be played inside itself for ever.
    enum class Visit { New, Open, Done };
    std::vector<Visit> state(engines.size(), Visit::New);
    const std::function<void(qsizetype)> visit = [&](qsizetype i) {
        state[i] = Visit::Open;
        for (const Link &link : links[i]) {
            if (state[link.target] == Visit::Open)
                throw EReportError(QStringLiteral("子报表 %1 包含它自身").arg(link.view->Name));
            if (state[link.target] == Visit::New)
                visit(link.target);
        }
        state[i] = Visit::Done;
    };
    for (qsizetype i = 0; i < count; ++i) {
        if (state[i] == Visit::New)
            visit(i);
    }

    const auto lookup = [&engines](qsizetype index) -> PageEngine * {
        return index >= 0 && index < static_cast<qsizetype>(engines.size()) ? engines[index].get()
                                                                            : nullptr;
    };
    for (const auto &engine : engines) {
        if (engine)
            engine->subReports().setPageLookup(lookup);
    }
}

} // namespace tovren::engine
