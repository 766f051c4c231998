#include "app/cli/Command.h"
#include "app/cli/Commands.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::cli {

namespace {

struct CommandRun
{
    int exitCode = 0;
    QString out;
    QString err;
};

CommandRun runCommand(const QStringList &arguments)
{
    CommandRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    CommandIo io{out, err};
    result.exitCode = dispatch(arguments, io);
    out.flush();
    err.flush();
    return result;
}

class BuildCommandTest : public ::testing::Test
{
protected:
    BuildCommandTest()
    {
        db::TDbConnection connection(db::ConnectionSpec::parse(store()));
        connection.open();
        demo::writeDemoGraduates(connection, 5, 7);
    }

    QString store() const { return dir.filePath(QStringLiteral("store.db")); }
    QString file(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(BuildCommandTest, BuildsOneCertificatePerRecordIntoQxpAndPdf)
{
    const CommandRun all = runCommand(
        {"build", "--database", store(), "--qxp", file("all.qxp"), "--pdf", file("all.pdf")});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_TRUE(all.out.startsWith(QStringLiteral("已生成 5 页, 用时 "))) << all.out.toStdString();
    QFile pdf(file("all.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    QFile qxp(file("all.qxp"));
    ASSERT_TRUE(qxp.open(QIODevice::ReadOnly));
    EXPECT_EQ(qxp.read(1).at(0), 25);

    const CommandRun two = runCommand({"build", "--database", store(), "--count", "2"});
    ASSERT_EQ(two.exitCode, 0) << two.err.toStdString();
    EXPECT_TRUE(two.out.startsWith(QStringLiteral("已生成 2 页"))) << two.out.toStdString();
}

TEST_F(BuildCommandTest, FailuresSayWhyAndWriteNoFile)
{
    const CommandRun missing =
        runCommand({"build", "--database", store(), "--template", file("none.qxf")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("none.qxf")));

    const CommandRun badSql = runCommand({"build", "--database", store(), "--sql",
                                          "Select * from nowhere", "--pdf", file("bad.pdf")});
    EXPECT_NE(badSql.exitCode, 0);
    EXPECT_FALSE(badSql.err.isEmpty());
    EXPECT_FALSE(QFile::exists(file("bad.pdf")));

    // The engine's own words come with what failed, in the program's language.
    EXPECT_TRUE(badSql.err.contains(QStringLiteral("查询"))) << badSql.err.toStdString();
    EXPECT_TRUE(badSql.err.contains(QStringLiteral("nowhere"))) << badSql.err.toStdString();

    const CommandRun negative = runCommand({"build", "--database", store(), "--count", "-1"});
    EXPECT_NE(negative.exitCode, 0);

    // A mistyped store is no empty office with one blank certificate.
    const CommandRun typo =
        runCommand({"build", "--database", file("stroe.db"), "--pdf", file("typo.pdf")});
    EXPECT_NE(typo.exitCode, 0);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("stroe.db"))) << typo.err.toStdString();
    EXPECT_FALSE(QFile::exists(file("stroe.db"))) << "no store is made where none was";
    EXPECT_FALSE(QFile::exists(file("typo.pdf")));

    // An output named without its option would silently go nowhere.
    const CommandRun stray = runCommand({"build", "--database", store(), file("out.pdf")});
    EXPECT_NE(stray.exitCode, 0);
    EXPECT_TRUE(stray.err.contains(QStringLiteral("out.pdf"))) << stray.err.toStdString();
    EXPECT_FALSE(QFile::exists(file("out.pdf")));
    const CommandRun unnamed = runCommand({"build", "--database", store(), "--pdf", ""});
    EXPECT_NE(unnamed.exitCode, 0);
    EXPECT_TRUE(unnamed.err.contains(QStringLiteral("--pdf"))) << unnamed.err.toStdString();
}

} // namespace

} // namespace tovren::cli
