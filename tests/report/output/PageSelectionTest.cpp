#include "report/output/PageSelection.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace tovren::output {
namespace {

// The selected page numbers of @p text on a report of @p pageCount pages, ascending.
QList<int> pagesOf(const QString &text, int pageCount)
{
    const std::optional<PageSelection> selection = PageSelection::ExpandPageRanges(text, pageCount);
    EXPECT_TRUE(selection.has_value()) << text.toStdString();
    QList<int> pages;
    if (selection) {
        for (int page = 1; page <= pageCount; ++page) {
            if (selection->contains(page))
                pages << page;
        }
    }
    return pages;
}

TEST(PageSelection, EmptyOrBlankTextSelectsEveryPage)
{
    EXPECT_EQ(pagesOf("", 4), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(pagesOf("   ", 3), (QList<int>{1, 2, 3}));
    EXPECT_TRUE(PageSelection::ExpandPageRanges(u"", 4)->isAll());
}

TEST(PageSelection, ListsAndRangesClippedToThePages)
{
    EXPECT_EQ(pagesOf("1,3,5-12", 10), (QList<int>{1, 3, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(pagesOf("5-", 8), (QList<int>{5, 6, 7, 8}));
    EXPECT_EQ(pagesOf("7-3", 10), QList<int>{});
    EXPECT_EQ(pagesOf("3,1,3", 5), (QList<int>{1, 3}));
    EXPECT_EQ(pagesOf("1-3-5", 10), (QList<int>{3, 4, 5}));
    EXPECT_EQ(pagesOf(" 1 - 3 ", 10), (QList<int>{1, 2, 3}));
    EXPECT_EQ(pagesOf("007", 10), QList<int>{7});
    EXPECT_EQ(pagesOf("0,11,20-30", 10), QList<int>{});
}

TEST(PageSelection, HugeRangesCostNoMoreThanThePageCount)
{
    EXPECT_EQ(pagesOf("1-2000000000", 3), (QList<int>{1, 2, 3}));
    EXPECT_EQ(pagesOf("2-99999999999999999999", 3), (QList<int>{2, 3}));
    EXPECT_EQ(pagesOf("2000000000", 3), QList<int>{});
    const std::optional<PageSelection> none = PageSelection::ExpandPageRanges(u"1-5", 0);
    ASSERT_TRUE(none.has_value());
    EXPECT_FALSE(none->contains(1));
}

TEST(PageSelection, ItemsThatAreNotWholeNumbersAreRejectedWithTheItemNamed)
{
    for (const QString text : {"1,,3", "-3", "a", "1-b", "1,", "2.5", "1+2"}) {
        QString error;
        EXPECT_FALSE(PageSelection::ExpandPageRanges(text, 10, &error).has_value())
            << text.toStdString();
        EXPECT_FALSE(error.isEmpty()) << text.toStdString();
    }
    QString error;
    PageSelection::ExpandPageRanges(u"1,x7,3", 10, &error);
    EXPECT_TRUE(error.contains("x7")) << error.toStdString();
    // The print dialog shows this text to the operator as it stands.
    EXPECT_TRUE(error.contains(QRegularExpression(QStringLiteral("\\p{Han}"))))
        << error.toStdString();
}

} // namespace
} // namespace tovren::output
