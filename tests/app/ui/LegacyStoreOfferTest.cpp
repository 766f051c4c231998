#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/ui/LegacyStoreOffer.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tovren;

class LegacyStoreOffer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile file(legacy);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\0'));
    }
    QTemporaryDir dir;
    QString legacy = dir.filePath(QStringLiteral("毕业信息.mdb"));
    QString store = dir.filePath(QStringLiteral("毕业信息.db"));
    test::ScriptedDialogs dialogs;
};

TEST_F(LegacyStoreOffer, DeclinedOfferCopiesNothing)
{
    db::TDbConnection connection(db::ConnectionSpec::parse(store));
    dialogs.answers = {platform::mrNo};
    EXPECT_FALSE(app::offerLegacyMigration(legacy, connection, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("毕业信息.mdb")));
    EXPECT_EQ(dialogs.messages[0].flags & platform::kMessageBoxButtonMask, platform::mb_YesNo);
    EXPECT_FALSE(QFile::exists(store));
}

TEST_F(LegacyStoreOffer, DamagedOldFileIsReportedNotThrown)
{
    db::TDbConnection connection(db::ConnectionSpec::parse(store));
    dialogs.answers = {platform::mrYes};
    EXPECT_FALSE(app::offerLegacyMigration(legacy, connection, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].flags & platform::kMessageBoxIconMask, platform::mb_IconError);
}

TEST_F(LegacyStoreOffer, FailedCopyLeavesNoStoreSoTheOfferComesAgain)
{
    TOVREN_REQUIRE_FIXTURES(fixtures);
    // A real old file whose tables are not the graduates' one.
    const QString withoutInfo = fixtures + QStringLiteral("/cn_studentinfo_jet4.mdb");
    const db::ConnectionSpec spec = db::ConnectionSpec::parse(store);
    ASSERT_TRUE(app::legacyMigrationDue(withoutInfo, spec));
    db::TDbConnection connection(spec);
    dialogs.answers = {platform::mrYes};
    EXPECT_FALSE(app::offerLegacyMigration(withoutInfo, connection, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("没有表 info")))
        << dialogs.messages[1].text.toStdString();
    EXPECT_FALSE(QFile::exists(store));
    EXPECT_TRUE(app::legacyMigrationDue(withoutInfo, spec));

    // The window then makes an empty store to work in; that still asks for the old records.
    connection.open();
    EXPECT_TRUE(app::legacyMigrationDue(withoutInfo, spec));
    EXPECT_EQ(connection.execute(QStringLiteral("INSERT INTO info (Name) VALUES ('甲')")), 1);
    EXPECT_FALSE(app::legacyMigrationDue(withoutInfo, spec)) << "a store in use is left alone";
    EXPECT_FALSE(app::legacyMigrationDue(
        dir.filePath(QStringLiteral("none.mdb")),
        db::ConnectionSpec::parse(dir.filePath(QStringLiteral("other.db")))));
}
