#include "report/platform/StringTable.h"

#include <gtest/gtest.h>

using tovren::platform::LoadLibraryString;
using tovren::platform::TqxLocale;

TEST(StringTable, ParsesEscapesAndSkipsMalformedLines)
{
    const auto table = TqxLocale::parseTable(
        u"55000\t确认\n"
        "55001\tA\\tB\\nC\\\\D\\r\r\n"
        "not a number\tx\n"
        "55193\t\n"
        "\n"
        "55002 no tab\n");
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.value(55000), QStringLiteral("确认"));
    EXPECT_EQ(table.value(55001), QStringLiteral("A\tB\nC\\D\r"));
    EXPECT_TRUE(table.contains(55193));
    EXPECT_TRUE(table.value(55193).isEmpty());
}

TEST(StringTable, BuiltInTableCoversTheLibraryTexts)
{
    const TqxLocale &locale = TqxLocale::instance();
    EXPECT_GT(locale.size(), 300);
    EXPECT_EQ(LoadLibraryString(55001), QStringLiteral("取消"));
    EXPECT_EQ(LoadLibraryString(55206), QStringLiteral("错误"));
    EXPECT_EQ(LoadLibraryString(55209), QStringLiteral("Untitled"));
    EXPECT_EQ(LoadLibraryString(55190), QStringLiteral("伸展"));
    // Band titles are numbered by band type from 55077 on, all 23 of them.
    for (int type = 0; type < 23; ++type)
        EXPECT_FALSE(LoadLibraryString(55077 + type).isEmpty()) << "band type " << type;
    // The word-break menu entry is empty on purpose; unknown numbers read as empty too.
    EXPECT_TRUE(locale.contains(55193));
    EXPECT_TRUE(LoadLibraryString(55193).isEmpty());
    EXPECT_TRUE(LoadLibraryString(12345).isEmpty());
}

TEST(StringTable, LocalizerAnswersFirstUnlessItsAnswerIsEmpty)
{
    TqxLocale &locale = TqxLocale::instance();
    locale.setLocalizer([](int id) { return id == 55001 ? QStringLiteral("Cancel") : QString(); });
    EXPECT_EQ(LoadLibraryString(55001), QStringLiteral("Cancel"));
    EXPECT_EQ(LoadLibraryString(55206), QStringLiteral("错误"));
    locale.setLocalizer({});
    EXPECT_EQ(LoadLibraryString(55001), QStringLiteral("取消"));
}
