#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"
#include "tests/support/StoreFixture.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tovren;
using db::EDatabaseError;
using db::TDbQuery;

using QueryNavigation = test::StoreTest;

TEST_P(QueryNavigation, RecordCountIsExactRightAfterOpening)
{
    addGraduates(37);
    const auto query = openBrowse();
    EXPECT_EQ(query->recordCount(), 37);
    EXPECT_EQ(query->recordCount(), storedCount());
}

TEST_P(QueryNavigation, WalksForwardAndBackWithEndTests)
{
    addGraduates(3);
    const auto query = openBrowse(QStringLiteral("Select * from info order by %1")
                                      .arg(connection->quoteIdentifier(QStringLiteral("ID"))));
    QStringList ids;
    for (query->first(); !query->eof(); query->next())
        ids << query->fieldByName(QStringLiteral("ID")).asString();
    EXPECT_EQ(ids, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(query->recNo(), 2) << "eof stays on the last record";

    query->prior();
    EXPECT_EQ(query->recNo(), 1);
    EXPECT_FALSE(query->eof());
    query->prior();
    query->prior();
    EXPECT_TRUE(query->bof());
    EXPECT_EQ(query->recNo(), 0);
    query->last();
    EXPECT_TRUE(query->eof());
    EXPECT_EQ(query->recNo(), 2);
}

TEST_P(QueryNavigation, EmptyResultIsAtBothEnds)
{
    const auto query = openBrowse();
    EXPECT_TRUE(query->isEmpty());
    EXPECT_TRUE(query->eof());
    EXPECT_TRUE(query->bof());
    EXPECT_EQ(query->recNo(), -1);
    EXPECT_THROW(query->fieldByName(QStringLiteral("Name")).asString(), EDatabaseError);
}

TEST_P(QueryNavigation, BookmarksReturnToTheirRecord)
{
    addGraduates(10);
    const auto query = openBrowse();
    query->moveTo(6);
    const QString name = query->fieldByName(QStringLiteral("Name")).asString();
    const TDbQuery::Bookmark mark = query->bookmark();
    query->first();
    query->gotoBookmark(mark);
    EXPECT_EQ(query->fieldByName(QStringLiteral("Name")).asString(), name);
    query->freeBookmark(mark);
    EXPECT_THROW(query->gotoBookmark(99), EDatabaseError);
    EXPECT_THROW(query->moveTo(-1), EDatabaseError);
}

TEST_P(QueryNavigation, FieldsByIndexAndNameWithLabels)
{
    addGraduates(1);
    const auto query = openBrowse();
    EXPECT_EQ(query->field(3).fieldName(), QStringLiteral("Name"));
    EXPECT_EQ(&query->fieldByName(QStringLiteral("name")), &query->field(3))
        << "names are found ignoring case";
    EXPECT_THROW(query->fieldByName(QStringLiteral("Nope")), EDatabaseError);
    EXPECT_THROW(query->field(99), EDatabaseError);
    EXPECT_EQ(query->field(3).displayLabel(), QStringLiteral("Name"));
    query->field(3).setDisplayLabel(QStringLiteral("姓名"));
    EXPECT_EQ(query->field(3).displayLabel(), QStringLiteral("姓名"));
    EXPECT_EQ(query->field(3).dataType(), db::FieldType::String);
    EXPECT_FALSE(query->field(3).isNull());
    EXPECT_TRUE(query->fieldByName(QStringLiteral("Other")).isNull());
    EXPECT_EQ(query->fieldByName(QStringLiteral("Other")).asString(), QString());
}

TEST_P(QueryNavigation, AfterOpenHookRunsOnEveryOpeningUntilRemoved)
{
    addGraduates(2);
    auto query = std::make_unique<TDbQuery>(*connection);
    query->setSql(QStringLiteral("Select * from info"));
    int calls = 0;
    query->setAfterOpen([&](TDbQuery &opened) {
        ++calls;
        db::InfoTable::applyDisplayLabels(opened);
    });
    query->open();
    query->open(); // already open: no second opening
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(query->fieldByName(QStringLiteral("CardID")).displayLabel(), QStringLiteral("身份证"));
    EXPECT_EQ(query->fieldByName(QStringLiteral("ID")).displayLabel(), QStringLiteral("编号"));

    query->close();
    query->setAfterOpen({});
    query->open();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(query->fieldByName(QStringLiteral("CardID")).displayLabel(), QStringLiteral("CardID"));
}

TEST_P(QueryNavigation, LabelsMatchFieldNamesExactly)
{
    addGraduates(1);
    const QString name = connection->quoteIdentifier(QStringLiteral("Name"));
    const auto query = openBrowse(QStringLiteral("Select %1 as name, %1 as %2, %1 from info")
                                      .arg(name, connection->quoteIdentifier(QStringLiteral("Sex"))));
    db::InfoTable::applyDisplayLabels(*query);
    EXPECT_EQ(query->field(0).displayLabel(), QStringLiteral("name"));
    EXPECT_EQ(query->field(1).displayLabel(), QStringLiteral("性别"));
    EXPECT_EQ(query->field(2).displayLabel(), QStringLiteral("姓名"));
}

TEST_P(QueryNavigation, StatementsThatReturnNoRowsCannotBeOpened)
{
    addGraduates(2);
    TDbQuery query(*connection);
    query.setSql(QStringLiteral("DELETE FROM info"));
    EXPECT_THROW(query.open(), EDatabaseError);
    EXPECT_FALSE(query.isActive());
    query.setSql(QStringLiteral("Selec * from info"));
    EXPECT_THROW(query.open(), EDatabaseError);
    EXPECT_FALSE(query.isActive());
    query.clearSql();
    EXPECT_THROW(query.open(), EDatabaseError);
    query.addSqlLine(QStringLiteral("Select *"));
    query.addSqlLine(QStringLiteral("from info"));
    query.open();
    EXPECT_TRUE(query.isActive());
}

TEST_P(QueryNavigation, SuspendedNotificationsResumeWithOneReset)
{
    addGraduates(5);
    const auto query = openBrowse();
    QSignalSpy resets(query.get(), &TDbQuery::resultReset);
    QSignalSpy moves(query.get(), &TDbQuery::currentChanged);
    query->disableControls();
    query->disableControls();
    for (query->first(); !query->eof(); query->next()) {
    }
    query->enableControls();
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(resets.count(), 0);
    query->enableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.last().at(0).value<qsizetype>(), 4);
}

INSTANTIATE_TEST_SUITE_P(Stores, QueryNavigation,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
