#pragma once

#include <QtGlobal>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace tovren::model {
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::engine {

class PageEngine;
class TqxBand;

/// Whether a template page is built, or only records what it would output (a sub-report page).
enum class PageMode { Normal, Collect };

/// One step of a sub-report page's recorded walk.
struct PlayEntry
{
    enum Action { Show, First, Next };
    TqxBand *band;
    Action action;
    /// Show: the band's line numbers when it was recorded. The walk counts a group's values
    /// itself, so its header gets them back when it is played.
    int lineNo = 0;
    int lineThroughNo = 0;
};

/// Plays the content of sub-report objects inside the band that holds them: each sub-report
/// page first records its walk of the data (collect mode), then the record is played back
/// into the prepared pages beside the band's other objects, breaking the band's page until
/// every sub-report has played to its end. Sub-reports inside a sub-report leave the page break
/// to the outer playback.
///
/// It belongs to the page engine of the band's page and borrows the engines of the sub-report
/// pages. A band that does not fit even on a fresh page ends the build with an error.
class SubReportPlayer
{
public:
    explicit SubReportPlayer(PageEngine &host)
        : m_host(host)
    {}
    SubReportPlayer(const SubReportPlayer &) = delete;
    SubReportPlayer &operator=(const SubReportPlayer &) = delete;

    /// The engine of a template page by its index, or nullptr for a page that has none.
    using PageLookup = std::function<PageEngine *(qsizetype templatePageIndex)>;
    void setPageLookup(PageLookup lookup) { m_pages = std::move(lookup); }

    /// Plays the sub-reports of @p band from its object @p first on; true when they still wait
    /// for a page break that the outer playback makes (the band's page is a sub-report page).
    bool Output(TqxBand &band, std::size_t first);
    /// Continues the sub-reports of @p band; @p afterPageBreak moves them to the new page.
    bool RunSubReports(TqxBand &band, bool afterPageBreak);
    /// Plays back @p page's play list from where it stopped; true means a new page is needed.
    static bool Play(PageEngine &page);

private:
    void StartSubReports(TqxBand &band);
    /// The engines of the band's visible sub-reports from its first one, in object order.
    std::vector<PageEngine *> subReportPages(const TqxBand &band) const;
    void finish(TqxBand &band, const std::vector<PageEngine *> &pages);

    PageEngine &m_host;
    PageLookup m_pages;
};

/// Marks the pages named by sub-report objects as sub-report pages and lets every engine find
/// them. Raises EReportError for a sub-report that names no report page of the template, and
/// for one that contains itself, directly or through other sub-reports.
void linkSubReportPages(const model::TqxPages &pages,
                        const std::vector<std::unique_ptr<PageEngine>> &engines);

} // namespace tovren::engine
