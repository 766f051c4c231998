#include "app/migration/InfoMigration.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/migration/JetDatabase.h"
#include "tests/support/Fixtures.h"
#include "tests/support/StoreFixture.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovren;
using migration::LegacySource;

namespace {

/// A real old table seen under other column names, so real files can play a graduate table.
class RenamedSource : public LegacySource
{
public:
    RenamedSource(const LegacySource &source, QHash<QString, QString> names)
        : m_source(source)
        , m_names(std::move(names))
    {}
    QStringList tableNames() const override { return m_source.tableNames(); }
    QList<Column> columns(const QString &table) const override
    {
        QList<Column> columns = m_source.columns(table);
        for (Column &column : columns)
            column.name = m_names.value(column.name, column.name);
        return columns;
    }
    qsizetype readRows(const QString &table, const RowVisitor &visit) const override
    {
        return m_source.readRows(table, visit);
    }

private:
    const LegacySource &m_source;
    QHash<QString, QString> m_names;
};

/// An old table held in memory.
class TableSource : public LegacySource
{
public:
    TableSource(QString table, QList<Column> columns, QList<QVariantList> rows)
        : m_table(std::move(table))
        , m_columns(std::move(columns))
        , m_rows(std::move(rows))
    {}
    QStringList tableNames() const override { return {m_table}; }
    QList<Column> columns(const QString &) const override { return m_columns; }
    /// Makes reading break off, as a damaged file does, after @p rows rows.
    void failAfter(qsizetype rows) { m_failAfter = rows; }
    qsizetype readRows(const QString &, const RowVisitor &visit) const override
    {
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            if (i == m_failAfter)
                throw migration::EJetError(QStringLiteral("记录提前结束"));
            visit(m_rows[i]);
        }
        return m_rows.size();
    }

private:
    qsizetype m_failAfter = -1;
    QString m_table;
    QList<Column> m_columns;
    QList<QVariantList> m_rows;
};

} // namespace

using InfoMigration = test::StoreTest;

TEST_P(InfoMigration, RefusesATableThatIsNotTheGraduatesTable)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const migration::JetDatabase source(dir + QStringLiteral("/cn_studentinfo_jet3_cp936.mdb"));
    migration::InfoMigration copy(source, *connection);
    copy.setSourceTable(QStringLiteral("studentinfo"));
    try {
        copy.run();
        FAIL() << "a table without any column of info was copied";
    } catch (const db::EDatabaseError &error) {
        const QString message = error.message();
        EXPECT_TRUE(message.contains(QStringLiteral("表 studentinfo 不是毕业生信息表")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("StudID, CardID, Name, Sex")))
            << message.toStdString();
    }
    EXPECT_EQ(storedCount(), 0);
    EXPECT_EQ(connection->database().record(QStringLiteral("info")).count(), 33)
        << "no column was added";

    // The key alone does not make a graduate table: nearly every table has an ID.
    const migration::JetDatabase keyed(dir +
                                       QStringLiteral("/unicode_jet4_testUnicodeCompV2003.mdb"));
    migration::InfoMigration keyOnly(keyed, *connection);
    keyOnly.setSourceTable(QStringLiteral("Table"));
    EXPECT_THROW(keyOnly.run(), db::EDatabaseError);
    EXPECT_EQ(storedCount(), 0);
}

TEST_P(InfoMigration, InvalidDatesAreStoredEmptyAndReportedWithTheAddedColumns)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const migration::JetDatabase file(dir + QStringLiteral("/cn_studentinfo_jet4.mdb"));
    const RenamedSource source(file, {{QStringLiteral("学号"), QStringLiteral("StudID")},
                                      {QStringLiteral("姓名"), QStringLiteral("Name")},
                                      {QStringLiteral("出生日期"), QStringLiteral("Birth")}});
    migration::InfoMigration copy(source, *connection);
    copy.setSourceTable(QStringLiteral("studentinfo"));
    const migration::MigrationReport report = copy.run();
    EXPECT_EQ(report.copied, 19);
    EXPECT_EQ(storedCount(), 19);
    EXPECT_EQ(report.addedColumns, (QStringList{QStringLiteral("性别"), QStringLiteral("年级"),
                                                QStringLiteral("班级"), QStringLiteral("生源地")}));
    ASSERT_EQ(report.invalidDates.size(), 1u);
    const migration::InvalidDate &invalid = report.invalidDates.front();
    EXPECT_EQ(invalid.column, QStringLiteral("Birth"));
    EXPECT_EQ(invalid.text, QStringLiteral("1900-01-00"));
    EXPECT_EQ(storedCount(QStringLiteral("\"StudID\" = '07023' AND \"Birth\" IS NULL")), 1)
        << "the zero date is stored as no date";
    EXPECT_EQ(storedCount(QStringLiteral("\"Birth\" IS NOT NULL")), 18);
    EXPECT_EQ(storedText(QStringLiteral("Birth"), 1).size(), 10) << "real dates stay dates";

    const QString text = report.text(QStringLiteral("毕业信息.db"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("已从表 studentinfo 复制 19 行到 毕业信息.db")));
    EXPECT_TRUE(text.contains(QStringLiteral("4 列已作为文本列加入: 性别, 年级, 班级, 生源地")));
    EXPECT_TRUE(text.contains(QStringLiteral("第 %1 行, Birth: 1900-01-00").arg(invalid.row)))
        << text.toStdString();
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
        EXPECT_TRUE(error.message().contains(QStringLiteral("studentinfo"))) << "the tables it has";
    }
    EXPECT_EQ(storedCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Stores, InfoMigration,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);

TEST(InfoMigrationStore, FailedCopyLeavesNoNewStoreFileAndKeepsAnOldOne)
{
    using Kind = LegacySource::ColumnKind;
    const QList<LegacySource::Column> columns{{QStringLiteral("ID"), Kind::Integer},
                                              {QStringLiteral("Name"), Kind::Text},
                                              {QStringLiteral("Birth"), Kind::DateTime}};
    QList<QVariantList> rows;
    for (int row = 1; row <= 25; ++row)
        rows.append({row, QStringLiteral("甲%1").arg(row), QStringLiteral("2000-02-30")});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("新.db"));
    {
        // Two rows with the same key: the store refuses the second, after the file was made.
        QList<QVariantList> clash = rows.mid(0, 2);
        clash[1][0] = 1;
        const TableSource source(QStringLiteral("info"), columns, clash);
        db::TDbConnection target(db::ConnectionSpec::parse(path));
        migration::InfoMigration copy(source, target);
        EXPECT_THROW(copy.run(), db::EDatabaseError);
        EXPECT_FALSE(QFileInfo::exists(path)) << "the store the copy made is gone again";
    }
    {
        const TableSource source(QStringLiteral("info"), columns, rows);
        db::TDbConnection target(db::ConnectionSpec::parse(path));
        migration::InfoMigration copy(source, target);
        const migration::MigrationReport report = copy.run();
        EXPECT_EQ(report.invalidDates.size(), 25u);
        const QString text = report.text(QStringLiteral("新.db"), 20);
        EXPECT_TRUE(text.contains(QStringLiteral("以下 25 个日期无效")));
        EXPECT_TRUE(text.contains(QStringLiteral("第 20 行, Birth: 2000-02-30")));
        EXPECT_FALSE(text.contains(QStringLiteral("第 21 行")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("另有 5 个"))) << text.toStdString();
    }
    {
        // A store that was there before stays, unchanged, when a copy into it fails.
        TableSource damaged(QStringLiteral("info"), columns, rows);
        damaged.failAfter(3);
        db::TDbConnection target(db::ConnectionSpec::parse(path));
        migration::InfoMigration copy(damaged, target);
        EXPECT_THROW(copy.run(), migration::EJetError);
    }
    ASSERT_TRUE(QFileInfo::exists(path));
    db::TDbConnection check(db::ConnectionSpec::parse(path));
    check.open();
    QSqlQuery count(check.database());
    ASSERT_TRUE(count.exec(QStringLiteral("SELECT COUNT(*) FROM info")) && count.next());
    EXPECT_EQ(count.value(0).toInt(), 25);
}
