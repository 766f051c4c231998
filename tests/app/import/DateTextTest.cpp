#include "app/import/DateText.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace tovren::import;

TEST(DateText, AcceptsTheFormsOfficesWrite)
{
    const QDate march5(1988, 3, 5);
    for (const char *text : {"1988/3/5", "1988-03-05", "1988.3.5", "1988年3月5日", " 1988-3-5 ",
                             "1988/3/5 0:00", "1988-03-05 08:30:00", "1988年3月5日 8:30"})
        EXPECT_EQ(textToDate(QString::fromUtf8(text)), march5) << text;
}

TEST(DateText, RefusesWhatIsNotACalendarDate)
{
    for (const char *text : {"", "abc", "1988-02-30", "1900-01-00", "88/3/5", "1988-13-01",
                             "1988-03-05x", "3/5/1988"})
        EXPECT_FALSE(textToDate(QString::fromUtf8(text)).has_value()) << text;
}

TEST(DateText, SerialsCountFromTheLastDayOf1899)
{
    EXPECT_EQ(serialToDateTime(0)->date(), QDate(1899, 12, 30));
    EXPECT_EQ(serialToDateTime(32207)->date(), QDate(1988, 3, 5));
    EXPECT_EQ(serialToDateTime(32207.75)->time(), QTime(18, 0));
    EXPECT_FALSE(serialToDateTime(-1).has_value());
    EXPECT_FALSE(serialToDateTime(1e12).has_value());
}
