#include "report/engine/TqxBand.h"

#include "report/engine/AggregateFunctions.h"

#include <gtest/gtest.h>

using namespace tovren::engine;
using tovren::script::AggregateCode;
using tovren::script::Variant;

namespace {

QString columnKey(const QString &column, AggregateCode code, const QString &expression = "X")
{
    return column + QChar(1) +
           TqxAggregateFunctions::accumulatorKey(QStringLiteral("Foot"), code, expression, {});
}

Variant valueOf(const TqxBand &band, const QString &key)
{
    for (const TqxBand::Accumulator &accumulator : band.Accumulators) {
        if (accumulator.key == key)
            return accumulator.value;
    }
    return Variant::null();
}

TEST(TqxBandTotals, CrossedBandKeepsOneTotalPerColumnMadeFromItsTemplate)
{
    TqxBand rows(btMasterData);
    rows.Name = QStringLiteral("Rows");
    TqxBand footer(btMasterFooter);
    footer.Name = QStringLiteral("Foot");
    footer.AggregateSource = &rows;
    const QString rowKey =
        TqxAggregateFunctions::accumulatorKey(QStringLiteral("Sum"), AggregateCode::Sum, "X", {});
    rows.registerAccumulator(rowKey, Variant(0));
    rows.registerAccumulator(columnKey("0", AggregateCode::Min), Variant(1e300));
    rows.registerAccumulator(columnKey("0", AggregateCode::Avg), Variant(0));

    // Two rows of two columns; the value is ten times the column plus the row.
    int row = 0;
    int column = 0;
    const auto value = [&](const QString &) { return Variant(10 * column + row); };
    for (row = 1; row <= 2; ++row) {
        for (column = 1; column <= 2; ++column)
            rows.AddToTotals(value, column);
        column = 0;
        rows.AddToTotals(value);
    }
    EXPECT_EQ(valueOf(rows, columnKey("1", AggregateCode::Min)), Variant(11.0));
    EXPECT_EQ(valueOf(rows, columnKey("2", AggregateCode::Min)), Variant(21.0));
    EXPECT_EQ(valueOf(rows, columnKey("0", AggregateCode::Min)), Variant(1e300))
        << "the template itself takes no rows";
    EXPECT_EQ(valueOf(rows, rowKey), Variant(3.0)) << "the row total sees each row once";
    // The average divides by the rows, not by rows times columns.
    EXPECT_EQ(rows.accumulatorValue(columnKey("2", AggregateCode::Avg)), Variant(21.5));

    footer.ResetShownTotals();
    EXPECT_EQ(valueOf(rows, columnKey("1", AggregateCode::Min)), Variant(1e300));
    EXPECT_EQ(valueOf(rows, columnKey("2", AggregateCode::Avg)), Variant(0));
    EXPECT_EQ(valueOf(rows, rowKey), Variant(3.0)) << "another band's total is kept";
}

class CellRunState : public TqxAggregateRunState
{
public:
    TqxAggregateBand *currentBand() const override { return current; }
    TqxAggregateBand *scanBand() const override { return nullptr; }
    TqxAggregateBand *current = nullptr;
};

TEST(TqxBandTotals, CrossDataCellReadsTheCrossedBandsTotalForItsColumn)
{
    TqxBand rows(btMasterData);
    rows.Name = QStringLiteral("Rows");
    TqxBand footer(btMasterFooter);
    footer.Name = QStringLiteral("Foot");
    footer.Cells.push_back(nullptr); // crossed
    footer.AggregateSource = &rows;
    TqxBand columns(btCrossData);
    columns.Name = QStringLiteral("Cols");
    rows.registerAccumulator(columnKey("2", AggregateCode::Sum), Variant(20));
    rows.registerAccumulator(columnKey("3", AggregateCode::Sum), Variant(42));
    CellRunState run;
    TqxAggregateFunctions aggregates(run);
    const tovren::script::AggregateCall sum{AggregateCode::Sum, "X", {}, {}};

    // A cell of the cross data band written in the footer's third column.
    columns.AggregateSource = &footer;
    columns.CellColumn = 3;
    run.current = &columns;
    EXPECT_EQ(aggregates.aggregate(sum), Variant(42));
    columns.CellColumn = 2;
    EXPECT_EQ(aggregates.aggregate(sum), Variant(20));
    // Outside the cells the cross data band shows no totals of its own.
    columns.AggregateSource = nullptr;
    EXPECT_EQ(aggregates.aggregate(sum).toString(), QStringLiteral("0"));
}

} // namespace
