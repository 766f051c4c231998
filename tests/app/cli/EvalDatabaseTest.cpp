#include "app/cli/Command.h"
#include "app/cli/Commands.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "tests/support/CommandRunner.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::cli {

namespace {

using tovren::test::CommandRun;

CommandRun run(const QStringList &arguments)
{
    return tovren::test::runCommand(arguments);
}

/// An SQLite store of two graduates and the name of the one with the smallest ID.
class GraduateStore
{
public:
    GraduateStore()
    {
        db::TDbConnection connection(db::ConnectionSpec::parse(path()));
        connection.open();
        demo::writeDemoGraduates(connection, 2, 7);
        QSqlQuery query(connection.database());
        query.exec(QStringLiteral("SELECT Name FROM info ORDER BY ID"));
        if (query.next())
            m_firstName = query.value(0).toString();
    }

    QString path() const { return m_dir.filePath(QStringLiteral("store.db")); }
    QString firstName() const { return m_firstName; }

private:
    QTemporaryDir m_dir;
    QString m_firstName;
};

} // namespace

TEST(EvalDatabaseTest, NamesFieldsOfTheFirstRecordInEveryForm)
{
    const GraduateStore store;
    ASSERT_FALSE(store.firstName().isEmpty());
    const CommandRun result =
        run({QStringLiteral("eval"), QStringLiteral("--database"), store.path(),
             QStringLiteral("--type"), QStringLiteral("Aqy.\"Name\""),
             QStringLiteral("[qxDBDataSet1.\"Name\"]"), QStringLiteral("Aqy.\"Name\" + '!'")});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    const QString name = store.firstName();
    EXPECT_EQ(result.out, name + QStringLiteral("\tString\n") + name +
                              QStringLiteral("\tString\n") + name + QStringLiteral("!\tString\n"));
}

TEST(EvalDatabaseTest, BadInputFailsWithAClearMessage)
{
    const GraduateStore store;
    const CommandRun unknown = run({QStringLiteral("eval"), QStringLiteral("--database"),
                                    store.path(), QStringLiteral("1"), QStringLiteral("Nobody")});
    EXPECT_NE(unknown.code, 0);
    EXPECT_EQ(unknown.out, QStringLiteral("1\n"));
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("符号没定义 \"NOBODY\"")))
        << unknown.err.toStdString();
    const CommandRun function =
        run({QStringLiteral("eval"), QStringLiteral("--database"), store.path(),
             QStringLiteral("LENGTH(Aqy.\"Name\") + NOSUCH(1)")});
    EXPECT_NE(function.code, 0);
    EXPECT_TRUE(function.err.contains(QStringLiteral("函数没定义 \"NOSUCH\"")))
        << function.err.toStdString();

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/store.db"));
    const CommandRun noStore =
        run({QStringLiteral("eval"), QStringLiteral("--database"), missing, QStringLiteral("1")});
    EXPECT_NE(noStore.code, 0);
    EXPECT_TRUE(noStore.err.contains(missing)) << noStore.err.toStdString();

    // A mistyped name in an existing folder must not make an empty store and read it.
    const QString typo = dir.filePath(QStringLiteral("stroe.db"));
    const CommandRun mistyped =
        run({QStringLiteral("eval"), QStringLiteral("--database"), typo, QStringLiteral("1")});
    EXPECT_NE(mistyped.code, 0);
    EXPECT_TRUE(mistyped.err.contains(QString::fromUtf8("找不到数据库")))
        << mistyped.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(typo));
}

} // namespace tovren::cli
