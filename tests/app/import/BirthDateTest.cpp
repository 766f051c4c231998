#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/import/BirthDate.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

class BirthDateFill : public test::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (IsSkipped())
            return;
        query = openBrowse();
        for (const char *birth : {"1988/3/5", "1990年12月31日", "1989.7.1"}) {
            query->append();
            query->fieldByName(QStringLiteral("Birth")).setAsString(QString::fromUtf8(birth));
            query->post();
        }
    }
    QString field(const char *name) { return query->fieldByName(QLatin1String(name)).asString(); }
    std::unique_ptr<db::TDbQuery> query;
};

TEST_P(BirthDateFill, FillsEveryRecordPaddedAndReturnsToTheFirst)
{
    query->setSql(QStringLiteral("Select * from info where 1 = 0"));
    EXPECT_EQ(import::fillBirthDateParts(*query), 3);
    EXPECT_EQ(query->sql(), QStringLiteral("SELECT * FROM info"));
    EXPECT_EQ(query->recNo(), 0);
    EXPECT_EQ(field("BirthYear"), QStringLiteral("1988"));
    EXPECT_EQ(field("BirthMonth"), QStringLiteral("03"));
    EXPECT_EQ(field("BirthDay"), QStringLiteral("05"));
    query->last();
    EXPECT_EQ(field("BirthMonth"), QStringLiteral("07"));
    EXPECT_EQ(storedCount(QStringLiteral("%1 = '12'").arg(connection->quoteIdentifier(QStringLiteral("BirthMonth")))), 1);
}

TEST_P(BirthDateFill, BadBirthStopsWithTheRecordNamedAndKeepsEarlierWork)
{
    query->last();
    query->edit();
    query->fieldByName(QStringLiteral("Birth")).setAsString(QStringLiteral("不详"));
    query->post();
    try {
        import::fillBirthDateParts(*query);
        FAIL() << "an unconvertible birth date passed";
    } catch (const db::EDatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("第 3 条"))) << error.message().toStdString();
    }
    EXPECT_FALSE(query->controlsDisabled()) << "the grid is attached again after an error";
    EXPECT_EQ(storedCount(QStringLiteral("%1 IS NOT NULL").arg(connection->quoteIdentifier(QStringLiteral("BirthDay")))), 2);
}

TEST_P(BirthDateFill, DescribesTheCurrentRecordUnpadded)
{
    query->first();
    EXPECT_EQ(import::describeBirthDate(*query), QStringLiteral("1988\r3\r5"));
}

INSTANTIATE_TEST_SUITE_P(Stores, BirthDateFill,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
