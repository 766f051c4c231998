#include "app/migration/IsolatedJetDatabase.h"

#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "app/migration/InfoMigration.h"
#include "app/migration/JetDatabase.h"
#include "tests/support/Fixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovren;
using migration::EJetError;
using migration::IsolatedJetDatabase;
using migration::JetReaderProgram;

namespace {

QList<QVariantList> readAll(const migration::LegacySource &source, const QString &table)
{
    QList<QVariantList> rows;
    source.readRows(table, [&](const QVariantList &values) { rows.append(values); });
    return rows;
}

/// Every graduate of the store as one text, read through a connection of its own.
QString storedGraduates(const QString &store)
{
    db::TDbConnection connection(db::ConnectionSpec::parse(store));
    connection.open();
    QSqlQuery query(connection.database());
    query.exec(QStringLiteral("SELECT ID, Name, StudID FROM info ORDER BY ID"));
    QString text;
    while (query.next())
        text += query.value(0).toString() + u'|' + query.value(1).toString() + u'|' +
                query.value(2).toString() + u'\n';
    return text;
}

} // namespace

TEST(IsolatedJetDatabase, ReadsRealFilesAsTheLibraryDoesInProcess)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    for (const char *name :
         {"cn_studentinfo_jet3_cp936.mdb", "cn_studentinfo_jet4.mdb",
          "cn_grades_jet3_gbk_mislabeled_cp1252.mdb", "unicode_jet4_testUnicodeCompV2003.mdb"}) {
        SCOPED_TRACE(name);
        const QString path = dir + u'/' + QLatin1String(name);
        const migration::JetDatabase direct(path);
        const IsolatedJetDatabase isolated(path);
        EXPECT_EQ(isolated.versionName(), direct.versionName());
        ASSERT_EQ(isolated.tableNames(), direct.tableNames());
        for (const QString &table : direct.tableNames()) {
            const auto columns = isolated.columns(table);
            ASSERT_EQ(columns.size(), direct.columns(table).size()) << table.toStdString();
            for (qsizetype i = 0; i < columns.size(); ++i) {
                EXPECT_EQ(columns[i].name, direct.columns(table)[i].name);
                EXPECT_EQ(columns[i].kind, direct.columns(table)[i].kind);
            }
            EXPECT_EQ(readAll(isolated, table), readAll(direct, table)) << table.toStdString();
        }
    }
    const QString mislabeled = dir + QStringLiteral("/cn_grades_jet3_gbk_mislabeled_cp1252.mdb");
    EXPECT_EQ(IsolatedJetDatabase(mislabeled, QStringLiteral("1252")).tableNames(),
              migration::JetDatabase(mislabeled, QStringLiteral("1252")).tableNames())
        << "the code page reaches the child";
    EXPECT_THROW(IsolatedJetDatabase(mislabeled).columns(QStringLiteral("none")), EJetError);
}

TEST(IsolatedJetDatabase, FilesTheLibraryRefusesKeepTheirReason)
{
    QTemporaryDir dir;
    const QString zeros = dir.filePath(QStringLiteral("zeros.mdb"));
    QFile file(zeros);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\0'));
    file.close();
    QString libraryReason;
    try {
        migration::JetDatabase database(zeros);
    } catch (const EJetError &error) {
        libraryReason = QString::fromUtf8(error.what());
    }
    ASSERT_FALSE(libraryReason.isEmpty()) << "a file of zeros is no database";
    try {
        IsolatedJetDatabase database(zeros);
        FAIL() << "a file of zeros is no database";
    } catch (const EJetError &error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), libraryReason);
    }
    EXPECT_THROW(IsolatedJetDatabase(dir.filePath(QStringLiteral("missing.mdb"))), EJetError);
}

TEST(IsolatedJetDatabase, FilesThatCrashOrHangTheLibraryEndInTheMessage)
{
    // Found by damaging copies of the real cn_studentinfo_jet3_cp936.mdb: the library dies of
    // a segmentation fault on one and loops for ever on the other while reading the catalog.
    // Each is cut to the pages its failure needs, the rest blanked, and kept compressed.
    QTemporaryDir dir;
    for (const char *seed : {"crash-reading-catalog", "hang-reading-catalog"}) {
        SCOPED_TRACE(seed);
        QFile compressed(QStringLiteral(TOVREN_TEST_SEEDS "/%1.mdb.qz").arg(QLatin1String(seed)));
        ASSERT_TRUE(compressed.open(QIODevice::ReadOnly));
        const QString path = dir.filePath(QStringLiteral("毕业信息.mdb"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(qUncompress(compressed.readAll()));
        file.close();
        JetReaderProgram reader = JetReaderProgram::thisProgram();
        reader.limits = isolation::ChildLimits::forInputSize(file.size());
        reader.limits->time = std::chrono::milliseconds(2000);
        try {
            IsolatedJetDatabase database(path, {}, reader);
            FAIL() << "the damaged file was read";
        } catch (const EJetError &error) {
            EXPECT_EQ(QString::fromUtf8(error.what()), IsolatedJetDatabase::damagedMessage(path));
        }
    }
}

/// The child's failures, each while the rows are read and the migration is under way.
class ReaderFailure : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile old(oldFile);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(8192, 'x'));
        old.close();
        db::TDbConnection connection(db::ConnectionSpec::parse(store));
        connection.open();
        demo::writeDemoGraduates(connection, 3, 7);
    }

    JetReaderProgram faultyReader() const
    {
        isolation::ChildLimits limits;
        limits.time = std::chrono::milliseconds(1500);
        limits.memoryBytes = 128ll << 20;
        limits.logBytes = 4096;
        return {QStringLiteral(TOVREN_FAULTY_READER), {QString::fromLatin1(GetParam())}, limits};
    }

    QTemporaryDir dir;
    QString oldFile = dir.filePath(QStringLiteral("毕业信息.mdb"));
    QString store = dir.filePath(QStringLiteral("store.db"));
};

TEST_P(ReaderFailure, EndsInTheDamagedFileMessageWithTheStoreUnchanged)
{
    const QString before = storedGraduates(store);
    ASSERT_FALSE(before.isEmpty());
    const QString log = IsolatedJetDatabase::logPath();
    QFile::remove(log);

    QElapsedTimer clock;
    clock.start();
    const IsolatedJetDatabase source(oldFile, {}, faultyReader());
    ASSERT_EQ(source.tableNames(), QStringList{QStringLiteral("info")});
    bool rowsReachedCaller = false;
    try {
        source.readRows(QStringLiteral("info"),
                        [&](const QVariantList &) { rowsReachedCaller = true; });
        FAIL() << "a failed child must not count as a read";
    } catch (const EJetError &error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("旧数据库文件已损坏或无法读取: 毕业信息.mdb"));
    }
    EXPECT_FALSE(rowsReachedCaller) << "rows written before the failure are not handed on";

    db::TDbConnection target(db::ConnectionSpec::parse(store));
    migration::InfoMigration migration(source, target);
    EXPECT_THROW(migration.run(), EJetError);
    target.close();
    EXPECT_EQ(storedGraduates(store), before);
    EXPECT_LT(clock.elapsed(), 10'000) << "the time limit ends a child that never ends";

    // The child's complaints are kept, within bounds, and not lost in the terminal.
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(log));
    EXPECT_LT(QFileInfo(log).size(), 16 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Failures, ReaderFailure,
                         ::testing::Values("crash", "hang", "memory", "flood"));
