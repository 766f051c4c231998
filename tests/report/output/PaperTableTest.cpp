#include "report/output/PaperTable.h"

#include <gtest/gtest.h>

namespace tovren::output {
namespace {

TEST(PaperTable, SixtySevenRowsNamedFromTheStringTable)
{
    const auto &table = PaperTable();
    ASSERT_EQ(table.size(), 67u);
    EXPECT_EQ(table[0].code, 1);
    EXPECT_EQ(table[0].name, "Letter, 8 1/2 x 11\"");
    EXPECT_EQ(table[8].code, 9);
    EXPECT_EQ(table[8].name, "A4 210 x 297 mm");
    EXPECT_EQ(table[47].code, 50);
    EXPECT_EQ(table[65].name, "A3 Extra Transverse 322 x 445 mm");
    EXPECT_EQ(table[66].code, 256);
    EXPECT_EQ(table[66].name, QString::fromUtf8("自定义"));
}

TEST(PaperTable, LookupByCode)
{
    ASSERT_NE(findPaper(9), nullptr);
    EXPECT_EQ(findPaper(9)->width, 2100);
    EXPECT_EQ(findPaper(9)->height, 2970);
    EXPECT_EQ(findPaper(4)->width, 4318); // Ledger is stored landscape
    EXPECT_EQ(findPaper(68)->height, 4450);
    EXPECT_EQ(findPaper(256)->width, 0);
    EXPECT_EQ(findPaper(48), nullptr);
    EXPECT_EQ(findPaper(49), nullptr);
    EXPECT_EQ(findPaper(0), nullptr);
    EXPECT_EQ(findPaper(69), nullptr);
}

} // namespace
} // namespace tovren::output
