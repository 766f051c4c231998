#pragma once

#include "report/script/AggregateCall.h"

#include <QString>

namespace tovren::engine {

/// What the aggregate functions need of a run-time band: its name and type, whether cross bands
/// cross it, its accumulators and the data band whose totals it shows.
class TqxAggregateBand
{
public:
    virtual ~TqxAggregateBand() = default;

    virtual QString name() const = 0;
    /// The band type, 0 to 22.
    virtual int bandType() const = 0;
    virtual bool isCrossedByCrossBands() const = 0;

    /// Adds an accumulator under @p key with its initial value (kept when the key exists).
    virtual void registerAccumulator(const QString &key, const script::Variant &initial) = 0;
    virtual script::Variant accumulatorValue(const QString &key) const = 0;

    virtual TqxAggregateBand *aggregateSource() const = 0;
    virtual void setAggregateSource(TqxAggregateBand *source) = 0;

    /// The fields that stand before the band's name when it reads a total: for a cell of a cross
    /// data band the current column number and the byte 1; nothing otherwise.
    virtual QString readKeyPrefix() const { return {}; }
    /// The band whose name and aggregate source a total shown in this band is read with: this
    /// band, or for a cell of a cross data band the horizontal band it crosses (nullptr: none).
    virtual const TqxAggregateBand *totalsReader() const { return this; }
};

/// The part of a build's run state that aggregates look at.
class TqxAggregateRunState
{
public:
    virtual ~TqxAggregateRunState() = default;
    /// The band that contains the call being evaluated, or nullptr.
    virtual TqxAggregateBand *currentBand() const = 0;
    /// The data band being scanned while the aggregate pre-scan runs; nullptr otherwise.
    virtual TqxAggregateBand *scanBand() const = 0;
};

/// The aggregate functions SUM, MIN, MAX, AVG and COUNT on the engine's side: during the
/// pre-scan they register accumulators on the scanned data band, afterwards they read the
/// running total that the data band keeps.
///
/// Registration always answers "0"; so does a band that shows no totals. The band engine adds
/// the rows to the accumulators; this class only names them.
class TqxAggregateFunctions : public script::AggregateHandler
{
public:
    explicit TqxAggregateFunctions(const TqxAggregateRunState &run)
        : m_run(run)
    {}

    script::Variant aggregate(const script::AggregateCall &call) override;

    /// The accumulator key: the four fields, each followed by the byte 1.
    static QString accumulatorKey(const QString &bandName, script::AggregateCode code,
                                  const QString &expression, const QString &flag);
    /// The data band type whose totals a band of @p bandType shows by default; 22 for none.
    static int defaultDataBandType(int bandType);

private:
    void registerOnScanBand(const script::AggregateCall &call, TqxAggregateBand &current,
                            TqxAggregateBand &scanned);

    const TqxAggregateRunState &m_run;
};

} // namespace tovren::engine
