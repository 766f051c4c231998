#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/ui/SqlRunner.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

class SqlRunnerTest : public test::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (IsSkipped())
            return;
        addGraduates(10);
        query = std::make_unique<db::TDbQuery>(*connection);
        query->setSql(QStringLiteral("Select * from info"));
        query->open();
    }
    void run(const QString &statement)
    {
        app::SqlRunner runner(*query, [this] { return returnsRows; },
                              [this](qsizetype count) { shownCount = count; });
        runner.run(statement);
    }
    QString id() const { return connection->quoteIdentifier(QStringLiteral("ID")); }

    std::unique_ptr<db::TDbQuery> query;
    bool returnsRows = false;
    qsizetype shownCount = -1;
};

TEST_P(SqlRunnerTest, ResultSetModeShowsTheRowsAndTheirCount)
{
    returnsRows = true;
    run(QStringLiteral("  Select * from info where %1 <= 4  ").arg(id()));
    EXPECT_TRUE(query->isActive());
    EXPECT_EQ(query->recordCount(), 4);
    EXPECT_EQ(shownCount, 4);
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info where %1 <= 4").arg(id()));
}

TEST_P(SqlRunnerTest, CommandModeRunsTheStatementAndShowsTheWholeTableAgain)
{
    run(QStringLiteral("DELETE FROM info WHERE %1 > 6").arg(id()));
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info"));
    EXPECT_EQ(query->recordCount(), 6);
    EXPECT_EQ(shownCount, -1) << "the record-count box is left alone";
}

TEST_P(SqlRunnerTest, FailingCommandStillRestoresTheTableBeforeTheErrorPasses)
{
    EXPECT_THROW(run(QStringLiteral("UPDATE info SET nosuch = 1")), db::EDatabaseError);
    EXPECT_TRUE(query->isActive());
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info"));
    EXPECT_EQ(query->recordCount(), 10);
}

TEST_P(SqlRunnerTest, FailingResultSetStatementLeavesTheQueryClosedOnIt)
{
    returnsRows = true;
    EXPECT_THROW(run(QStringLiteral("Select * from nowhere")), db::EDatabaseError);
    EXPECT_FALSE(query->isActive());
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from nowhere"));
    EXPECT_EQ(shownCount, -1);
}

INSTANTIATE_TEST_SUITE_P(Stores, SqlRunnerTest,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
