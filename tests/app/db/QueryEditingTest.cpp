#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "tests/support/StoreFixture.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tovren;
using db::DataSetState;
using db::EDatabaseError;
using db::TDbQuery;

class QueryEditing : public test::StoreTest
{
protected:
    qlonglong currentId(TDbQuery &query)
    {
        return query.fieldByName(QStringLiteral("ID")).value().toLongLong();
    }
};

TEST_P(QueryEditing, AppendedRecordIsWrittenThroughAndGetsItsKey)
{
    addGraduates(2);
    const auto query = openBrowse();
    query->append();
    EXPECT_EQ(query->state(), DataSetState::Insert);
    query->fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("欧阳𠀀"));
    query->fieldByName(QStringLiteral("Birth")).setAsString(QStringLiteral("1988-03-05"));
    query->post();
    EXPECT_EQ(query->state(), DataSetState::Browse);
    EXPECT_EQ(query->recordCount(), 3);
    const qlonglong id = currentId(*query);
    EXPECT_GT(id, 2);
    EXPECT_EQ(storedText(QStringLiteral("Name"), id), QStringLiteral("欧阳𠀀"));
    EXPECT_EQ(storedCount(), 3);
}

TEST_P(QueryEditing, EditedFieldsAreWrittenAndOthersKept)
{
    addGraduates(3);
    const auto query = openBrowse();
    query->moveTo(1);
    const qlonglong id = currentId(*query);
    const QString cardId = query->fieldByName(QStringLiteral("CardID")).asString();
    query->edit();
    query->fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("苏州市"));
    EXPECT_EQ(query->cellText(1, query->fieldByName(QStringLiteral("City")).index()),
              QStringLiteral("苏州市"))
        << "the grid sees the edit buffer";
    EXPECT_EQ(storedText(QStringLiteral("City"), id) == QStringLiteral("苏州市"), false)
        << "nothing is written before the post";
    query->next(); // leaving the record posts it
    EXPECT_EQ(query->state(), DataSetState::Browse);
    EXPECT_EQ(storedText(QStringLiteral("City"), id), QStringLiteral("苏州市"));
    EXPECT_EQ(storedText(QStringLiteral("CardID"), id), cardId);
}

TEST_P(QueryEditing, CancelRestoresTheRecordAndDropsTheInsertedRow)
{
    addGraduates(2);
    const auto query = openBrowse();
    const QString before = query->fieldByName(QStringLiteral("Name")).asString();
    query->edit();
    query->fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("改"));
    query->cancel();
    EXPECT_EQ(query->fieldByName(QStringLiteral("Name")).asString(), before);

    query->insert();
    EXPECT_EQ(query->recordCount(), 3);
    query->cancel();
    EXPECT_EQ(query->recordCount(), 2);
    EXPECT_EQ(query->fieldByName(QStringLiteral("Name")).asString(), before);
    EXPECT_EQ(storedCount(), 2);
}

TEST_P(QueryEditing, DeleteRemovesFromTableAndSnapshot)
{
    addGraduates(3);
    const auto query = openBrowse();
    query->last();
    const qlonglong id = currentId(*query);
    query->deleteRecord();
    EXPECT_EQ(query->recordCount(), 2);
    EXPECT_EQ(query->recNo(), 1);
    EXPECT_EQ(storedCount(QStringLiteral("%1 = %2")
                              .arg(connection->quoteIdentifier(QStringLiteral("ID")))
                              .arg(id)),
              0);
}

TEST_P(QueryEditing, WritingOutsideEditModeOrAReadOnlyResultIsRefused)
{
    addGraduates(2);
    auto query = openBrowse();
    EXPECT_THROW(query->fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("x")),
                 EDatabaseError);

    const QString name = connection->quoteIdentifier(QStringLiteral("Name"));
    for (const QString &sql :
         {QStringLiteral("Select %1 from info").arg(name),
          QStringLiteral("Select count(*) as n from info"),
          QStringLiteral("Select a.* from info a join info b on a.%1 = b.%1").arg(name)}) {
        query = openBrowse(sql);
        EXPECT_FALSE(query->canModify()) << sql.toStdString();
        EXPECT_THROW(query->edit(), EDatabaseError) << sql.toStdString();
        EXPECT_THROW(query->append(), EDatabaseError) << sql.toStdString();
    }
    query = openBrowse(QStringLiteral("select * from info where %1 <> '' order by %1").arg(name));
    EXPECT_TRUE(query->canModify());
}

TEST_P(QueryEditing, FailedPostKeepsTheTypedValues)
{
    addGraduates(2);
    const auto query = openBrowse();
    const qlonglong id = currentId(*query);
    query->edit();
    query->fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("保留"));
    // Another desk deletes the record meanwhile.
    openConnection()->execute(QStringLiteral("DELETE FROM info WHERE %1 = %2")
                                  .arg(connection->quoteIdentifier(QStringLiteral("ID")))
                                  .arg(id));
    EXPECT_THROW(query->post(), EDatabaseError);
    EXPECT_EQ(query->state(), DataSetState::Edit);
    EXPECT_EQ(query->fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("保留"));
}

TEST_P(QueryEditing, ConversionErrorsNameTheFieldAndChangeNothing)
{
    const auto query = openBrowse(QStringLiteral("Select * from info"));
    query->append();
    EXPECT_THROW(query->fieldByName(QStringLiteral("ID")).setAsString(QStringLiteral("abc")),
                 EDatabaseError);
    query->fieldByName(QStringLiteral("ID")).setAsString(QStringLiteral("500"));
    query->post();
    EXPECT_EQ(currentId(*query), 500);
    EXPECT_EQ(storedText(QStringLiteral("ID"), 500), QStringLiteral("500"));
}

TEST_P(QueryEditing, LargeObjectsReadAsBytesInTheStoredCodePage)
{
    addGraduates(1);
    const auto query = openBrowse();
    query->edit();
    query->fieldByName(QStringLiteral("Other")).setAsString(QStringLiteral("毕业"));
    query->post();
    EXPECT_EQ(query->fieldByName(QStringLiteral("Other")).asBytes(),
              QByteArray("\xb1\xcf\xd2\xb5", 4));
}

TEST_P(QueryEditing, GridNotificationsFollowEveryChange)
{
    addGraduates(2);
    const auto query = openBrowse();
    QSignalSpy inserted(query.get(), &TDbQuery::rowInserted);
    QSignalSpy removed(query.get(), &TDbQuery::rowRemoved);
    QSignalSpy changed(query.get(), &TDbQuery::rowChanged);
    query->append();
    query->post();
    query->deleteRecord();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_GE(changed.count(), 1);
}

TEST_P(QueryEditing, TwoDesksOnOneRecordLoseNoChange)
{
    addGraduates(3);
    db::TDbConnection otherDesk(connection->spec());
    otherDesk.open();
    const auto mine = openBrowse();
    TDbQuery theirs(otherDesk);
    theirs.setSql(QStringLiteral("Select * from info"));
    theirs.open();
    mine->moveTo(1);
    theirs.moveTo(1);
    const qlonglong id = currentId(*mine);

    // Different fields of one record: both changes stay.
    theirs.edit();
    theirs.fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("苏州市"));
    theirs.post();
    mine->edit();
    mine->fieldByName(QStringLiteral("Province")).setAsString(QStringLiteral("江苏省"));
    mine->post();
    EXPECT_EQ(storedText(QStringLiteral("City"), id), QStringLiteral("苏州市"));
    EXPECT_EQ(storedText(QStringLiteral("Province"), id), QStringLiteral("江苏省"));

    // The same field: the later save is refused, naming both values, and keeps what was typed.
    theirs.edit();
    theirs.fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("王喆堃"));
    theirs.post();
    mine->edit();
    mine->fieldByName(QStringLiteral("Name")).setAsString(QStringLiteral("李𠮷"));
    try {
        mine->post();
        FAIL() << "the other desk's name was overwritten unseen";
    } catch (const db::ERecordConflict &conflict) {
        EXPECT_TRUE(conflict.message().contains(QStringLiteral("王喆堃")));
        EXPECT_TRUE(conflict.message().contains(QStringLiteral("李𠮷")));
    }
    EXPECT_EQ(storedText(QStringLiteral("Name"), id), QStringLiteral("王喆堃"));
    EXPECT_EQ(mine->state(), DataSetState::Edit);
    EXPECT_EQ(mine->fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("李𠮷"));
    mine->post(); // confirming again stores it knowingly
    EXPECT_EQ(storedText(QStringLiteral("Name"), id), QStringLiteral("李𠮷"));

    // A record changed since it was read is not deleted. (A server may return updated rows in
    // another order, so the record is found by its key.)
    theirs.refresh();
    for (theirs.first(); currentId(theirs) != id; theirs.next())
        ASSERT_FALSE(theirs.eof());
    mine->edit();
    mine->fieldByName(QStringLiteral("Sex")).setAsString(QStringLiteral("女"));
    mine->post();
    EXPECT_THROW(theirs.deleteRecord(), db::ERecordConflict);
    EXPECT_EQ(storedCount(), 3);
    theirs.deleteRecord(); // now it sees the record as it is
    EXPECT_EQ(storedCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Stores, QueryEditing,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
