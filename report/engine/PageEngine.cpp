#include "report/engine/PageEngine.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/CrossBandOutput.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/LargeObjectFields.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxReport.h"
#include "report/model/BracketExpansion.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxSubReportView.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

using model::DesignPixels;
using model::TqxBandView;
using model::TqxView;

namespace {

constexpr int kLevelCount = 3;
constexpr int kDataType[kLevelCount + 1] = {0, btMasterData, btDetailData, btSubDetailData};
constexpr int kHeaderType[kLevelCount + 1] = {0, btMasterHeader, btDetailHeader, btSubDetailHeader};
constexpr int kFooterType[kLevelCount + 1] = {0, btMasterFooter, btDetailFooter, btSubDetailFooter};

bool isSubReport(const TqxView &view)
{
    return view.ObjectKind == model::okSubReport;
}

} // namespace

PageEngine::PageEngine(TqxReport &report, model::TqxPage &page, PageContinuation &continuation)
    : m_report(report)
    , m_page(page)
    , m_continuation(continuation)
    , m_cross(std::make_unique<CrossBandOutput>(*this))
    , m_subReports(std::make_unique<SubReportPlayer>(*this))
{
    for (int type = 0; type < kBandTypeCount; ++type)
        m_bands[type] = std::make_unique<TqxBand>(type);
    try {
        BuildBandTree();
    } catch (...) {
        // No destructor runs for an engine that was never made; the objects already moved
        // into their bands must not stay moved in the template.
        restoreGeometry();
        throw;
    }
}

PageEngine::~PageEngine()
{
    restoreGeometry();
    if (buildRunState().currentBand)
        buildRunState().currentBand = nullptr;
}

void PageEngine::restoreGeometry()
{
    for (const SavedGeometry &saved : m_savedGeometry) {
        saved.view->Left = saved.left;
        saved.view->Top = saved.top;
        saved.view->Height = saved.height;
    }
}

void PageEngine::BuildBandTree()
{
    std::vector<TqxView *> unplaced;
    std::vector<std::vector<std::unique_ptr<TqxBand>>> byType(kBandTypeCount);
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        TqxView *view = m_page.object(i);
        m_savedGeometry.push_back({view, view->Left, view->Top, view->Height});
        if (auto *bandView = dynamic_cast<TqxBandView *>(view)) {
            const int type = bandView->bandType();
            if (type == btCrossHeader || type == btCrossData || type == btCrossFooter) {
                m_cross->takeCrossBand(*bandView);
            } else if (type < kBandTypeCount && type != btNone) {
                auto band = std::make_unique<TqxBand>(type);
                band->takeOverView(*bandView);
                setDataSource(*band, bandView->CustomFormat);
                byType[type].push_back(std::move(band));
            }
        } else {
            unplaced.push_back(view);
        }
    }
    m_cross->takeCrossObjects(unplaced);
    for (int type = 0; type < kBandTypeCount; ++type) {
        for (auto &band : byType[type])
            placeObjects(*band, unplaced);
        if (!byType[type].empty())
            sortAndLink(type, byType[type]);
    }
    // An object of a cross band that no horizontal band crosses has no row to be written in.
    for (TqxView *view : unplaced) {
        if (!m_cross->holds(*view))
            m_bands[btNone]->Objects.push_back(view);
    }
    linkHeadersAndFooters();
    m_cross->bindColumnSources();

    // The template keeps its column count as stored; 0 counts as one column here.
    m_colCount = std::max(m_page.ColCount, 1);
    ColWidth =
        (m_page.RightEdge() - m_page.LeftEdge() - (m_colCount - 1) * m_page.ColGap) / m_colCount;
    m_page.ColWidth = ColWidth;
    RecordPos = 1;
    ColumnNo = 1;
}

void PageEngine::placeObjects(TqxBand &band, std::vector<TqxView *> &unplaced)
{
    const auto takeInto = [&](auto accept) {
        for (auto it = unplaced.begin(); it != unplaced.end();) {
            TqxView *view = *it;
            if (accept(*view) && view->Top >= band.Top && view->Top <= band.Top + band.Height) {
                view->Top -= band.Top;
                band.Objects.push_back(view);
                it = unplaced.erase(it);
            } else {
                ++it;
            }
        }
    };
    takeInto([this](const TqxView &view) { return !isSubReport(view) && !m_cross->holds(view); });
    const std::size_t firstCell = band.Objects.size();
    takeInto([this](const TqxView &view) { return m_cross->holds(view); });
    band.Cells.assign(band.Objects.begin() + static_cast<std::ptrdiff_t>(firstCell),
                      band.Objects.end());
    takeInto([](const TqxView &view) { return isSubReport(view); });
}

void PageEngine::sortAndLink(int type, std::vector<std::unique_ptr<TqxBand>> &bands)
{
    // Selection sort keeps the earlier of two bands with the same top first.
    for (std::size_t i = 0; i < bands.size(); ++i) {
        std::size_t lowest = i;
        for (std::size_t j = i + 1; j < bands.size(); ++j) {
            if (bands[j]->Top < bands[lowest]->Top)
                lowest = j;
        }
        std::swap(bands[i], bands[lowest]);
    }
    for (std::size_t i = bands.size() - 1; i > 0; --i) {
        bands[i]->Prev = bands[i - 1].get();
        bands[i - 1]->Next = std::move(bands[i]);
    }
    m_bands[type] = std::move(bands.front());
}

void PageEngine::linkHeadersAndFooters()
{
    for (int level = 1; level <= kLevelCount; ++level) {
        for (TqxBand *header = &band(kHeaderType[level]); header && header->View;
             header = header->Next.get()) {
            for (TqxBand *data = &band(kDataType[level]); data && data->View;
                 data = data->Next.get()) {
                if (data->Top > header->Top + header->Height - 1 && !data->HeaderBand) {
                    data->HeaderBand = header;
                    header->OwnerDataBand = data;
                    break;
                }
            }
        }
        for (TqxBand *footer = &band(kFooterType[level]); footer && footer->View;
             footer = footer->Next.get()) {
            TqxBand *owner = nullptr;
            for (TqxBand *data = &band(kDataType[level]); data && data->View;
                 data = data->Next.get()) {
                if (data->Top + data->Height <= footer->Top)
                    owner = data;
            }
            if (owner && !owner->FooterBand) {
                owner->FooterBand = footer;
                footer->OwnerDataBand = owner;
            }
        }
    }

    std::vector<TqxBand *> groupHeaders;
    for (TqxBand *header = &band(btGroupHeader); header && header->View;
         header = header->Next.get())
        groupHeaders.push_back(header);
    std::vector<TqxBand *> groupFooters;
    for (TqxBand *footer = &band(btGroupFooter); footer && footer->View;
         footer = footer->Next.get())
        groupFooters.push_back(footer);
    for (std::size_t i = 0; i < groupHeaders.size() && i < groupFooters.size(); ++i)
        groupHeaders[groupHeaders.size() - 1 - i]->GroupFooter = groupFooters[i];

    for (int type = 0; type < kBandTypeCount; ++type) {
        for (TqxBand *b = &band(type); b; b = b->Next.get()) {
            if (b->View && !b->View->ChildBand.isEmpty())
                b->ChildBand = findBandByViewName(b->View->ChildBand);
        }
    }

    if (!band(btMasterData).View)
        return;
    for (TqxBand *header : groupHeaders) {
        TqxBand *data = &band(btMasterData);
        if (!header->View->Master.isEmpty()) {
            if (TqxBand *named = findBandByViewName(header->View->Master))
                data = named;
        }
        data->Groups.push_back(header);
        header->OwnerDataBand = data;
    }
}

void PageEngine::setDataSource(TqxBand &band, const QString &text)
{
    if (band.BandType == btGroupHeader) {
        band.GroupExpression = text;
        return;
    }
    if (!band.isDataBand() || text.contains(u';'))
        return;
    if (!text.isEmpty())
        band.DataSource = BandDataSource::find(text, m_report.components());
    if (!band.DataSource && band.BandType == btMasterData && m_report.ReportType == rtSimple &&
        m_report.Dataset) {
        band.DataSource = BandDataSource::borrow(*m_report.Dataset);
    }
}

TqxBand *PageEngine::findBandByViewName(const QString &name) const
{
    for (int type = 0; type < kBandTypeCount; ++type) {
        for (TqxBand *b = m_bands[type].get(); b; b = b->Next.get()) {
            if (b->View && b->Name.compare(name, Qt::CaseInsensitive) == 0)
                return b;
        }
    }
    return nullptr;
}

void PageEngine::PrepareObjects()
{
    static constexpr int kShowsTotals[kLevelCount + 1][8] = {
        {},
        {btPageFooter, btColumnFooter, btMasterFooter, btGroupFooter, btReportSummary, -1},
        {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btGroupFooter,
         btReportSummary, -1},
        {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btSubDetailFooter,
         btGroupFooter, btReportSummary, -1},
    };
    BuildRunState &run = buildRunState();
    if (ReportEvaluation *evaluation = m_report.evaluation())
        BindLargeObjectFields(*this, *evaluation);
    run.aggregateScan = true;
    for (int level = 1; level <= kLevelCount; ++level) {
        for (TqxBand *data = &band(kDataType[level]); data && data->dataSet();
             data = data->Next.get()) {
            run.scanBand = data;
            for (const int type : kShowsTotals[level]) {
                if (type < 0)
                    break;
                for (TqxBand *shown = &band(type); shown; shown = shown->Next.get()) {
                    scanAggregates(*shown);
                    for (TqxBand *child = shown->ChildBand; child && child != shown;
                         child = child->ChildBand == child ? nullptr : child->ChildBand)
                        scanAggregates(*child);
                }
            }
        }
    }
    if (band(btCrossData).exists()) {
        run.scanBand = &band(btCrossData);
        scanAggregates(band(btCrossFooter));
    }
    run.aggregateScan = false;
    run.scanBand = nullptr;
    run.currentBand = nullptr;
}

void PageEngine::scanAggregates(TqxBand &b)
{
    ReportEvaluation *evaluation = m_report.evaluation();
    if (!b.exists() || !evaluation)
        return;
    buildRunState().currentBand = &b;
    model::runState().currentObject = b.View;
    // Totals that scripts compute must be registered too, or they would count nothing.
    const auto scanScript = [evaluation](const QStringList &script) {
        for (const QString &call : evaluation->aggregateCalls(script))
            evaluation->evaluate(call);
    };
    try {
        if (b.View)
            scanScript(b.View->Script);
        for (TqxView *view : b.Objects) {
            model::runState().currentObject = view;
            scanScript(view->Script);
        }
        for (TqxView *view : b.Objects) {
            model::runState().currentObject = view;
            for (const QString &line : view->Memo) {
                if (line.contains(u'['))
                    model::ExpandBrackets(line, [evaluation](const QString &bracket) {
                        return evaluation->bracketText(bracket);
                    });
            }
        }
    } catch (const script::EvaluationError &error) {
        m_report.ReportEvaluationError(error.message());
    }
}

void PageEngine::rewind()
{
    for (int type = 0; type < kBandTypeCount; ++type) {
        if (TqxDataset *source = band(type).dataSet())
            source->First();
    }
}

bool PageEngine::stopRequested() const
{
    return m_report.StopRequested;
}

bool PageEngine::masterSourceEmpty()
{
    TqxDataset *source = band(btMasterData).dataSet();
    if (!source)
        return true;
    try {
        source->First();
        return source->Eof();
    } catch (const std::exception &) {
        return true;
    }
}

void PageEngine::FillPage()
{
    BuildRunState &run = buildRunState();
    TqxEMFPages &prepared = m_report.EMFPages();
    const bool manual = static_cast<bool>(m_report.OnManualBuild);
    if (!m_report.PrintIfEmpty && masterSourceEmpty()) {
        if (run.appendToPreviousPage && Mode == PageMode::Normal)
            ++run.pageIndex;
        return;
    }
    RepeatHeadersOff = false;
    if (Mode == PageMode::Collect) {
        // A sub-report page only records its walk of the data; its playback writes it.
        m_pending.clear();
        m_deepestLevel = deepestLevel();
        WalkLevel(1);
        LastOutputBand = nullptr;
        return;
    }
    if (ReportEvaluation *evaluation = m_report.evaluation())
        evaluation->runScript(m_page.Script, nullptr);
    if (run.appendToPreviousPage && m_continuation.savedCurY == m_continuation.savedBottomLimit) {
        run.appendToPreviousPage = false;
        m_continuation.footerDue = false;
        run.pageIndex = static_cast<int>(prepared.Count());
    }
    BottomLimit = run.appendToPreviousPage && m_continuation.footerDue
                      ? m_continuation.savedBottomLimit
                      : m_page.BottomEdge();
    ColumnIndex = 0;
    XOffset = m_page.LeftEdge();
    const int startIndex = run.pageIndex;
    if (run.appendToPreviousPage) {
        CurY = m_continuation.savedCurY;
    } else {
        prepared.Add(m_page);
        CurY = m_page.TopEdge();
        ShowBand(&band(btOverlay));
        ShowBand(&band(btNone));
    }
    if (!manual)
        ShowBand(&band(btReportTitle));
    if (run.pageIndex == startIndex) {
        if (band(btPageHeader).exists() && band(btPageHeader).OnFirstPage)
            ShowBand(&band(btPageHeader));
        ShowBand(&band(btColumnHeader));
    }

    if (!manual) {
        m_pending.clear();
        m_deepestLevel = deepestLevel();
        WalkLevel(1);
    }

    if (manual) {
        m_report.OnManualBuild(m_page);
    } else {
        RepeatHeadersOff = true;
        ShowBand(&band(btColumnFooter));
        m_columnFooterCounts = false;
        ShowBand(&band(btReportSummary));
        m_columnFooterCounts = true;
        RepeatHeadersOff = false;
    }
    m_continuation.savedCurY = ColumnIndex > 0 ? m_page.BottomEdge() : CurY;
    m_continuation.savedBottomLimit = BottomLimit;
    ColumnIndex = 0;
    XOffset = m_page.LeftEdge();
    const int remembered = run.pageIndex;
    m_continuation.footerDue = false;
    TqxBand &footer = band(btPageFooter);
    if (!manual && ((prepared.Count() == 1 && footer.OnFirstPage) || footer.OnLastPage)) {
        const bool savedOnFirst = footer.OnFirstPage;
        footer.OnFirstPage = true;
        m_continuation.footerDue = footer.exists();
        if (m_continuation.footerDue)
            ShowPageFooters();
        footer.OnFirstPage = savedOnFirst;
    }
    if (m_report.OnEndPage)
        m_report.OnEndPage(run.pageIndex);
    run.pageIndex = remembered + 1;
    LastOutputBand = nullptr;
}

int PageEngine::deepestLevel() const
{
    for (int level = kLevelCount; level >= 1; --level) {
        if (band(kDataType[level]).exists())
            return level;
    }
    return 1;
}

void PageEngine::resetBand(TqxBand &b)
{
    b.LineNo = 1;
}

void PageEngine::WalkLevel(int level)
{
    for (TqxBand *data = &band(kDataType[level]); data; data = data->Next.get()) {
        TqxDataset *source = data->dataSet();
        if (!source)
            continue;
        source->First();
        if (Mode == PageMode::Collect) {
            PlayList.push_back({data, PlayEntry::First});
        } else {
            resetBand(*data);
            data->LineThroughNo = 1;
        }
        for (TqxBand *group : data->Groups) {
            group->LineNo = 0;
            group->LineThroughNo = 0;
        }
        if (source->Eof())
            continue;
        for (TqxBand *group : data->Groups) {
            ++group->LineNo;
            ++group->LineThroughNo;
            m_pending.push_back(group);
        }
        m_pending.push_back(data->HeaderBand);
        if (data->FooterBand)
            ResetTotals(*data->FooterBand);

        while (!stopRequested()) {
            if (source->Eof())
                break;
            m_pending.push_back(data);
            if (data->PrintIfSubsetEmpty)
                flushPending();
            bool counted = true;
            if (level < m_deepestLevel) {
                WalkLevel(level + 1);
                if (!m_pending.empty()) {
                    if (data->PrintIfSubsetEmpty) {
                        flushPending();
                    } else {
                        dropPending();
                        counted = false;
                    }
                }
            } else {
                flushPending();
            }
            source->Next();

            std::size_t breaking = 0;
            if (groupBreaks(*data, breaking)) {
                bool steppedBack = false;
                const bool atEnd = source->Eof();
                if (!atEnd) {
                    try {
                        source->Prior();
                        steppedBack = true;
                    } catch (const std::exception &) {
                        steppedBack = false;
                    }
                }
                for (std::size_t g = data->Groups.size(); g-- > breaking;) {
                    TqxBand *group = data->Groups[g];
                    if (g > breaking)
                        group->LineNo = 0;
                    m_pending.push_back(group->GroupFooter);
                }
                flushPending();
                if (!atEnd) {
                    if (steppedBack)
                        source->Next();
                    TqxBand *group = data->Groups[breaking];
                    if (group->FormNewPage && group->Visible)
                        NewPage();
                    for (std::size_t g = breaking; g < data->Groups.size(); ++g) {
                        ++data->Groups[g]->LineNo;
                        ++data->Groups[g]->LineThroughNo;
                        m_pending.push_back(data->Groups[g]);
                    }
                    data->LineNo = 0;
                }
            }
            if (Mode == PageMode::Collect) {
                PlayList.push_back({data, PlayEntry::Next});
            } else if (counted) {
                ++RecordPos;
                ++data->LineThroughNo;
                ++data->LineNo;
                if (!source->Eof() && data->FormNewPage && data->Visible)
                    NewPage();
            }
        }
        if (!m_pending.empty())
            dropPending();
        else
            ShowBand(data->FooterBand);
    }
}

bool PageEngine::groupBreaks(TqxBand &data, std::size_t &breaking)
{
    const bool atEnd = data.dataSet()->Eof();
    for (std::size_t g = 0; g < data.Groups.size(); ++g) {
        TqxBand *group = data.Groups[g];
        if (atEnd || group->GroupValue.isEmpty()) {
            breaking = g;
            return true;
        }
        const script::Variant value = m_report.evaluation()
                                          ? m_report.evaluation()->evaluate(group->GroupExpression)
                                          : script::Variant();
        if (!(value == group->GroupValue)) {
            breaking = g;
            return true;
        }
    }
    return false;
}

void PageEngine::flushPending()
{
    // Output may queue nothing new, but take the list first so re-entrant breaks see it empty.
    const std::vector<TqxBand *> bands = std::exchange(m_pending, {});
    for (TqxBand *b : bands) {
        if (b && b->exists())
            ShowBand(b);
        if (stopRequested())
            break;
    }
}

void PageEngine::dropPending()
{
    if (!m_pending.empty())
        m_pending.pop_back();
}

void PageEngine::ShowBand(TqxBand *b)
{
    if (!b)
        return;
    if (Mode == PageMode::Collect) {
        if (b->exists())
            PlayList.push_back({b, PlayEntry::Show, b->LineNo, b->LineThroughNo});
        // The walk compares each record with the group's value, which output would have taken.
        if (b->BandType == btGroupHeader && !b->Repeating)
            ResetTotals(*b);
        return;
    }
    OutputBand(*b);
}

void PageEngine::markAsSubReportPage()
{
    IsSubReportPage = true;
    // Played inside another band, the page cannot start pages or split bands of its own.
    for (int type = 0; type < kBandTypeCount; ++type) {
        for (TqxBand *b = m_bands[type].get(); b; b = b->Next.get()) {
            b->FormNewPage = false;
            b->Breaked = false;
        }
    }
}

void PageEngine::NewPage()
{
    BuildRunState &run = buildRunState();
    // A page break that itself needs a page break (a page header taller than the page) would
    // start pages for ever; the build stops instead.
    const NestingGuard nesting(m_newPageDepth);
    if (m_newPageDepth > kMaxNestedPageBreaks)
        throw EReportError(bandDoesNotFitMessage());
    m_report.ProgressStep(run.pageIndex + 1);
    if (!RepeatHeadersOff)
        ShowBand(&band(btColumnFooter));
    ShowPageFooters();
    BottomLimit = m_page.BottomEdge();
    m_report.EMFPages().Add(m_page);
    run.appendToPreviousPage = false;
    ShowBand(&band(btOverlay));
    CurY = m_page.TopEdge();
    ShowBand(&band(btPageHeader));
    ShowBand(&band(btColumnHeader));
}

QString PageEngine::bandDoesNotFitMessage() const
{
    const TqxBand *band = buildRunState().currentBand;
    return QStringLiteral("栏 %1 在页 %2 中放不下, 报表无法生成")
        .arg(band ? band->Name : QString(), m_page.Name);
}

void PageEngine::ShowPageFooters()
{
    BuildRunState &run = buildRunState();
    ColumnIndex = 0;
    const DesignPixels savedXOffset = XOffset;
    XOffset = m_page.LeftEdge();
    TqxBand &footer = band(btPageFooter);
    const int count = static_cast<int>(m_report.EMFPages().Count());
    if (run.pageIndex != 0 || footer.OnFirstPage) {
        while (run.pageIndex < count) {
            if (!(run.appendToPreviousPage && m_continuation.footerDue)) {
                if (m_report.OnEndPage)
                    m_report.OnEndPage(run.pageIndex);
                ShowBand(&footer);
            }
            ++run.pageIndex;
        }
    }
    run.pageIndex = count;
    XOffset = savedXOffset;
}

void PageEngine::NewColumn(TqxBand *b)
{
    // A sub-report page has no columns or pages of its own; its playback breaks the page.
    if (IsSubReportPage)
        return;
    if (ColumnIndex < m_colCount - 1) {
        ShowBand(&band(btColumnFooter));
        ++ColumnIndex;
        XOffset += ColWidth + m_page.ColGap;
        CurY = ColumnTop;
        ShowBand(&band(btColumnHeader));
    } else {
        NewPage();
    }
    for (TqxBand *group = &band(btGroupHeader); group && group->View && group != b;
         group = group->Next.get()) {
        if (group->RepeatHeader && !RepeatHeadersOff) {
            group->Repeating = true;
            ShowBand(group);
            group->Repeating = false;
        }
    }
    if (b && b->isDataBand() && b->HeaderBand && b->HeaderBand->RepeatHeader) {
        b->HeaderBand->Repeating = true;
        ShowBand(b->HeaderBand);
        b->HeaderBand->Repeating = false;
    }
}

void PageEngine::OutputBandByName(const QString &name)
{
    if (TqxBand *b = findBandByViewName(name))
        OutputBand(*b);
}

} // namespace tovren::engine
