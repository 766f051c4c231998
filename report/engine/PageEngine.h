#pragma once

#include "report/engine/SubReportPlayer.h"
#include "report/engine/TqxBand.h"
#include "report/model/Units.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::engine {

class CrossBandOutput;
class TqxReport;

/// What carries over from one template page to the next within a pass: where the last page
/// ended, so a page marked to print on the previous one continues there.
struct PageContinuation
{
    model::DesignPixels savedCurY = 0;
    model::DesignPixels savedBottomLimit = 0;
    bool footerDue = false;
};

/// Builds one template page into prepared pages: the band tree, the walk of the data sources
/// through master, detail and sub-detail bands and their groups, and the output of each band
/// with stretching, breaks, columns and splitting.
///
/// It borrows the page and moves the page's objects while it runs; every object gets its
/// design geometry back when the engine is destroyed. Errors raised by expressions and scripts
/// while objects are output become the report's evaluation error; other errors pass through.
class PageEngine
{
public:
    PageEngine(TqxReport &report, model::TqxPage &page, PageContinuation &continuation);
    ~PageEngine();
    PageEngine(const PageEngine &) = delete;
    PageEngine &operator=(const PageEngine &) = delete;

    model::TqxPage &page() const { return m_page; }
    /// The head of the chain of bands of @p type.
    TqxBand &band(int type) const { return *m_bands.at(type); }

    /// Registers the running totals that the page's bands show on the data bands they run
    /// over, by evaluating every bracket of those bands once with the scan switched on.
    void PrepareObjects();
    /// Rewinds the data sources of the chain heads before another pass.
    void rewind();
    /// Builds the page into prepared pages from the current PageIndex on.
    void FillPage();
    void ShowBand(TqxBand *band);
    void NewPage();
    void NewColumn(TqxBand *band);
    void ShowPageFooters();
    void OutputBandByName(const QString &name);

    /// Outputs a band as the walk asks for it; true when that started a new page.
    bool OutputBand(TqxBand &band);

    model::DesignPixels CurY = 0;
    model::DesignPixels BottomLimit = 0;
    model::DesignPixels XOffset = 0;
    model::DesignPixels ColumnTop = 0;
    model::DesignPixels ColWidth = 0;
    int ColumnIndex = 0;
    int ColumnNo = 1;
    int RecordPos = 1;
    TqxBand *LastOutputBand = nullptr;
    bool RepeatHeadersOff = false;

    // Sub-report playback (SubReportPlayer.cpp).
    PageMode Mode = PageMode::Normal;
    std::vector<PlayEntry> PlayList;
    std::size_t ReplayStart = 0;
    TqxBand *PendingBand = nullptr;
    /// The page is the content of a sub-report object and is never built on its own.
    bool IsSubReportPage = false;
    /// Nothing was played on this page since the sub-reports moved to a new page.
    bool SubReportFreshPage = false;
    /// The page's collect-and-play cycle is running.
    bool SubReportBusy = false;
    /// The engine of the band that plays this sub-report page, while it plays.
    PageEngine *HostEngine = nullptr;
    void markAsSubReportPage();
    SubReportPlayer &subReports() { return *m_subReports; }

private:
    friend class CrossBandOutput;
    friend class SubReportPlayer;

    static constexpr int kMaxNestedPageBreaks = 16;

    /// Counts how deeply a call is nested in itself while it runs.
    class NestingGuard
    {
    public:
        explicit NestingGuard(int &depth)
            : m_depth(depth)
        {
            ++m_depth;
        }
        ~NestingGuard() { --m_depth; }
        NestingGuard(const NestingGuard &) = delete;
        NestingGuard &operator=(const NestingGuard &) = delete;

    private:
        int &m_depth;
    };

    QString bandDoesNotFitMessage() const;

    struct SavedGeometry
    {
        model::TqxView *view;
        model::DesignPixels left, top, height;
    };

    // Band tree (PageEngine.cpp).
    void BuildBandTree();
    void restoreGeometry();
    void placeObjects(TqxBand &band, std::vector<model::TqxView *> &unplaced);
    void sortAndLink(int type, std::vector<std::unique_ptr<TqxBand>> &bands);
    void linkHeadersAndFooters();
    void setDataSource(TqxBand &band, const QString &text);
    TqxBand *findBandByViewName(const QString &name) const;

    // Record walk (PageEngine.cpp).
    void WalkLevel(int level);
    bool groupBreaks(TqxBand &dataBand, std::size_t &breaking);
    void flushPending();
    void dropPending();
    bool masterSourceEmpty();
    int deepestLevel() const;
    bool stopRequested() const;

    // Band output (BandOutput.cpp).
    void Draw(TqxBand &band);
    model::DesignPixels MeasureHeight(TqxBand &band);
    model::DesignPixels ownHeight(TqxBand &band);
    model::DesignPixels stretchedHeight(TqxBand &band);
    static bool isCell(const TqxBand &band, const model::TqxView &view);
    static bool holdsSubReport(const TqxBand &band);
    bool CheckFit(TqxBand &band, model::DesignPixels top, model::DesignPixels height,
                  bool dryRun = false);
    void outputObjects(TqxBand &band);
    void outputSplit(TqxBand &band); // BandSplit.cpp
    void OutputObject(TqxBand &band, model::TqxView &view);
    void runBandScript(TqxBand &band);
    void ResetTotals(TqxBand &band);
    void resetBand(TqxBand &band);
    /// @p column 0 adds the row; a column number adds that column of a crossed band.
    void addToTotals(TqxBand &band, int column = 0);
    void scanAggregates(TqxBand &band);
    model::DesignPixels columnFooterHeight() const;

    TqxReport &m_report;
    model::TqxPage &m_page;
    PageContinuation &m_continuation;
    std::array<std::unique_ptr<TqxBand>, kBandTypeCount> m_bands;
    std::vector<TqxBand *> m_pending;
    std::vector<SavedGeometry> m_savedGeometry;
    int m_colCount = 1;
    int m_newPageDepth = 0;
    int m_deepestLevel = 1;
    bool m_columnFooterCounts = true;
    std::unique_ptr<CrossBandOutput> m_cross;
    std::unique_ptr<SubReportPlayer> m_subReports;
    /// Set by the sub-reports of the band being drawn: they moved CurY themselves, and whether
    /// they still wait for an outer page break.
    bool m_subReportMovedY = false;
    bool m_subReportsPending = false;
    /// A band taller than a page that cannot be split and was put at the top of a page.
    TqxBand *m_tallBandOnFreshPage = nullptr;
};

} // namespace tovren::engine
