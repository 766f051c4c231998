#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/migration/InfoMigration.h"
#include "app/migration/JetDatabase.h"
#include "tests/support/Fixtures.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

using InfoMigration = test::StoreTest;

TEST_P(InfoMigration, CopiesEveryRowAndKeepsColumnsTheStoreLacked)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const migration::JetDatabase source(dir + QStringLiteral("/cn_studentinfo_jet3_cp936.mdb"));
    migration::InfoMigration copy(source, *connection);
    copy.setSourceTable(QStringLiteral("studentinfo"));
    EXPECT_EQ(copy.run(), 24);
    EXPECT_EQ(storedCount(), 24);

    db::TDbQuery query(*connection);
    query.setSql(QStringLiteral("Select * from info"));
    query.open();
    ASSERT_NE(query.findField(QStringLiteral("姓名")), nullptr);
    EXPECT_EQ(query.fieldByName(QStringLiteral("姓名")).asString(), QStringLiteral("辛新"));
    EXPECT_EQ(query.fieldByName(QStringLiteral("学号")).asString(), QStringLiteral("06003"));

    // A second copy appends: the store numbers the new rows itself.
    EXPECT_EQ(copy.run(), 24);
    EXPECT_EQ(storedCount(), 48);
}

TEST_P(InfoMigration, MissingSourceTableChangesNothing)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    addGraduates(3);
    const migration::JetDatabase source(dir + QStringLiteral("/cn_studentinfo_jet4.mdb"));
    migration::InfoMigration copy(source, *connection);
    try {
        copy.run();
        FAIL() << "copied from a file without table info";
    } catch (const db::EDatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("info")));
    }
    EXPECT_EQ(storedCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Stores, InfoMigration,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
