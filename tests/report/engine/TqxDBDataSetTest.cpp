#include "report/engine/TqxDBDataSet.h"

#include "report/engine/EngineErrors.h"
#include "tests/report/engine/MemoryRecordSet.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tovren::engine;
using tovren::test::MemoryRecordSet;

namespace {

QList<int> walkRows(TqxDBDataSet &source, MemoryRecordSet &rows)
{
    QList<int> seen;
    source.Prepare();
    for (source.First(); !source.Eof(); source.Next())
        seen << rows.row();
    source.Release();
    return seen;
}

} // namespace

TEST(TqxDBDataSet, EveryOperationWithoutADataSetNamesTheComponent)
{
    TqxDBDataSet source(QStringLiteral("qxDBDataSet1"));
    const auto expectError = [](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no error raised";
        } catch (const EReportError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Unable to open dataset qxDBDataSet1"));
        }
    };
    expectError([&] { source.Prepare(); });
    expectError([&] { source.First(); });
    expectError([&] { source.Next(); });
    expectError([&] { source.Prior(); });
    expectError([&] { source.Eof(); });
    expectError([&] { source.Release(); });

    TqxDataSource emptyLink(QStringLiteral("DataSource1"));
    source.setDataSource(&emptyLink);
    expectError([&] { source.Prepare(); });
}

TEST(TqxDBDataSet, DataSetAndDataSourceReplaceEachOther)
{
    MemoryRecordSet direct(2, QStringLiteral("Direct"));
    MemoryRecordSet linked(3, QStringLiteral("Linked"));
    TqxDataSource link(QStringLiteral("DataSource1"));
    link.setDataSet(&linked);

    TqxDBDataSet source;
    source.setDataSet(&direct);
    source.setDataSource(&link);
    EXPECT_EQ(source.dataSet(), nullptr);
    EXPECT_EQ(source.effectiveDataSet(), &linked);
    EXPECT_EQ(walkRows(source, linked), (QList<int>{1, 2, 3}));

    source.setDataSource(nullptr);
    EXPECT_EQ(source.dataSource(), nullptr);
    source.setDataSet(&direct);
    source.setDataSource(nullptr);
    EXPECT_EQ(source.dataSet(), &direct) << "clearing DataSource leaves DataSet alone";
}

TEST(TqxDBDataSet, ADestroyedDataSetIsReportedInsteadOfReached)
{
    TqxDBDataSet source(QStringLiteral("qxDBDataSet1"));
    {
        MemoryRecordSet rows(3);
        source.setDataSet(&rows);
    }
    EXPECT_THROW(source.Prepare(), EReportError);
}

TEST(TqxDBDataSet, OpensAndClosesTheDataSetAsConfiguredAndFiresItsEvents)
{
    MemoryRecordSet rows(2);
    TqxDBDataSet source;
    source.setDataSet(&rows);
    QStringList events;
    source.setOnOpen([&](TqxDataset &) { events << QStringLiteral("open"); });
    source.setOnClose([&](TqxDataset &) { events << QStringLiteral("close"); });

    walkRows(source, rows);
    EXPECT_EQ(events, (QStringList{QStringLiteral("open"), QStringLiteral("close")}));
    EXPECT_EQ(rows.openCalls, 1);
    EXPECT_EQ(rows.closeCalls, 0) << "CloseDataSource is off by default";
    EXPECT_TRUE(rows.isActive());

    source.setCloseDataSource(true);
    source.setOpenDataSource(false);
    walkRows(source, rows);
    EXPECT_EQ(rows.openCalls, 1);
    EXPECT_FALSE(rows.isActive());
}

TEST(TqxDBDataSet, CurrentRangesOnAnEmptyDataSetYieldNothing)
{
    MemoryRecordSet rows(0);
    TqxDBDataSet source;
    source.setDataSet(&rows);
    source.setRangeBegin(rbCurrent);
    source.setRangeEnd(reCurrent);
    EXPECT_TRUE(walkRows(source, rows).isEmpty());
}

TEST(TqxDBDataSet, PriorMovesTheDataSetBackWithTheCounter)
{
    MemoryRecordSet rows(5);
    TqxDBDataSet source;
    source.setDataSet(&rows);
    source.Prepare();
    source.First();
    source.Next();
    source.Next();
    source.Prior();
    EXPECT_EQ(rows.row(), 2);
    EXPECT_EQ(source.recordNo(), 1);
    source.Release();
}
