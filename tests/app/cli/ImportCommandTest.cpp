#include "tests/support/CommandRunner.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tovren::test::CommandRun;
using tovren::test::runCommand;

namespace {

/// The first column of every row @p select gives on the store at @p path, joined by commas.
QString storedColumn(const QString &path, const QString &select)
{
    QStringList values;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(select)) {
                while (query.next())
                    values << query.value(0).toString();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return values.join(u',');
}

QString writeCsv(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    return path;
}

} // namespace

TEST(ImportCommand, RowsAlreadyStoredNeedAnAnswerAndTheSummaryNamesIgnoredColumns)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("s.db"));
    const QString first =
        writeCsv(dir, QStringLiteral("a.csv"), QStringLiteral("StudID,Name\n0601,甲\n0602,乙\n"));
    // import fills a store that exists; an empty one is made first
    ASSERT_EQ(runCommand({QStringLiteral("demo-data"), QStringLiteral("--count"),
                          QStringLiteral("0"), QStringLiteral("--database"), store})
                  .code,
              0);
    ASSERT_EQ(
        runCommand({QStringLiteral("import"), first, QStringLiteral("--database"), store}).code, 0);

    const QString again =
        writeCsv(dir, QStringLiteral("补录.csv"),
                 QStringLiteral("学生学号,姓名,备注\n0601,甲甲,转入\n0603,丙,\n"));
    const auto import = [&](const QString &duplicates) {
        QStringList arguments{QStringLiteral("import"), again, QStringLiteral("--database"), store};
        if (!duplicates.isEmpty())
            arguments << QStringLiteral("--duplicates") << duplicates;
        return runCommand(arguments);
    };
    const QString names = QStringLiteral("SELECT Name FROM info ORDER BY ID");

    const CommandRun refused = import({});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("补录.csv 中有 1 行")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--duplicates skip")));
    EXPECT_EQ(storedColumn(store, names), QStringLiteral("甲,乙")) << "nothing imported";

    const CommandRun wrong = import(QStringLiteral("merge"));
    EXPECT_NE(wrong.code, 0);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("merge")));

    const CommandRun skipped = import(QStringLiteral("skip"));
    ASSERT_EQ(skipped.code, 0) << skipped.err.toStdString();
    EXPECT_EQ(skipped.out, QStringLiteral("导入完成。增加新数据: 1\n跳过已有记录: 1\n"
                                          "以下列没有对应的字段, 没有导入: 备注\n"));
    EXPECT_EQ(storedColumn(store, names), QStringLiteral("甲,乙,丙"));

    const CommandRun updated = import(QStringLiteral("update"));
    ASSERT_EQ(updated.code, 0) << updated.err.toStdString();
    EXPECT_TRUE(
        updated.out.startsWith(QStringLiteral("导入完成。增加新数据: 0\n更新已有记录: 2\n")));
    EXPECT_EQ(storedColumn(store, names), QStringLiteral("甲甲,乙,丙"));

    ASSERT_EQ(import(QStringLiteral("add")).code, 0);
    EXPECT_EQ(storedColumn(store, names), QStringLiteral("甲甲,乙,丙,甲甲,丙"));
}

TEST(ImportCommand, ShowPrintsEachRowToItsOwnLastCell)
{
    QTemporaryDir dir;
    const QString ragged =
        writeCsv(dir, QStringLiteral("r.csv"), QStringLiteral("a,b,c\nd\n,,,e\n"));
    const CommandRun shown =
        runCommand({QStringLiteral("import"), QStringLiteral("--show"), ragged});
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.out, QStringLiteral("a\tb\tc\nd\n\t\t\te\n"));

    const CommandRun missing = runCommand({QStringLiteral("import"), QStringLiteral("--show"),
                                           dir.filePath(QStringLiteral("无.csv"))});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("文件不存在"))) << missing.err.toStdString();
}
