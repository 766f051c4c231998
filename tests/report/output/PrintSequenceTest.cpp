#include "report/output/PrintSequence.h"

#include <gtest/gtest.h>

namespace tovren::output {
namespace {

PrintParameters parameters(const QString &range, int copies, bool collate,
                           PageParity parity = PageParity::All)
{
    PrintParameters p;
    p.pageRangeText = range;
    p.copies = copies;
    p.collate = collate;
    p.pageParity = parity;
    return p;
}

QList<int> sentPages(const PrintSequence &sequence)
{
    QList<int> numbers;
    sequence.forEachPage([&](int index) {
        numbers << index + 1;
        return true;
    });
    return numbers;
}

PrintSequence sequenceOf(const PrintParameters &p, int pageCount, bool deviceMakesCopies = true)
{
    return PrintSequence(*PageSelection::ExpandPageRanges(p.pageRangeText, pageCount), p,
                         deviceMakesCopies);
}

TEST(PrintSequence, OddAndEvenPagesFilterTheRange)
{
    EXPECT_EQ(sentPages(sequenceOf(parameters("2-6", 1, true, PageParity::Odd), 10)),
              (QList<int>{3, 5}));
    EXPECT_EQ(sentPages(sequenceOf(parameters("", 1, true, PageParity::Even), 7)),
              (QList<int>{2, 4, 6}));
    EXPECT_EQ(PrintParameters::parityFromIndex(2), PageParity::Even);
    EXPECT_EQ(PrintParameters::parityFromIndex(9), PageParity::All);
}

TEST(PrintSequence, CopiesAreMadeByTheDeviceOnlyWhenCollating)
{
    const PrintSequence uncollated = sequenceOf(parameters("1-2", 3, false), 5);
    EXPECT_EQ(sentPages(uncollated), (QList<int>{1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(uncollated.deviceCopyCount(), 1);

    const PrintSequence collated = sequenceOf(parameters("1-2", 3, true), 5);
    EXPECT_EQ(sentPages(collated), (QList<int>{1, 2}));
    EXPECT_EQ(collated.deviceCopyCount(), 3);
}

TEST(PrintSequence, ADeviceWithoutCopiesGetsTheCollatedRunOncePerCopy)
{
    const PrintSequence collated = sequenceOf(parameters("1-2", 3, true), 5, false);
    EXPECT_EQ(sentPages(collated), (QList<int>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(collated.deviceCopyCount(), 1);
}

TEST(PrintSequence, NoCopiesOrNegativeCopiesPrintOnce)
{
    for (int copies : {0, -4}) {
        const PrintSequence sequence = sequenceOf(parameters("1", copies, false), 3);
        EXPECT_EQ(sentPages(sequence), QList<int>{1});
        EXPECT_EQ(sequence.deviceCopyCount(), 1);
    }
}

TEST(PrintSequence, StopsAsSoonAsTheSenderDeclines)
{
    const PrintSequence sequence = sequenceOf(parameters("", 2, false), 10);
    QList<int> sent;
    const bool finished = sequence.forEachPage([&](int index) {
        sent << index + 1;
        return sent.size() < 3;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(sent, (QList<int>{1, 1, 2}));
}

} // namespace
} // namespace tovren::output
