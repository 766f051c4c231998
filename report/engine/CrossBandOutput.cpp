#include "report/engine/CrossBandOutput.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxReport.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/script/EvaluationError.h"

#include <algorithm>

namespace tovren::engine {

using model::DesignPixels;
using model::TqxView;

namespace {

constexpr int kCrossTypes[] = {btCrossHeader, btCrossData, btCrossFooter};

bool contains(const std::vector<TqxView *> &views, const TqxView &view)
{
    return std::find(views.begin(), views.end(), &view) != views.end();
}

/// Gives a variable its value back when the scope ends.
template<typename T>
class RestoreOnExit
{
public:
    explicit RestoreOnExit(T &variable)
        : m_variable(variable)
        , m_value(variable)
    {}
    ~RestoreOnExit() { m_variable = m_value; }
    RestoreOnExit(const RestoreOnExit &) = delete;
    RestoreOnExit &operator=(const RestoreOnExit &) = delete;

private:
    T &m_variable;
    T m_value;
};

/// Sets a band's Top and the page's XOffset so that the band engine writes a cell at the
/// column's place, and puts both back afterwards.
class CellPlacement
{
public:
    CellPlacement(TqxBand &cross, DesignPixels top, DesignPixels &xOffset, DesignPixels x)
        : m_cross(cross)
        , m_top(cross.Top)
        , m_xOffset(xOffset)
        , m_savedXOffset(xOffset)
    {
        cross.Top = top;
        xOffset = x;
    }
    ~CellPlacement()
    {
        m_cross.Top = m_top;
        m_xOffset = m_savedXOffset;
    }
    CellPlacement(const CellPlacement &) = delete;
    CellPlacement &operator=(const CellPlacement &) = delete;

private:
    TqxBand &m_cross;
    DesignPixels m_top;
    DesignPixels &m_xOffset;
    DesignPixels m_savedXOffset;
};

} // namespace

void CrossBandOutput::takeCrossBand(model::TqxBandView &view)
{
    TqxBand &band = m_engine.band(view.bandType());
    if (band.View)
        return;
    band.takeOverView(view);
    if (band.BandType != btCrossData)
        return;
    m_crossSourceText = view.CustomFormat.trimmed();
    if (!m_crossSourceText.isEmpty() && !m_crossSourceText.contains(u';'))
        band.DataSource = BandDataSource::find(m_crossSourceText, m_engine.m_report.components());
}

void CrossBandOutput::takeCrossObjects(const std::vector<TqxView *> &unplaced)
{
    for (TqxView *view : unplaced) {
        // A sub-report is played inside its band; it is never a cell.
        if (view->ObjectKind == model::okSubReport)
            continue;
        for (const int type : kCrossTypes) {
            TqxBand &cross = m_engine.band(type);
            if (!cross.View || view->Left < cross.Left ||
                view->Left + view->Width > cross.Left + cross.Width)
                continue;
            view->Left -= cross.Left;
            cross.Objects.push_back(view);
            break;
        }
    }
}

bool CrossBandOutput::holds(const TqxView &view) const
{
    return std::any_of(std::begin(kCrossTypes), std::end(kCrossTypes),
                       [&](int type) { return contains(m_engine.band(type).Objects, view); });
}

void CrossBandOutput::bindColumnSources()
{
    if (!m_crossSourceText.contains(u';'))
        return;
    const QStringList entries = m_crossSourceText.split(u';', Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString bandName = entry.left(equals).trimmed();
        const QString sourceText = entry.mid(equals + 1).trimmed();
        for (int type = btMasterHeader; type <= btChild; ++type) {
            for (TqxBand *b = &m_engine.band(type); b; b = b->Next.get()) {
                if (!b->View || b->Name.compare(bandName, Qt::CaseInsensitive) != 0)
                    continue;
                // A band named again takes the later source; the earlier one was prepared and
                // must be closed before it is dropped.
                if (TqxDataset *earlier = b->ColumnSource.source()) {
                    earlier->Release();
                    b->ColumnSource = {};
                }
                b->ColumnSource = BandDataSource::find(sourceText, m_engine.m_report.components());
            }
        }
    }
}

bool CrossBandOutput::sharesCells(const TqxBand &cross, const TqxBand &band) const
{
    return std::any_of(cross.Objects.begin(), cross.Objects.end(),
                       [&band](const TqxView *view) { return contains(band.Cells, *view); });
}

TqxDataset *CrossBandOutput::columnSource(TqxBand &band) const
{
    TqxBand &cross = m_engine.band(btCrossData);
    if (!cross.exists())
        return nullptr;
    if (TqxDataset *own = cross.dataSet())
        return own;
    if (TqxDataset *columns = band.ColumnSource.source())
        return columns;
    if (!sharesCells(cross, band))
        return nullptr;
    // Writing the band without its columns would lose every cell of it without a word.
    const QString reason = m_crossSourceText.isEmpty() || m_crossSourceText.contains(u';')
                               ? QStringLiteral("没有数据源")
                               : QStringLiteral("的数据源 \"%1\" 不存在").arg(m_crossSourceText);
    throw EReportError(QStringLiteral("交叉表数据栏 %1 %2, 栏 %3 的交叉单元无法输出")
                           .arg(cross.Name, reason, band.Name));
}

void CrossBandOutput::beginColumns(TqxBand &band)
{
    m_engine.ColumnNo = 1;
    if (m_engine.m_report.OnBeginColumn)
        m_engine.m_report.OnBeginColumn(band);
}

TqxDataset *CrossBandOutput::startColumns(TqxBand &band, TqxDataset &source,
                                          BandDataSource &madeForFooter)
{
    source.First();
    // A master footer draws as many columns as the widest row had, and is measured over as many.
    const int widest = m_engine.band(btCrossData).MaxCrossColumns;
    if (band.BandType != btMasterFooter || !source.Eof() || widest <= 0)
        return &source;
    madeForFooter = BandDataSource::find(QString::number(widest), m_engine.m_report.components());
    TqxDataset *made = madeForFooter.source();
    made->First();
    return made;
}

DesignPixels CrossBandOutput::measureObjects(TqxBand &band, bool withCells)
{
    DesignPixels height = band.Height;
    for (TqxView *view : band.Objects) {
        auto *stretchable = dynamic_cast<model::TqxStretcheable *>(view);
        if (!stretchable || !view->stretched() || (!withCells && contains(band.Cells, *view)))
            continue;
        try {
            model::runState().currentObject = view;
            height = std::max(height, view->Top + stretchable->CalcHeight());
        } catch (const script::EvaluationError &error) {
            m_engine.m_report.ReportEvaluationError(error.message());
            break;
        }
        // Measured over every column, a text holds the last column's lines; each column must
        // work its own out again when it is written.
        if (auto *memo = dynamic_cast<model::TqxMemoView *>(view); memo && withCells)
            memo->OutputStage = model::TqxMemoView::NormalOutput;
    }
    return height;
}

DesignPixels CrossBandOutput::MeasureCrossed(TqxBand &band)
{
    // A band shown while the columns of another are written (a page header on a page to the
    // right) must not move the column source under that walk.
    if (m_outputting)
        return measureObjects(band, false);
    beginColumns(band);
    TqxDataset *source = columnSource(band);
    if (!source)
        return measureObjects(band, false);
    DesignPixels height = band.Height;
    BandDataSource madeForFooter;
    source = startColumns(band, *source, madeForFooter);
    while (!source->Eof() && !m_engine.stopRequested()) {
        int width = 0;
        if (m_engine.m_report.OnPrintColumn)
            m_engine.m_report.OnPrintColumn(m_engine.ColumnNo, width);
        height = std::max(height, measureObjects(band, true));
        ++m_engine.ColumnNo;
        source->Next();
    }
    return height;
}

void CrossBandOutput::OutputCells(TqxBand &cross, TqxBand &band, DesignPixels x)
{
    BuildRunState &run = buildRunState();
    run.currentBand = &cross;
    cross.LineNo = band.LineNo;
    cross.LineThroughNo = band.LineThroughNo;
    if (cross.BandType == btCrossData) {
        cross.AggregateSource = &band;
        cross.CellColumn = m_engine.ColumnNo;
    }
    // The band engine moves an object by XOffset less the left edge and by its band's Top;
    // the cells keep whatever shift the band's own objects get (a sub-report's place).
    const CellPlacement placement(cross, band.Top, m_engine.XOffset, x + m_engine.XOffset);
    for (TqxView *view : cross.Objects) {
        if (!contains(band.Cells, *view))
            continue;
        m_engine.OutputObject(cross, *view);
        if (m_engine.stopRequested())
            break;
    }
}

PageEngine &CrossBandOutput::printingEngine() const
{
    PageEngine *engine = &m_engine;
    while (engine->IsSubReportPage && engine->HostEngine)
        engine = engine->HostEngine;
    return *engine;
}

void CrossBandOutput::makeRoom(DesignPixels &x, DesignPixels width, TqxBand &band)
{
    model::TqxPage &page = m_engine.page();
    // A sub-report's cells stand moved to the sub-report's place on the page of the band that
    // plays it; that page is the one they must fit on and the one continued to the right.
    PageEngine &printing = printingEngine();
    model::TqxPage &printed = printing.page();
    const DesignPixels shift = m_engine.IsSubReportPage ? m_engine.XOffset - page.LeftEdge() : 0;
    if (x + shift + width <= printed.RightEdge())
        return;
    BuildRunState &run = buildRunState();
    TqxEMFPages &prepared = m_engine.m_report.EMFPages();
    x = page.LeftEdge();
    ++run.pageIndex;
    if (run.pageIndex >= prepared.Count()) {
        prepared.Add(printed);
        printing.ShowBand(&printing.band(btOverlay));
        TqxBand &header = printing.band(btPageHeader);
        // The page to the right carries the page header when the page it continues does.
        if (header.exists() && (m_firstPageOfRow > 0 || header.OnFirstPage)) {
            const DesignPixels savedY = printing.CurY;
            printing.CurY = printed.TopEdge();
            printing.ShowBand(&header);
            printing.CurY = savedY;
        }
        m_engine.m_report.ProgressStep(run.pageIndex);
    }
    TqxBand &crossHeader = m_engine.band(btCrossHeader);
    if (crossHeader.exists() && crossHeader.RepeatHeader) {
        OutputCells(crossHeader, band, page.LeftEdge());
        x = page.LeftEdge() + crossHeader.Width;
    }
}

void CrossBandOutput::OutputCross(TqxBand &band)
{
    if (band.BandType == btPageFooter || m_outputting)
        return;
    BuildRunState &run = buildRunState();
    // The row goes on with its next band on the page where it started.
    const RestoreOnExit<int> rowPage(run.pageIndex);
    const RestoreOnExit<bool> outputting(m_outputting);
    m_outputting = true;
    m_firstPageOfRow = run.pageIndex;

    DesignPixels x = 0;
    beginColumns(band);

    TqxBand &header = m_engine.band(btCrossHeader);
    if (header.exists()) {
        m_engine.runBandScript(header);
        OutputCells(header, band, header.Left);
        x = header.Left + header.Width;
    }

    TqxBand &data = m_engine.band(btCrossData);
    if (data.exists()) {
        if (x == 0)
            x = data.Left;
        TqxDataset *source = columnSource(band);
        BandDataSource madeForFooter;
        if (source)
            source = startColumns(band, *source, madeForFooter);
        while (source && !source->Eof() && !m_engine.stopRequested()) {
            model::runState().currentObject = data.View;
            int width = data.Width;
            if (m_engine.m_report.OnPrintColumn) {
                m_engine.m_report.OnPrintColumn(m_engine.ColumnNo, width);
                data.Width = width;
            }
            m_engine.runBandScript(data);
            makeRoom(x, data.Width, band);
            OutputCells(data, band, x);
            m_engine.addToTotals(data);
            if (band.isDataBand())
                m_engine.addToTotals(band, m_engine.ColumnNo);
            x += data.Width;
            ++m_engine.ColumnNo;
            source->Next();
        }
        if (source)
            data.MaxCrossColumns = std::max(data.MaxCrossColumns, source->recordNo());
    }

    TqxBand &footer = m_engine.band(btCrossFooter);
    if (footer.exists() && !m_engine.stopRequested()) {
        if (x == 0)
            x = footer.Left;
        m_engine.runBandScript(footer);
        makeRoom(x, footer.Width, band);
        OutputCells(footer, band, x);
        m_engine.ResetTotals(footer);
    }
}

} // namespace tovren::engine
