#include "report/script/TqxVariables.h"

#include <gtest/gtest.h>

namespace tovren::script {
namespace {

TEST(TqxVariablesTest, NamesAreUniqueIgnoringCaseAndKeepTheirFirstSpelling)
{
    TqxVariables variables;
    variables.setValue(QStringLiteral("Total"), Variant(1));
    variables.setValue(QStringLiteral("TOTAL"), Variant(2));
    ASSERT_EQ(variables.count(), 1);
    EXPECT_EQ(variables.nameAt(0), u"Total");
    EXPECT_EQ(variables.value(QStringLiteral("total")), Variant(2));
    EXPECT_TRUE(variables.value(QStringLiteral("missing")).isEmpty());
    EXPECT_EQ(variables.indexOf(QStringLiteral("missing")), -1);
}

TEST(TqxVariablesTest, OutOfRangeIndexesAreForgiven)
{
    TqxVariables variables;
    variables.setValue(QStringLiteral("a"), Variant(1));
    EXPECT_EQ(variables.valueAt(5), Variant(0));
    EXPECT_EQ(variables.valueAt(-1), Variant(0));
    variables.setValueAt(5, Variant(9));
    variables.removeAt(5);
    EXPECT_EQ(variables.count(), 1);
    EXPECT_EQ(variables.valueAt(0), Variant(1));
}

TEST(TqxVariablesTest, SortedListsKeepNameOrder)
{
    TqxVariables variables;
    variables.setValue(QStringLiteral("b"), Variant(2));
    variables.setValue(QStringLiteral("C"), Variant(3));
    variables.setValue(QStringLiteral("a"), Variant(1));
    variables.setSorted(true);
    EXPECT_EQ(variables.nameAt(0), u"a");
    EXPECT_EQ(variables.nameAt(2), u"C");
    variables.setValue(QStringLiteral("B2"), Variant(4));
    EXPECT_EQ(variables.indexOf(QStringLiteral("b2")), 2);
    EXPECT_TRUE(variables.insert(0, QStringLiteral("aa")));
    EXPECT_EQ(variables.indexOf(QStringLiteral("AA")), 1);
    EXPECT_EQ(variables.valueAt(1), Variant(0));
}

TEST(TqxVariablesTest, RenamingAndInsertingRefuseDuplicates)
{
    TqxVariables variables;
    variables.setValue(QStringLiteral("x"), Variant(1));
    variables.setValue(QStringLiteral("y"), Variant(2));
    EXPECT_FALSE(variables.setNameAt(0, QStringLiteral("Y")));
    EXPECT_TRUE(variables.setNameAt(0, QStringLiteral("X")));
    EXPECT_FALSE(variables.insert(0, QStringLiteral("y")));
    EXPECT_TRUE(variables.insert(1, QStringLiteral("z")));
    EXPECT_EQ(variables.nameAt(1), u"z");

    TqxVariables copy;
    copy.setValue(QStringLiteral("old"), Variant(5));
    copy.Assign(variables);
    EXPECT_EQ(copy.count(), 3);
    EXPECT_FALSE(copy.contains(QStringLiteral("old")));
    copy.Clear();
    EXPECT_EQ(copy.count(), 0);
}

} // namespace
} // namespace tovren::script
