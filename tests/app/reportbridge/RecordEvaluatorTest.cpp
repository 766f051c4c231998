#include "app/reportbridge/RecordEvaluator.h"

#include "app/db/DbQuery.h"
#include "app/reportbridge/DbQueryRecordSet.h"
#include "report/engine/FieldValue.h"
#include "report/script/EvaluationError.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;
using script::Variant;

/// Expressions resolved as a report resolves them, over the first graduate of a real store.
class RecordEvaluation : public test::StoreTest
{
protected:
    void SetUp() override
    {
        test::StoreTest::SetUp();
        if (IsSkipped())
            return;
        addGraduates(3);
        query = openBrowse(QStringLiteral("Select * from info order by %1")
                               .arg(connection->quoteIdentifier(QStringLiteral("ID"))));
        query->first();
        evaluator = std::make_unique<app::RecordEvaluator>(*query);
    }

    QString errorOf(const QString &expression) const
    {
        try {
            evaluator->evaluate(expression);
        } catch (const script::EvaluationError &error) {
            return error.message();
        }
        return {};
    }

    std::unique_ptr<db::TDbQuery> query;
    std::unique_ptr<app::RecordEvaluator> evaluator;
};

TEST_P(RecordEvaluation, FieldsResolveThroughEveryComponentName)
{
    const Variant name(storedText(QStringLiteral("Name"), 1));
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("Aqy.\"Name\"")), name);
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("qxDBDataSet1.\"Name\"")), name);
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("Form1.Aqy.Name")), name);
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("[Aqy.\"StudID\"]")),
              Variant(storedText(QStringLiteral("StudID"), 1)));
    // Outside any band a bare field belongs to the report's data source.
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("Name")), name);
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("LENGTH(Aqy.\"Name\") > 0")), Variant(1));
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("FIELDISNULL('Aqy.Name')")), Variant(false));

    query->next();
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("[Aqy.\"Name\"]")),
              Variant(storedText(QStringLiteral("Name"), 2)));
}

TEST_P(RecordEvaluation, NamesThatResolveNowhereRaiseTheUndefinedSymbolError)
{
    EXPECT_EQ(errorOf(QStringLiteral("Aqy.\"NoSuchColumn\"")),
              QStringLiteral("符号没定义 \"AQY.\"NOSUCHCOLUMN\"\""));
    EXPECT_EQ(errorOf(QStringLiteral("[Nobody]")), QStringLiteral("符号没定义 \"NOBODY\""));
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("[PAGE#]")), Variant(QStringLiteral("1")));
}

TEST_P(RecordEvaluation, FieldValuesByTypeAndNull)
{
    connection->execute(QStringLiteral("CREATE TABLE extra (id INTEGER PRIMARY KEY, flag BOOLEAN, "
                                       "note TEXT, amount REAL)"));
    connection->execute(QStringLiteral("INSERT INTO extra (id) VALUES (1)"));
    connection->execute(QStringLiteral("INSERT INTO extra VALUES (2, TRUE, 'written', 2.5)"));
    db::TDbQuery extra(*connection);
    extra.setSql(QStringLiteral("Select * from extra order by id"));
    extra.open();
    app::DbQueryRecordSet records(extra, QStringLiteral("Extra"));
    const auto valueOf = [&records](const char *field) {
        return engine::FieldValue(records, records.fieldIndex(QString::fromLatin1(field)));
    };

    records.first();
    EXPECT_EQ(valueOf("note"), Variant(QString()));
    EXPECT_EQ(valueOf("amount"), Variant(0));
    EXPECT_EQ(valueOf("flag").toBool(), false);

    records.next();
    EXPECT_EQ(valueOf("note"), Variant(QStringLiteral("written")));
    EXPECT_EQ(valueOf("amount"), Variant(2.5));
    EXPECT_EQ(valueOf("flag").toBool(), true);
}

TEST_P(RecordEvaluation, AnEmptyResultReadsAsNullFields)
{
    query->close();
    query->setSql(QStringLiteral("Select * from info where 1 = 0"));
    query->open();
    EXPECT_EQ(evaluator->evaluate(QStringLiteral("Aqy.\"Name\"")), Variant(QString()));
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordEvaluation,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
