#include "report/engine/TqxDataset.h"

#include <gtest/gtest.h>

using namespace tovren::engine;

namespace {

/// Runs the engine's walk over @p source and returns the RecordNo of every record output.
QList<int> walk(TqxDataset &source, int guard = 100)
{
    QList<int> seen;
    source.Prepare();
    for (source.First(); !source.Eof() && guard-- > 0; source.Next())
        seen << source.recordNo();
    source.Release();
    return seen;
}

} // namespace

TEST(TqxUserDataset, CountRangeYieldsExactlyThatManyRecordsWithoutHandlers)
{
    TqxUserDataset source;
    source.setRangeEnd(reCount);
    source.setRangeEndCount(12);
    EXPECT_EQ(walk(source), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(TqxUserDataset, CountZeroIsAtEndRightAfterFirst)
{
    TqxUserDataset source;
    source.setRangeEnd(reCount);
    source.setRangeEndCount(0);
    source.First();
    EXPECT_TRUE(source.Eof());
    EXPECT_TRUE(walk(source).isEmpty());
}

TEST(TqxUserDataset, OnNextIsNotAskedToMovePastTheLastCountedRecord)
{
    TqxUserDataset source;
    source.setRangeEnd(reCount);
    source.setRangeEndCount(2);
    int firstCalls = 0;
    QList<int> nextAt;
    source.setOnFirst([&](TqxDataset &) { ++firstCalls; });
    source.setOnNext([&](TqxDataset &sender) { nextAt << sender.recordNo(); });
    EXPECT_EQ(walk(source).size(), 2);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(nextAt, QList<int>{1}) << "fired after the first record only";
}

TEST(TqxUserDataset, LastRangeEndsOnlyWhenTheHandlerSaysSo)
{
    TqxUserDataset source;
    bool eofAsked = false;
    source.setOnCheckEof([&](TqxDataset &sender, bool &eof) {
        eofAsked = true;
        EXPECT_FALSE(eof) << "reLast never ends by itself";
        eof = sender.recordNo() >= 4;
    });
    EXPECT_EQ(walk(source).size(), 4);
    EXPECT_TRUE(eofAsked);
}

TEST(TqxUserDataset, CheckEofHandlerMayOverruleTheCount)
{
    TqxUserDataset source;
    source.setRangeEnd(reCount);
    source.setRangeEndCount(1);
    source.setOnCheckEof([](TqxDataset &sender, bool &eof) { eof = sender.recordNo() >= 3; });
    EXPECT_EQ(walk(source).size(), 3);
}

TEST(TqxUserDataset, PriorStepsTheCounterBackAndFiresItsEvent)
{
    TqxUserDataset source;
    int priorCalls = 0;
    source.setOnPrior([&](TqxDataset &) { ++priorCalls; });
    source.First();
    source.Next();
    source.Next();
    source.Prior();
    EXPECT_EQ(source.recordNo(), 1);
    EXPECT_EQ(priorCalls, 1);
}
