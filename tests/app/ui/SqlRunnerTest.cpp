#include "app/ui/SqlRunner.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
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
    app::SqlRunResult run(const QString &statement)
    {
        app::SqlRunner runner(
            *query, [this] { return returnsRows; },
            [this](const QString &question) {
                questions << question;
                return confirms;
            });
        return runner.run(statement);
    }
    QString id() const { return connection->quoteIdentifier(QStringLiteral("ID")); }
    qsizetype storedRows() const
    {
        db::TDbQuery count(*connection);
        count.setSql(QStringLiteral("Select * from info"));
        count.open();
        return count.recordCount();
    }

    std::unique_ptr<db::TDbQuery> query;
    bool returnsRows = false;
    bool confirms = true;
    QStringList questions;
};

TEST_P(SqlRunnerTest, ResultSetModeShowsTheRowsAndCommandModeTheWholeTableAgain)
{
    returnsRows = true;
    app::SqlRunResult result =
        run(QStringLiteral("  Select * from info where %1 <= 4  ").arg(id()));
    EXPECT_EQ(result.kind, app::SqlRunResult::Kind::Rows);
    EXPECT_EQ(result.rowCount, 4);
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info where %1 <= 4").arg(id()));

    returnsRows = false;
    result = run(QStringLiteral("DELETE FROM info WHERE %1 > 6").arg(id()));
    EXPECT_EQ(result.kind, app::SqlRunResult::Kind::Command);
    EXPECT_EQ(result.rowsAffected, 4) << "the clerk is told how many rows went";
    EXPECT_EQ(result.rowCount, 6);
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info"));
    EXPECT_TRUE(questions.isEmpty()) << "a delete with a where clause runs without asking";
}

TEST_P(SqlRunnerTest, AnUpdateTypedAsAQueryIsReportedAsTheChangeItMade)
{
    returnsRows = true;
    const app::SqlRunResult result =
        run(QStringLiteral("UPDATE info SET %1 = 'x' WHERE %2 <= 3")
                .arg(connection->quoteIdentifier(QStringLiteral("Name")), id()));
    EXPECT_EQ(result.kind, app::SqlRunResult::Kind::Command);
    EXPECT_EQ(result.rowsAffected, 3);
    EXPECT_TRUE(query->isActive());
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info"));
    EXPECT_EQ(query->recordCount(), 10);
}

TEST_P(SqlRunnerTest, FailuresLeaveTheQueryOpenOnWhatItShowed)
{
    EXPECT_THROW(run(QStringLiteral("UPDATE info SET nosuch = 1 WHERE 1 = 1")), db::EDatabaseError);
    EXPECT_TRUE(query->isActive());
    EXPECT_EQ(query->sql(), QStringLiteral("Select * from info"));
    EXPECT_EQ(query->recordCount(), 10);

    returnsRows = true;
    run(QStringLiteral("Select * from info where %1 <= 2").arg(id()));
    EXPECT_THROW(run(QStringLiteral("select * form info wher")), db::EDatabaseError);
    EXPECT_TRUE(query->isActive()) << "the grid and the navigator must keep working";
    EXPECT_EQ(query->recordCount(), 2) << "the subset shown before the typo stays";
}

TEST_P(SqlRunnerTest, AChangeOfEveryRowRunsOnlyWhenConfirmed)
{
    confirms = false;
    EXPECT_EQ(run(QStringLiteral("delete from info")).kind, app::SqlRunResult::Kind::Declined);
    EXPECT_EQ(run(QStringLiteral("UPDATE info SET Name = 'where'")).kind,
              app::SqlRunResult::Kind::Declined);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("删除")));
    EXPECT_EQ(storedRows(), 10);

    confirms = true;
    EXPECT_EQ(run(QStringLiteral("delete from info")).rowsAffected, 10);
    EXPECT_EQ(storedRows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stores, SqlRunnerTest,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
