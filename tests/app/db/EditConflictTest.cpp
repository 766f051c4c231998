#include "app/db/EditConflict.h"

#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

namespace {

/// Two desks on one record: the other desk saved City and SchoolName first; this desk typed
/// City and Province and is refused.
class EditConflictTest : public test::StoreTest
{
protected:
    void SetUp() override
    {
        test::StoreTest::SetUp();
        if (IsSkipped())
            return;
        addGraduates(3);
        otherDesk = std::make_unique<db::TDbConnection>(connection->spec());
        otherDesk->open();
        mine = openBrowse();
        theirs = std::make_unique<db::TDbQuery>(*otherDesk);
        theirs->setSql(QStringLiteral("Select * from info"));
        theirs->open();
        mine->moveTo(1);
        theirs->moveTo(1);
        id = mine->fieldByName(QStringLiteral("ID")).value().toLongLong();
        provinceBefore = storedText(QStringLiteral("Province"), id);

        theirs->edit();
        theirs->fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("苏州市"));
        theirs->fieldByName(QStringLiteral("SchoolName")).setAsString(QStringLiteral("苏州中学"));
        theirs->post();
        mine->edit();
        mine->fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("无锡市"));
        mine->fieldByName(QStringLiteral("Province")).setAsString(QStringLiteral("江苏省"));
        try {
            mine->post();
        } catch (const db::ERecordConflict &refusal) {
            conflict.emplace(*mine, refusal);
        }
    }

    QString stored(const char *column) const { return storedText(QString::fromLatin1(column), id); }

    std::unique_ptr<db::TDbConnection> otherDesk;
    std::unique_ptr<db::TDbQuery> mine;
    std::unique_ptr<db::TDbQuery> theirs;
    qlonglong id = 0;
    QString provinceBefore;
    std::optional<db::EditConflict> conflict;
};

TEST_P(EditConflictTest, ListsTheFieldBothDesksChangedAndKeepsWhatWasTypedUntilTheClerkChooses)
{
    ASSERT_TRUE(conflict) << "the other desk's City was overwritten unseen";
    ASSERT_EQ(conflict->fields().size(), 1u) << "Province conflicts with nothing";
    const db::ConflictingField &city = conflict->fields().front();
    EXPECT_EQ(city.label, QStringLiteral("City"));
    EXPECT_EQ(city.theirs.toString(), QStringLiteral("苏州市"));
    EXPECT_EQ(city.mine.toString(), QStringLiteral("无锡市"));
    EXPECT_EQ(stored("City"), QStringLiteral("苏州市"));
    EXPECT_EQ(stored("Province"), provinceBefore) << "nothing is written before the choice";
    EXPECT_EQ(mine->fieldByName(QStringLiteral("Province")).asString(), QStringLiteral("江苏省"));
}

TEST_P(EditConflictTest, KeepingMineSavesEveryTypedValueOverTheOtherDesksAndKeepsTheirOthers)
{
    ASSERT_TRUE(conflict);
    conflict->keepMine();
    EXPECT_EQ(mine->state(), db::DataSetState::Browse);
    EXPECT_EQ(stored("City"), QStringLiteral("无锡市"));
    EXPECT_EQ(stored("Province"), QStringLiteral("江苏省"));
    EXPECT_EQ(stored("SchoolName"), QStringLiteral("苏州中学"));
}

TEST_P(EditConflictTest, TakingTheirsKeepsTheOtherDesksValuesAndStillSavesMyOtherChanges)
{
    ASSERT_TRUE(conflict);
    conflict->takeTheirs();
    EXPECT_EQ(mine->state(), db::DataSetState::Browse);
    EXPECT_EQ(stored("City"), QStringLiteral("苏州市"));
    EXPECT_EQ(stored("Province"), QStringLiteral("江苏省"));
    EXPECT_EQ(mine->fieldByName(QStringLiteral("City")).asString(), QStringLiteral("苏州市"));
}

TEST_P(EditConflictTest, AThirdDeskInBetweenIsRefusedAgainAndNothingTypedIsLost)
{
    ASSERT_TRUE(conflict);
    theirs->refresh();
    for (theirs->first(); theirs->fieldByName(QStringLiteral("ID")).value().toLongLong() != id;
         theirs->next())
        ASSERT_FALSE(theirs->eof());
    theirs->edit();
    theirs->fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("常州市"));
    theirs->post();
    try {
        conflict->keepMine();
        FAIL() << "the third save was overwritten unseen";
    } catch (const db::ERecordConflict &again) {
        const db::EditConflict second(*mine, again);
        ASSERT_EQ(second.fields().size(), 1u);
        EXPECT_EQ(second.fields().front().theirs.toString(), QStringLiteral("常州市"));
        EXPECT_EQ(second.fields().front().mine.toString(), QStringLiteral("无锡市"));
    }
    EXPECT_EQ(stored("City"), QStringLiteral("常州市"));
    EXPECT_EQ(mine->fieldByName(QStringLiteral("Province")).asString(), QStringLiteral("江苏省"));
}

INSTANTIATE_TEST_SUITE_P(Stores, EditConflictTest,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);

} // namespace
