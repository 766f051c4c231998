#include "report/engine/AggregateFunctions.h"

namespace tovren::engine {

namespace {

// Band types (the numbering of templates and of the band engine).
enum BandType : int {
    ReportSummary = 1,
    PageFooter = 3,
    MasterData = 5,
    MasterFooter = 6,
    DetailData = 8,
    DetailFooter = 9,
    SubDetailData = 11,
    SubDetailFooter = 12,
    GroupFooter = 17,
    CrossData = 19,
    CrossFooter = 20,
    NoBand = 22,
};

constexpr QChar fieldEnd(u'\x01');
constexpr double minimumStart = 1e300;

script::Variant zeroText()
{
    return script::Variant(QStringLiteral("0"));
}

} // namespace

QString TqxAggregateFunctions::accumulatorKey(const QString &bandName, script::AggregateCode code,
                                              const QString &expression, const QString &flag)
{
    return bandName + fieldEnd + QChar(static_cast<int>(code)) + fieldEnd + expression + fieldEnd +
           flag + fieldEnd;
}

int TqxAggregateFunctions::defaultDataBandType(int bandType)
{
    switch (bandType) {
    case ReportSummary:
    case PageFooter:
    case MasterFooter:
    case GroupFooter:
        return MasterData;
    case DetailFooter:
        return DetailData;
    case SubDetailFooter:
        return SubDetailData;
    case CrossFooter:
        return CrossData;
    default:
        return NoBand;
    }
}

void TqxAggregateFunctions::registerOnScanBand(const script::AggregateCall &call,
                                               TqxAggregateBand &current, TqxAggregateBand &scanned)
{
    QString bandName = call.bandName;
    if (bandName.isEmpty()) {
        if (scanned.bandType() != defaultDataBandType(current.bandType()))
            return;
        bandName = scanned.name();
    }
    if (bandName.trimmed().compare(scanned.name(), Qt::CaseInsensitive) != 0)
        return;
    QString firstField = current.name();
    // Crossed bands keep one accumulator per column; "0" names the template they are made from.
    if (current.isCrossedByCrossBands() && current.bandType() != CrossFooter)
        firstField = QStringLiteral("0") + fieldEnd + firstField;
    const script::Variant initial = call.code == script::AggregateCode::Min
                                        ? script::Variant(minimumStart)
                                        : script::Variant(0);
    scanned.registerAccumulator(accumulatorKey(firstField, call.code, call.expression, call.flag),
                                initial);
    current.setAggregateSource(&scanned);
}

script::Variant TqxAggregateFunctions::aggregate(const script::AggregateCall &call)
{
    TqxAggregateBand *const current = m_run.currentBand();
    if (!current)
        return zeroText();
    if (TqxAggregateBand *const scanned = m_run.scanBand()) {
        registerOnScanBand(call, *current, *scanned);
        return zeroText();
    }
    const TqxAggregateBand *const reader = current->totalsReader();
    const TqxAggregateBand *const source = reader ? reader->aggregateSource() : nullptr;
    if (!source)
        return zeroText();
    return source->accumulatorValue(
        current->readKeyPrefix() +
        accumulatorKey(reader->name(), call.code, call.expression, call.flag));
}

} // namespace tovren::engine
