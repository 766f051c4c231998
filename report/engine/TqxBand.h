#pragma once

#include "report/engine/AggregateFunctions.h"
#include "report/engine/BandDataSource.h"
#include "report/model/BandType.h"
#include "report/model/Units.h"
#include "report/script/Variant.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tovren::model {
class TqxBandView;
class TqxView;
} // namespace tovren::model

namespace tovren::engine {

// The engine speaks of band types by the model's names.
using model::btChild;
using model::btColumnFooter;
using model::btColumnHeader;
using model::btCrossData;
using model::btCrossFooter;
using model::btCrossHeader;
using model::btDetailData;
using model::btDetailFooter;
using model::btDetailHeader;
using model::btGroupFooter;
using model::btGroupHeader;
using model::btMasterData;
using model::btMasterFooter;
using model::btMasterHeader;
using model::btNone;
using model::btOverlay;
using model::btPageFooter;
using model::btPageHeader;
using model::btReportSummary;
using model::btReportTitle;
using model::btSubDetailData;
using model::btSubDetailFooter;
using model::btSubDetailHeader;
using model::kBandTypeCount;

/// The run-time form of one band view while a template page is built: its geometry, flags,
/// objects, data source and its links to the bands it works with.
///
/// It borrows the view and the objects from the template page, which must outlive it; it owns
/// the next band of its chain and the counting data source it made. Destroying it releases its
/// data source.
class TqxBand : public TqxAggregateBand
{
public:
    TqxBand(int bandType);
    ~TqxBand() override;
    TqxBand(const TqxBand &) = delete;
    TqxBand &operator=(const TqxBand &) = delete;

    /// Takes geometry, flags, visibility and name from @p view.
    void takeOverView(model::TqxBandView &view);

    /// A band exists when a view made it, or when it is the none band and holds objects.
    bool exists() const;
    bool isDataBand() const;

    // TqxAggregateBand
    QString name() const override { return Name; }
    int bandType() const override { return BandType; }
    bool isCrossedByCrossBands() const override { return !Cells.empty(); }
    void registerAccumulator(const QString &key, const script::Variant &initial) override;
    /// The stored total; an average is divided by the rows accumulated so far.
    script::Variant accumulatorValue(const QString &key) const override;
    TqxAggregateBand *aggregateSource() const override { return AggregateSource; }
    void setAggregateSource(TqxAggregateBand *source) override
    {
        AggregateSource = static_cast<TqxBand *>(source);
    }
    /// The cross data band, while its cells are written, reads the totals of the band it
    /// crosses for the column being written.
    QString readKeyPrefix() const override;
    const TqxAggregateBand *totalsReader() const override;

    /// Data band: adds the current row to the accumulators. With @p column 0 the totals kept
    /// per row take part and the row is counted; with a column number only that column's
    /// totals of a crossed band take part, made from their "0" templates on first use.
    void AddToTotals(const std::function<script::Variant(const QString &)> &evaluate,
                     int column = 0);
    /// Resets the totals this band shows in its aggregate source.
    void ResetShownTotals();

    struct Accumulator
    {
        QString key;
        script::Variant value;
    };
    TqxDataset *dataSet() const { return DataSource.source(); }

    int BandType;
    model::TqxBandView *View = nullptr;
    QString Name;
    model::DesignPixels Left = 0;
    model::DesignPixels Top = 0;
    model::DesignPixels Width = 0;
    model::DesignPixels Height = 0;
    quint16 Flags = 0;
    bool Stretched = false;
    bool FormNewPage = false;
    bool PrintIfSubsetEmpty = false;
    bool Breaked = false;
    bool PrintChildIfInvisible = false;
    bool OnFirstPage = false;
    bool OnLastPage = false;
    bool RepeatHeader = false;
    bool Visible = true;

    std::vector<model::TqxView *> Objects;
    BandDataSource DataSource;
    /// Group header only: the condition and its value when the header was last output.
    QString GroupExpression;
    script::Variant GroupValue;

    std::unique_ptr<TqxBand> Next;
    TqxBand *Prev = nullptr;
    TqxBand *HeaderBand = nullptr;
    TqxBand *FooterBand = nullptr;
    TqxBand *OwnerDataBand = nullptr;
    TqxBand *ChildBand = nullptr;
    /// Data band: its group headers from the outermost to the innermost.
    std::vector<TqxBand *> Groups;
    /// Group header: its footer, paired from the inside out.
    TqxBand *GroupFooter = nullptr;

    TqxBand *AggregateSource = nullptr;
    std::vector<Accumulator> Accumulators;
    int AccumulatedRows = 0;

    int LineNo = 1;
    int LineThroughNo = 1;
    model::DesignPixels MeasuredHeight = -1;
    model::DesignPixels OutputHeight = 0;
    int ColumnIndex = 1;
    model::DesignPixels SavedXOffset = 0;
    int PendingPageBreaks = 0;
    int PendingColumnBreaks = 0;
    bool RestoreY = false;
    bool ScriptDone = false;
    bool Repeating = false;

    // Cross bands.
    /// Horizontal band: the objects it shares with cross bands; a band with cells is crossed.
    std::vector<model::TqxView *> Cells;
    /// Horizontal band: the source of its cross columns when the cross data band names one.
    BandDataSource ColumnSource;
    /// Cross data band: the most columns its source gave a band so far.
    int MaxCrossColumns = 0;
    /// Cross data band: the column whose cells are being written.
    int CellColumn = 0;

    // Sub-reports.
    /// Index in Objects of the first sub-report object being played, -1 when none is.
    int FirstSubReport = -1;
    model::DesignPixels SubReportBottom = 0;
    model::DesignPixels SubReportMinimumEnd = 0;
    int SubReportStartPage = 0;
    bool SubReportsDone = true;
    /// One flag per sub-report object from FirstSubReport on.
    std::vector<bool> SubReportFinished;
};

} // namespace tovren::engine
