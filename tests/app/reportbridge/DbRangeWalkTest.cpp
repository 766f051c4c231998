#include "app/db/DbQuery.h"
#include "app/reportbridge/DbQueryRecordSet.h"
#include "report/engine/TqxDBDataSet.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;
using engine::TqxDBDataSet;

/// The report data source walking the real browse query of a fresh store, as a print run does.
class DbRangeWalk : public test::StoreTest
{
protected:
    void openQuery(int rows)
    {
        addGraduates(rows);
        query = std::make_unique<db::TDbQuery>(*connection);
        query->setSql(QStringLiteral("Select * from info order by %1")
                          .arg(connection->quoteIdentifier(QStringLiteral("ID"))));
        query->open();
        recordSet = std::make_unique<app::DbQueryRecordSet>(*query, QStringLiteral("Aqy"));
        source.setDataSet(recordSet.get());
    }

    /// The 1-based rows output by one prepared walk.
    QList<qsizetype> walk()
    {
        QList<qsizetype> rows;
        source.Prepare();
        for (source.First(); !source.Eof(); source.Next())
            rows << query->recNo() + 1;
        source.Release();
        return rows;
    }

    void startOnRow(qsizetype row) { query->moveTo(row - 1); }
    qsizetype currentRow() const { return query->recNo() + 1; }

    std::unique_ptr<db::TDbQuery> query;
    std::unique_ptr<app::DbQueryRecordSet> recordSet;
    TqxDBDataSet source{QStringLiteral("qxDBDataSet1")};
};

TEST_P(DbRangeWalk, FirstToLastWalksEveryRowAndStaysAtTheEnd)
{
    openQuery(3);
    startOnRow(2);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2, 3}));
    EXPECT_EQ(currentRow(), 3) << "without a current bound the walk leaves the query at its end";
}

TEST_P(DbRangeWalk, CountRangesStopAtTheCountOrAtTheEndOfData)
{
    openQuery(3);
    source.setRangeEnd(engine::reCount);
    source.setRangeEndCount(0);
    EXPECT_TRUE(walk().isEmpty());
    source.setRangeEndCount(2);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2}));
    source.setRangeEndCount(5);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2, 3}));
}

TEST_P(DbRangeWalk, CurrentBoundsWalkFromOrToTheCurrentRowAndReturnToIt)
{
    openQuery(10);
    source.setRangeBegin(engine::rbCurrent);
    startOnRow(4);
    EXPECT_EQ(walk(), (QList<qsizetype>{4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(currentRow(), 4);

    source.setRangeBegin(engine::rbFirst);
    source.setRangeEnd(engine::reCurrent);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2, 3, 4}));
    EXPECT_EQ(currentRow(), 4);

    source.setRangeBegin(engine::rbCurrent);
    EXPECT_EQ(walk(), (QList<qsizetype>{4}));
    EXPECT_EQ(currentRow(), 4);

    source.setRangeEnd(engine::reCount);
    source.setRangeEndCount(3);
    EXPECT_EQ(walk(), (QList<qsizetype>{4, 5, 6}));
    EXPECT_EQ(currentRow(), 4);
}

TEST_P(DbRangeWalk, CurrentBoundsOnTheLastRowAndOnAnEmptyTable)
{
    openQuery(5);
    startOnRow(5);
    source.setRangeBegin(engine::rbCurrent);
    EXPECT_EQ(walk(), (QList<qsizetype>{5}));
    source.setRangeBegin(engine::rbFirst);
    source.setRangeEnd(engine::reCurrent);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2, 3, 4, 5}));
    EXPECT_EQ(currentRow(), 5);

    query->setSql(QStringLiteral("Select * from info where 1 = 0"));
    query->close();
    query->open();
    EXPECT_TRUE(walk().isEmpty());
}

TEST_P(DbRangeWalk, ClosedQueryIsOpenedForTheWalkAndClosedWhenAsked)
{
    openQuery(2);
    query->close();
    source.setCloseDataSource(true);
    EXPECT_EQ(walk(), (QList<qsizetype>{1, 2}));
    EXPECT_FALSE(query->isActive());
}

TEST_P(DbRangeWalk, FieldsReadAsReportValuesWithNullTest)
{
    openQuery(2);
    query->first();
    const int id = recordSet->fieldIndex(u"id");
    ASSERT_GE(id, 0);
    EXPECT_EQ(recordSet->fieldType(id), engine::TqxFieldType::Integer);
    EXPECT_EQ(recordSet->fieldValue(id), script::Variant(1));
    EXPECT_EQ(recordSet->fieldIndex(u"NoSuchField"), -1);

    query->edit();
    query->fieldByName(QStringLiteral("Name")).setValue(QVariant());
    query->post();
    const int name = recordSet->fieldIndex(u"Name");
    EXPECT_TRUE(recordSet->fieldIsNull(name));
    EXPECT_TRUE(recordSet->fieldValue(name).isNull());

    recordSet->next();
    EXPECT_FALSE(recordSet->fieldIsNull(name));
    EXPECT_EQ(recordSet->fieldValue(name).toString(),
              query->fieldByName(QStringLiteral("Name")).asString());
}

TEST_P(DbRangeWalk, ADestroyedQueryReadsAsAClosedSet)
{
    openQuery(1);
    query.reset();
    EXPECT_FALSE(recordSet->isActive());
    EXPECT_TRUE(recordSet->eof());
    EXPECT_EQ(recordSet->fieldIndex(u"ID"), -1);
    EXPECT_ANY_THROW(recordSet->first());
}

INSTANTIATE_TEST_SUITE_P(Backends, DbRangeWalk,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
