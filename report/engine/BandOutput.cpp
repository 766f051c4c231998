// The band half of PageEngine: how one band is measured, broken and written.
#include "report/engine/BuildRunState.h"
#include "report/engine/CrossBandOutput.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxReport.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

using model::DesignPixels;
using model::TqxView;

namespace {

/// A forced break asks for more room than any page has.
constexpr DesignPixels kForcedBreakHeight = 10000;

bool keepsOwnTop(int type)
{
    return type == btPageFooter || type == btOverlay || type == btNone;
}

/// Moves an object to its place on the page and back, whatever happens while it is there.
class PlacedForOutput
{
public:
    PlacedForOutput(TqxView &view, DesignPixels dx, DesignPixels dy)
        : m_view(view)
        , m_left(view.Left)
        , m_top(view.Top)
    {
        view.Left += dx;
        view.Top += dy;
    }
    ~PlacedForOutput()
    {
        m_view.Left = m_left;
        m_view.Top = m_top;
    }
    PlacedForOutput(const PlacedForOutput &) = delete;
    PlacedForOutput &operator=(const PlacedForOutput &) = delete;

private:
    TqxView &m_view;
    DesignPixels m_left;
    DesignPixels m_top;
};

bool isMultiColumn(const TqxBand &band)
{
    return band.View && band.View->Columns > 1 && band.View->NewColumnAfter == 1;
}

} // namespace

DesignPixels PageEngine::columnFooterHeight() const
{
    const TqxBand &footer = band(btColumnFooter);
    return m_columnFooterCounts && footer.exists() ? footer.Height : 0;
}

void PageEngine::runBandScript(TqxBand &b)
{
    if (!b.View || b.View->Script.isEmpty())
        return;
    if (ReportEvaluation *evaluation = m_report.evaluation()) {
        try {
            evaluation->runScript(b.View->Script, b.View);
        } catch (const script::EvaluationError &error) {
            m_report.ReportEvaluationError(error.message());
        }
    }
}

bool PageEngine::OutputBand(TqxBand &b)
{
    BuildRunState &run = buildRunState();
    const bool savedBreaked = b.Breaked;
    model::runState().currentObject = b.View;
    run.currentBand = &b;
    b.MeasuredHeight = -1;
    b.PendingPageBreaks = 0;
    b.PendingColumnBreaks = 0;
    if (m_report.OnBeginBand)
        m_report.OnBeginBand(b);

    if (LastOutputBand && LastOutputBand != &b && LastOutputBand->exists() &&
        LastOutputBand->ColumnIndex > 1) {
        XOffset = LastOutputBand->SavedXOffset;
        CurY += LastOutputBand->Height;
        LastOutputBand->ColumnIndex = 1;
    }

    b.RestoreY = false;
    if (!b.ScriptDone)
        runBandScript(b);
    b.ScriptDone = false;
    const DesignPixels scriptY = CurY;
    if (stopRequested())
        return false;

    for (int i = 0; i < b.PendingPageBreaks; ++i) {
        ColumnIndex = m_colCount - 1;
        NewColumn(nullptr);
    }
    for (int i = 0; i < b.PendingColumnBreaks; ++i)
        NewColumn(nullptr);
    if (b.RestoreY)
        CurY = scriptY;
    run.currentBand = &b;

    bool result = false;
    if (b.Visible) {
        if (b.BandType == btColumnHeader)
            ColumnTop = CurY;
        if (b.BandType == btPageFooter)
            b.Top = BottomLimit;
        if (b.exists()) {
            b.MeasuredHeight = std::max(b.MeasuredHeight, b.Height);
            if (!keepsOwnTop(b.BandType) && b.BandType != btColumnFooter) {
                MeasureHeight(b);
                if (CurY + b.MeasuredHeight > BottomLimit && IsSubReportPage) {
                    // The playback of the sub-report shows the band again on the next page;
                    // one that fills a fresh page and still does not fit never would.
                    if (SubReportFreshPage)
                        throw EReportError(bandDoesNotFitMessage());
                    return true;
                }
                if (CurY + b.MeasuredHeight > BottomLimit && !b.Breaked) {
                    const bool fitsOnEmptyPage = BottomLimit - m_page.TopEdge() >= b.MeasuredHeight;
                    if (fitsOnEmptyPage || CurY != m_page.TopEdge()) {
                        b.ScriptDone = true;
                        CheckFit(b, CurY, kForcedBreakHeight);
                        b.ScriptDone = false;
                        result = true;
                        // On the new page a band taller than the page would break once more
                        // and leave an empty page behind; it is split there instead.
                        if (!fitsOnEmptyPage) {
                            b.Breaked = true;
                            m_tallBandOnFreshPage = &b;
                        }
                    } else {
                        // Taller than an empty page: split it instead of breaking for ever.
                        b.Breaked = true;
                        m_tallBandOnFreshPage = &b;
                    }
                }
            }
            SubReportFreshPage = false;
            if (b.isDataBand() && b.dataSet() && b.Next && !b.Next->dataSet()) {
                for (TqxBand *follower = &b; follower; follower = follower->Next.get()) {
                    if (follower != &b && follower->dataSet())
                        break;
                    Draw(*follower);
                    result = std::exchange(m_subReportsPending, false) || result;
                }
            } else {
                Draw(b);
                result = std::exchange(m_subReportsPending, false) || result;
                if (b.ChildBand && b.ChildBand != &b)
                    result = OutputBand(*b.ChildBand) || result;
            }
            if (!b.isDataBand() && b.BandType != btGroupHeader && b.FormNewPage)
                NewPage();
        }
    } else {
        if (b.ChildBand && b.PrintChildIfInvisible && b.ChildBand != &b)
            OutputBand(*b.ChildBand);
        if (b.isDataBand())
            addToTotals(b);
    }

    if (!b.Repeating) {
        if (b.BandType == btPageFooter) {
            if (m_report.EMFPages().Count() == run.pageIndex + 1)
                ResetTotals(b);
        } else {
            ResetTotals(b);
        }
    }
    if (m_report.OnEndBand)
        m_report.OnEndBand(b);
    b.Breaked = savedBreaked;
    return result;
}

void PageEngine::Draw(TqxBand &b)
{
    const DesignPixels savedTop = b.Top;
    if (!keepsOwnTop(b.BandType))
        b.Top = CurY;
    DesignPixels advance = 0;
    m_subReportMovedY = false;
    bool subReportsMovedY = false;
    // Sub-reports break the page themselves while they play, and cells belong to columns
    // rather than to a cut of the band: such bands are never cut.
    const bool split = b.Breaked && !holdsSubReport(b) && b.Cells.empty();
    // Such a band taller than a page already stands at the top of one; breaking again would
    // only leave an empty page behind.
    const bool onFreshPage = std::exchange(m_tallBandOnFreshPage, nullptr) == &b;
    const bool checkFit = !split && !onFreshPage;
    if (b.Stretched) {
        const DesignPixels h = std::max(b.MeasuredHeight, b.Height);
        std::vector<std::pair<TqxView *, DesignPixels>> stretchedObjects;
        for (TqxView *view : b.Objects) {
            if (view->stretched() && view->Height > 0) {
                stretchedObjects.emplace_back(view, view->Height);
                view->Height = h - view->Top;
            }
        }
        b.OutputHeight = h;
        if (checkFit) {
            CheckFit(b, b.Top, h);
            if (!keepsOwnTop(b.BandType))
                b.Top = CurY;
        }
        if (split) {
            outputSplit(b);
        } else {
            outputObjects(b);
            subReportsMovedY = std::exchange(m_subReportMovedY, false);
            if (!b.Cells.empty())
                m_cross->OutputCross(b);
        }
        for (const auto &[view, height] : stretchedObjects)
            view->Height = height;
        advance = split || subReportsMovedY ? 0 : h;
    } else {
        if (!keepsOwnTop(b.BandType) && checkFit) {
            CheckFit(b, b.Top, b.Height);
            b.Top = CurY;
        }
        if (split) {
            b.OutputHeight = b.MeasuredHeight;
            outputSplit(b);
        } else {
            outputObjects(b);
            subReportsMovedY = std::exchange(m_subReportMovedY, false);
            if (!b.Cells.empty())
                m_cross->OutputCross(b);
            if (!keepsOwnTop(b.BandType) && !subReportsMovedY)
                advance = b.Height;
        }
    }
    CurY += advance;
    b.Top = savedTop;

    if (isMultiColumn(b)) {
        if (LastOutputBand != &b)
            b.ColumnIndex = 1;
        LastOutputBand = &b;
        if (b.ColumnIndex == 1)
            b.SavedXOffset = XOffset;
        const int c = b.ColumnIndex;
        b.ColumnIndex = c + 1;
        if (b.View->Columns < c + 1) {
            XOffset = b.SavedXOffset;
            b.ColumnIndex = 1;
        } else {
            XOffset = (b.View->ColumnWidth + b.View->ColumnGap) * c + b.SavedXOffset;
            CurY -= std::max(b.MeasuredHeight, b.Height);
        }
    }
    if (b.isDataBand())
        addToTotals(b);
}

DesignPixels PageEngine::MeasureHeight(TqxBand &b)
{
    DesignPixels height = 0;
    if (b.isDataBand() && b.dataSet() && b.Next && !b.Next->dataSet()) {
        for (TqxBand *follower = &b; follower; follower = follower->Next.get()) {
            if (follower != &b && follower->dataSet())
                break;
            height += ownHeight(*follower);
        }
    } else {
        height = ownHeight(b);
    }
    b.MeasuredHeight = std::max(b.MeasuredHeight, height);
    return b.MeasuredHeight;
}

DesignPixels PageEngine::ownHeight(TqxBand &b)
{
    // A crossed band is as tall as its tallest column.
    if (!b.Cells.empty() && b.BandType != btPageFooter)
        return m_cross->MeasureCrossed(b);
    return b.Stretched ? stretchedHeight(b) : b.Height;
}

DesignPixels PageEngine::stretchedHeight(TqxBand &b)
{
    DesignPixels height = b.Height;
    for (TqxView *view : b.Objects) {
        auto *stretchable = dynamic_cast<model::TqxStretcheable *>(view);
        if (!stretchable || !view->stretched())
            continue;
        try {
            model::runState().currentObject = view;
            height = std::max(height, view->Top + stretchable->CalcHeight());
        } catch (const script::EvaluationError &error) {
            m_report.ReportEvaluationError(error.message());
            break;
        }
    }
    return height;
}

bool PageEngine::CheckFit(TqxBand &b, DesignPixels top, DesignPixels height, bool dryRun)
{
    if (b.BandType == btColumnFooter)
        return false;
    const bool fits = BottomLimit >= top + height + columnFooterHeight();
    if (!fits && !dryRun)
        NewColumn(&b);
    return !fits;
}

void PageEngine::outputObjects(TqxBand &b)
{
    for (std::size_t i = 0; i < b.Objects.size(); ++i) {
        if (stopRequested())
            break;
        TqxView *view = b.Objects[i];
        if (isCell(b, *view))
            continue;
        if (view->ObjectKind == model::okSubReport && view->Visible) {
            // The sub-reports, last in the list, take over the rest of the band. Bands shown
            // on their page breaks are drawn meanwhile, so the flags are set afterwards.
            const bool pending = m_subReports->Output(b, i);
            m_subReportMovedY = true;
            m_subReportsPending = pending;
            break;
        }
        OutputObject(b, *view);
    }
}

bool PageEngine::holdsSubReport(const TqxBand &b)
{
    return std::any_of(b.Objects.begin(), b.Objects.end(), [](const TqxView *view) {
        return view->ObjectKind == model::okSubReport && view->Visible;
    });
}

bool PageEngine::isCell(const TqxBand &b, const TqxView &view)
{
    return std::find(b.Cells.begin(), b.Cells.end(), &view) != b.Cells.end();
}

void PageEngine::OutputObject(TqxBand &b, TqxView &view)
{
    model::RunState &state = model::runState();
    state.currentPage = &m_page;
    buildRunState().currentBand = &b;
    auto *memo = dynamic_cast<model::TqxMemoView *>(&view);
    try {
        if (state.suppressDrawing) {
            state.currentObject = &view;
            if (memo && memo->OutputStage != 0)
                return;
            if (state.runObjectScript && !view.Script.isEmpty())
                state.runObjectScript(view);
            return;
        }
        // Writing always ends at stage 0; hooks only hear of whole texts, not of split parts.
        const int stageWritten = memo ? memo->OutputStage : 0;
        // The object is placed on the page only while it writes itself.
        const PlacedForOutput placed(view, XOffset - m_page.LeftEdge(), b.Top);
        const int pageIndex = buildRunState().pageIndex;
        TqxEMFPages &prepared = m_report.EMFPages();
        if (prepared.Count() > 0 && pageIndex < prepared.Count()) {
            state.currentObject = &view;
            model::RecordWriter writer = prepared.pageWriter(pageIndex);
            view.PrintToStream(writer, b.View);
        }
        if (memo && stageWritten <= 1) {
            for (TqxView *hook : model::TqxGlobals::instance().hookObjects)
                hook->NotifyHook(view);
        }
    } catch (const script::EvaluationError &error) {
        m_report.ReportEvaluationError(error.message());
    } catch (const EReportError &error) {
        m_report.ReportEvaluationError(error.message());
    }
}

void PageEngine::addToTotals(TqxBand &b, int column)
{
    if (b.Accumulators.empty())
        return;
    ReportEvaluation *evaluation = m_report.evaluation();
    if (!evaluation)
        return;
    try {
        b.AddToTotals(
            [evaluation](const QString &expression) { return evaluation->evaluate(expression); },
            column);
    } catch (const script::EvaluationError &error) {
        m_report.ReportEvaluationError(error.message());
    }
}

void PageEngine::ResetTotals(TqxBand &b)
{
    if (b.BandType != btGroupHeader) {
        b.ResetShownTotals();
        return;
    }
    ReportEvaluation *evaluation = m_report.evaluation();
    for (TqxBand *group = &b; group; group = group->Next.get()) {
        if (!group->View)
            continue;
        try {
            group->GroupValue =
                evaluation ? evaluation->evaluate(group->GroupExpression) : script::Variant();
        } catch (const script::EvaluationError &error) {
            m_report.ReportEvaluationError(error.message());
            return;
        }
    }
}

} // namespace tovren::engine
