#include "app/cli/Arguments.h"

#include <gtest/gtest.h>

using tovren::cli::Arguments;
using tovren::cli::UsageError;

TEST(Arguments, ReadsBothOptionFormsFlagsAndPositionals)
{
    const Arguments args({QStringLiteral("a.mdb"), QStringLiteral("--count"), QStringLiteral("5"),
                          QStringLiteral("--database=x.db"), QStringLiteral("--list"),
                          QStringLiteral("--count=7"), QStringLiteral("-")},
                         {QStringLiteral("count"), QStringLiteral("database")},
                         {QStringLiteral("list")});
    EXPECT_EQ(args.positional(), (QStringList{QStringLiteral("a.mdb"), QStringLiteral("-")}));
    EXPECT_EQ(args.intValue(QStringLiteral("count"), 0), 7) << "the last occurrence wins";
    EXPECT_EQ(args.value(QStringLiteral("database"), {}), QStringLiteral("x.db"));
    EXPECT_TRUE(args.flag(QStringLiteral("list")));
    EXPECT_FALSE(args.value(QStringLiteral("seed")).has_value());
}

TEST(Arguments, MistypedOptionsAreRefused)
{
    const QStringList values{QStringLiteral("count")};
    EXPECT_THROW(Arguments({QStringLiteral("--cuont"), QStringLiteral("1")}, values, {}), UsageError);
    EXPECT_THROW(Arguments({QStringLiteral("--count")}, values, {}), UsageError);
    const Arguments args({QStringLiteral("--count"), QStringLiteral("ten")}, values, {});
    EXPECT_THROW(args.intValue(QStringLiteral("count"), 0), UsageError);
}
