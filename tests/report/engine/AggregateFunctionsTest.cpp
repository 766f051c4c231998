#include "report/engine/AggregateFunctions.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace tovren::engine;
using tovren::script::AggregateCall;
using tovren::script::AggregateCode;
using tovren::script::Variant;

namespace {

class FakeBand : public TqxAggregateBand
{
public:
    FakeBand(QString name, int type, bool crossed = false)
        : m_name(std::move(name))
        , m_type(type)
        , m_crossed(crossed)
    {}

    QString name() const override { return m_name; }
    int bandType() const override { return m_type; }
    bool isCrossedByCrossBands() const override { return m_crossed; }
    void registerAccumulator(const QString &key, const Variant &initial) override
    {
        if (!accumulators.contains(key))
            accumulators.insert(key, initial);
    }
    Variant accumulatorValue(const QString &key) const override
    {
        return accumulators.value(key, Variant::null());
    }
    TqxAggregateBand *aggregateSource() const override { return m_source; }
    void setAggregateSource(TqxAggregateBand *source) override { m_source = source; }

    QHash<QString, Variant> accumulators;

private:
    QString m_name;
    int m_type;
    bool m_crossed;
    TqxAggregateBand *m_source = nullptr;
};

class FakeRun : public TqxAggregateRunState
{
public:
    TqxAggregateBand *currentBand() const override { return current; }
    TqxAggregateBand *scanBand() const override { return scanned; }

    TqxAggregateBand *current = nullptr;
    TqxAggregateBand *scanned = nullptr;
};

AggregateCall sumOf(const QString &expression, const QString &band = {}, const QString &flag = {})
{
    return {AggregateCode::Sum, expression, band, flag};
}

const QString zero = QStringLiteral("0");

} // namespace

TEST(AggregateFunctions, FooterWithoutBandNameRegistersOnTheMasterDataBand)
{
    FakeBand master(QStringLiteral("MasterData1"), 5);
    FakeBand footer(QStringLiteral("MasterFooter1"), 6);
    FakeRun run{};
    run.current = &footer;
    run.scanned = &master;
    TqxAggregateFunctions aggregates(run);

    EXPECT_EQ(aggregates.aggregate(sumOf(QStringLiteral("[Price]"))).toString(), zero);
    const QString key = TqxAggregateFunctions::accumulatorKey(
        QStringLiteral("MasterFooter1"), AggregateCode::Sum, QStringLiteral("[Price]"), QString());
    EXPECT_EQ(key, QStringLiteral("MasterFooter1\x01\x0b\x01[Price]\x01\x01"));
    EXPECT_EQ(master.accumulators.value(key), Variant(0));
    EXPECT_EQ(footer.aggregateSource(), &master);

    // After the scan the footer reads the running total the data band keeps.
    run.scanned = nullptr;
    master.accumulators[key] = Variant(99.5);
    EXPECT_EQ(aggregates.aggregate(sumOf(QStringLiteral("[Price]"))), Variant(99.5));
}

TEST(AggregateFunctions, BandsWithoutADefaultDataBandOrAnotherNameRegisterNothing)
{
    FakeBand master(QStringLiteral("MasterData1"), 5);
    FakeBand pageHeader(QStringLiteral("PageHeader1"), 2);
    FakeBand detailFooter(QStringLiteral("DetailFooter1"), 9);
    FakeRun run{};
    run.scanned = &master;
    TqxAggregateFunctions aggregates(run);

    run.current = &pageHeader;
    EXPECT_EQ(aggregates.aggregate(sumOf(QStringLiteral("X"))).toString(), zero);
    run.current = &detailFooter;
    aggregates.aggregate(sumOf(QStringLiteral("X")));
    aggregates.aggregate(sumOf(QStringLiteral("X"), QStringLiteral("OtherBand")));
    EXPECT_TRUE(master.accumulators.isEmpty());
    EXPECT_EQ(pageHeader.aggregateSource(), nullptr);

    run.scanned = nullptr;
    EXPECT_EQ(aggregates.aggregate(sumOf(QStringLiteral("X"))).toString(), zero)
        << "a band without totals shows 0";
    run.current = nullptr;
    EXPECT_EQ(aggregates.aggregate(sumOf(QStringLiteral("X"))).toString(), zero);
}

TEST(AggregateFunctions, NamedBandMinimumCountAndCrossedBands)
{
    FakeBand master(QStringLiteral("MasterData1"), 5);
    FakeBand crossedFooter(QStringLiteral("Footer"), 6, true);
    FakeRun run{};
    run.current = &crossedFooter;
    run.scanned = &master;
    TqxAggregateFunctions aggregates(run);

    aggregates.aggregate(
        {AggregateCode::Min, QStringLiteral("A"), QStringLiteral("masterdata1"), QString()});
    aggregates.aggregate({AggregateCode::Count, QStringLiteral("MasterData1"),
                          QStringLiteral("MasterData1"), QStringLiteral("1")});
    EXPECT_EQ(master.accumulators.value(QStringLiteral("0\x01"
                                                       "Footer\x01\x0c\x01"
                                                       "A\x01\x01")),
              Variant(1e300));
    EXPECT_EQ(master.accumulators.value(QStringLiteral("0\x01"
                                                       "Footer\x01\x0f\x01MasterData1\x01"
                                                       "1\x01")),
              Variant(0));
    EXPECT_EQ(master.accumulators.size(), 2);
}

TEST(AggregateFunctions, DefaultDataBandTypes)
{
    const QList<std::pair<int, int>> expected{{1, 5},   {3, 5},   {6, 5},  {17, 5}, {9, 8},
                                              {12, 11}, {20, 19}, {2, 22}, {5, 22}, {0, 22}};
    for (const auto &[band, data] : expected)
        EXPECT_EQ(TqxAggregateFunctions::defaultDataBandType(band), data) << "band type " << band;
}
