#include "report/engine/TqxBand.h"

#include "report/model/TqxBandView.h"

namespace tovren::engine {

TqxBand::TqxBand(int bandType)
    : BandType(bandType)
{}

TqxBand::~TqxBand()
{
    // Release before the owned counting source goes, so a borrowed source is left closed.
    if (TqxDataset *const source = DataSource.source())
        source->Release();
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

/// The fields of an accumulator key: band name, code, expression and flag.
struct KeyFields
{
    QString bandName;
    int code = acSum;
    QString expression;
    QString flag;
};

KeyFields splitKey(const QString &key)
{
    const QStringList fields = key.split(kFieldEnd);
    KeyFields result;
    result.bandName = fields.value(0);
    const QString code = fields.value(1);
    result.code = code.isEmpty() ? acSum : code.front().unicode();
    result.expression = fields.value(2);
    result.flag = fields.value(3);
    return result;
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

void TqxBand::AddToTotals(const std::function<script::Variant(const QString &)> &evaluate)
{
    QString previousExpression;
    double previousValue = 0;
    bool havePrevious = false;
    for (Accumulator &accumulator : Accumulators) {
        const KeyFields fields = splitKey(accumulator.key);
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
        accumulator.value =
            fields.code == acMin ? script::Variant(kMinimumStart) : script::Variant(0);
    }
    AggregateSource->AccumulatedRows = 0;
}

} // namespace tovren::engine
