#include "app/cli/Command.h"
#include "tests/support/CommandRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tovren::cli;

namespace {

using tovren::test::CommandRun;

CommandRun run(const QStringList &arguments)
{
    return tovren::test::runCommand(arguments);
}

qlonglong countRows(const QString &path)
{
    qlonglong count = -1;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM info")) && query.next())
                count = query.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return count;
}

} // namespace

TEST(Dispatcher, HelpListsEveryCommandAndEachCommandHasItsOwn)
{
    const CommandRun overview = run({QStringLiteral("--help")});
    EXPECT_EQ(overview.code, 0);
    for (const Command &command : allCommands()) {
        EXPECT_TRUE(overview.out.contains(command.name)) << command.name.toStdString();
        const CommandRun help = run({command.name, QStringLiteral("--help")});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.contains(QStringLiteral("用法"))) << command.name.toStdString();
    }
}

TEST(Dispatcher, UnknownCommandsAndBadOptionsFailWithAMessage)
{
    const CommandRun unknown = run({QStringLiteral("frobnicate")});
    EXPECT_NE(unknown.code, 0);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("frobnicate")));

    const CommandRun missing = run({QStringLiteral("demo-data")});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("--count")));

    const CommandRun negative =
        run({QStringLiteral("demo-data"), QStringLiteral("--count"), QStringLiteral("-1")});
    EXPECT_NE(negative.code, 0);
}

TEST(DemoDataCommand, CountZeroMakesAnEmptyStoreAndCountNFillsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    const CommandRun empty = run({QStringLiteral("demo-data"), QStringLiteral("--count"),
                                  QStringLiteral("0"), QStringLiteral("--database"), path});
    ASSERT_EQ(empty.code, 0) << empty.err.toStdString();
    EXPECT_EQ(countRows(path), 0);

    const CommandRun filled = run({QStringLiteral("demo-data"), QStringLiteral("--count=25"),
                                   QStringLiteral("--database"), path});
    ASSERT_EQ(filled.code, 0) << filled.err.toStdString();
    EXPECT_EQ(countRows(path), 25);
}

TEST(DemoDataCommand, UnreachableStoreFailsWithoutCreatingAnything)
{
    QTemporaryDir dir;
    const CommandRun failed =
        run({QStringLiteral("demo-data"), QStringLiteral("--count"), QStringLiteral("3"),
             QStringLiteral("--database"), dir.filePath(QStringLiteral("no/such/dir.db"))});
    EXPECT_NE(failed.code, 0);
    EXPECT_FALSE(failed.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("no"))));
}

TEST(MigrateCommand, RefusesFilesWithoutInfoAndTablesOfOtherKindsWithoutMakingAStore)
{
    const QString fixtures = qEnvironmentVariable("TOVREN_FIXTURES_DIR");
    if (!QDir(fixtures).exists())
        GTEST_SKIP() << "real fixture folder not found; skipping";
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("m.db"));
    const QString mdb = fixtures + QStringLiteral("/cn_grades_jet3_gbk_mislabeled_cp1252.mdb");

    const CommandRun refused =
        run({QStringLiteral("migrate"), mdb, QStringLiteral("--database"), store});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("info")));

    // A table of some other kind is refused, and the store it would have gone into is not made.
    const CommandRun foreign =
        run({QStringLiteral("migrate"), mdb, QStringLiteral("--database"), store,
             QStringLiteral("--table"), QStringLiteral("学生信息表")});
    EXPECT_NE(foreign.code, 0);
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("表 学生信息表 不是毕业生信息表")))
        << foreign.err.toStdString();
    EXPECT_TRUE(foreign.err.contains(QStringLiteral("StudID")));
    EXPECT_FALSE(QFileInfo::exists(store));

    const CommandRun listed = run({QStringLiteral("migrate"), QStringLiteral("--list"), mdb});
    EXPECT_TRUE(listed.out.contains(QStringLiteral("学生成绩表")));
}

TEST(ImportCommand, ImportsShowsAndRefusesBadFiles)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("a.csv"));
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("NAME,Sex\n甲,男\n乙,女\n");
    }
    const QString store = dir.filePath(QStringLiteral("s.db"));
    const CommandRun shown = run({QStringLiteral("import"), QStringLiteral("--show"), csv});
    EXPECT_EQ(shown.out, QStringLiteral("NAME\tSex\n甲\t男\n乙\t女\n"));
    EXPECT_FALSE(QFileInfo::exists(store));

    // A mistyped store is refused, as by every command, instead of made and filled.
    const CommandRun typo =
        run({QStringLiteral("import"), csv, QStringLiteral("--database"), store});
    EXPECT_NE(typo.code, 0);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("找不到数据库"))) << typo.err.toStdString();
    EXPECT_TRUE(typo.err.contains(store)) << typo.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(store));
    ASSERT_EQ(run({QStringLiteral("demo-data"), QStringLiteral("--count"), QStringLiteral("0"),
                   QStringLiteral("--database"), store})
                  .code,
              0);

    const CommandRun imported =
        run({QStringLiteral("import"), csv, QStringLiteral("--database"), store});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out.trimmed(), QStringLiteral("导入完成。增加新数据: 2"));
    EXPECT_EQ(countRows(store), 2);

    const CommandRun missing =
        run({QStringLiteral("import"), dir.filePath(QStringLiteral("no.xlsx")),
             QStringLiteral("--database"), store});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no.xlsx")));
    EXPECT_EQ(countRows(store), 2);
}
