#include "report/engine/TqxBand.h"

#include "report/model/TqxBandView.h"

#include <algorithm>

namespace tovren::engine {

TqxBand::TqxBand(int bandType)
    : BandType(bandType)
{}

TqxBand::~TqxBand()
{
    // Release before the owned counting source goes, so a borrowed source is left closed.
    if (TqxDataset *const source = DataSource.source())
        source->Release();
    if (TqxDataset *const columns = ColumnSource.source())
        columns->Release();
}

void TqxBand::takeOverView(model::TqxBandView &view)
{
    using model::TqxBandView;
    View = &view;
    Name = view.Name;
    Left = view.Left;
    Top = view.Top;
    Width = view.Width;
    Height = view.Height;
    Flags = view.Flags;
    Stretched = Flags & model::TqxView::kStretchedFlag;
    FormNewPage = Flags & TqxBandView::kFormNewPageFlag;
    PrintIfSubsetEmpty = Flags & TqxBandView::kPrintIfSubsetEmptyFlag;
    Breaked = Flags & TqxBandView::kBreakedFlag;
    OnFirstPage = Flags & TqxBandView::kOnFirstPageFlag;
    OnLastPage = Flags & TqxBandView::kOnLastPageFlag;
    RepeatHeader = Flags & TqxBandView::kRepeatHeaderFlag;
    PrintChildIfInvisible = Flags & TqxBandView::kPrintChildIfInvisibleFlag;
    Visible = view.Visible;
}

bool TqxBand::exists() const
{
    return View != nullptr || (BandType == btNone && !Objects.empty());
}

bool TqxBand::isDataBand() const
{
    return BandType == btMasterData || BandType == btDetailData || BandType == btSubDetailData;
}

namespace {

constexpr QChar kFieldEnd(u'\x01');
constexpr double kMinimumStart = 1e300;

enum AccumulatorCode : int { acSum = 11, acMin = 12, acMax = 13, acAvg = 14, acCount = 15 };

/// The fields of an accumulator key: band name, code, expression and flag, after the column
/// field that the totals of crossed bands carry in front ("0" for the template of a column).
struct KeyFields
{
    bool hasColumn = false;
    QString column;
    QString bandName;
    int code = acSum;
    QString expression;
    QString flag;
};

KeyFields splitKey(const QString &key)
{
    QStringList fields = key.split(kFieldEnd);
    KeyFields result;
    // Four fields, each closed by the separator, split into five parts; a column field adds one.
    if (fields.size() > 5) {
        result.hasColumn = true;
        result.column = fields.takeFirst();
    }
    result.bandName = fields.value(0);
    const QString code = fields.value(1);
    result.code = code.isEmpty() ? int(acSum) : int(code.front().unicode());
    result.expression = fields.value(2);
    result.flag = fields.value(3);
    return result;
}

script::Variant startValue(int code)
{
    return code == acMin ? script::Variant(kMinimumStart) : script::Variant(0);
}

double numberOf(const script::Variant &value)
{
    return value.isNull() || value.isEmpty() ? 0.0 : value.toDouble();
}

} // namespace

void TqxBand::registerAccumulator(const QString &key, const script::Variant &initial)
{
    for (const Accumulator &accumulator : Accumulators) {
        if (accumulator.key == key)
            return;
    }
    Accumulators.push_back({key, initial});
}

QString TqxBand::readKeyPrefix() const
{
    if (BandType != btCrossData || !AggregateSource || !AggregateSource->isCrossedByCrossBands())
        return {};
    return QString::number(CellColumn) + kFieldEnd;
}

const TqxAggregateBand *TqxBand::totalsReader() const
{
    return BandType == btCrossData ? AggregateSource : this;
}

script::Variant TqxBand::accumulatorValue(const QString &key) const
{
    for (const Accumulator &accumulator : Accumulators) {
        if (accumulator.key != key)
            continue;
        if (splitKey(key).code == acAvg)
            return script::Variant(AccumulatedRows ? numberOf(accumulator.value) / AccumulatedRows
                                                   : 0.0);
        return accumulator.value;
    }
    return script::Variant(QStringLiteral("0"));
}

void TqxBand::AddToTotals(const std::function<script::Variant(const QString &)> &evaluate,
                          int column)
{
    const QString columnText = QString::number(column);
    if (column > 0) {
        std::vector<Accumulator> copies;
        for (const Accumulator &accumulator : Accumulators) {
            const KeyFields fields = splitKey(accumulator.key);
            if (!fields.hasColumn || fields.column != u"0")
                continue;
            const QString key = columnText + accumulator.key.mid(fields.column.size());
            const bool known = std::any_of(Accumulators.begin(), Accumulators.end(),
                                           [&key](const Accumulator &a) { return a.key == key; });
            if (!known)
                copies.push_back({key, startValue(fields.code)});
        }
        Accumulators.insert(Accumulators.end(), copies.begin(), copies.end());
    }
    QString previousExpression;
    double previousValue = 0;
    bool havePrevious = false;
    for (Accumulator &accumulator : Accumulators) {
        const KeyFields fields = splitKey(accumulator.key);
        // A row adds to the totals kept per row, a column only to its own.
        if (column > 0 ? fields.column != columnText : fields.hasColumn)
            continue;
        const double stored = numberOf(accumulator.value);
        double row = 0;
        if (fields.code != acCount) {
            // Totals over the same expression share one evaluation per row.
            if (!havePrevious || fields.expression != previousExpression) {
                previousValue = numberOf(evaluate(fields.expression));
                previousExpression = fields.expression;
                havePrevious = true;
            }
            row = previousValue;
        }
        if (!Visible && fields.flag != u"1")
            continue;
        switch (fields.code) {
        case acMin:
            accumulator.value = script::Variant(std::min(stored, row));
            break;
        case acMax:
            accumulator.value = script::Variant(std::max(stored, row));
            break;
        case acCount:
            accumulator.value = script::Variant(stored + 1);
            break;
        default:
            accumulator.value = script::Variant(stored + row);
            break;
        }
    }
    // Rows are counted once, not once per column, so column averages divide by the rows.
    if (column == 0)
        ++AccumulatedRows;
}

void TqxBand::ResetShownTotals()
{
    if (!AggregateSource)
        return;
    for (Accumulator &accumulator : AggregateSource->Accumulators) {
        const KeyFields fields = splitKey(accumulator.key);
        if (fields.bandName.compare(Name, Qt::CaseInsensitive) != 0)
            continue;
        accumulator.value = startValue(fields.code);
    }
    AggregateSource->AccumulatedRows = 0;
}

} // namespace tovren::engine
