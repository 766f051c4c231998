#include "app/certificate/CertificateTemplate.h"
#include "app/cli/Command.h"
#include "app/cli/Commands.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "report/model/RecordStream.h"
#include "report/model/ReportFormData.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxPages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
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

/// The certificate template as the program ships it.
QByteArray certificateTemplate()
{
    return model::readReportFormData(app::certificateReportForm(), true).value_or(QByteArray());
}

/// The certificate template with an object of the add-in class @p className on page 1, placed
/// before the end marker: a template made where a chart or a gauge was available.
QByteArray certificateWithAddIn(const QByteArray &className)
{
    const QByteArray bytes = certificateTemplate();
    model::TqxPages pages;
    model::TemplateSettings settings;
    model::ReportInfo info;
    model::TemplateStream stream(pages, settings, info);
    EXPECT_EQ(stream.read(bytes), model::TemplateReadResult::Loaded);
    QBuffer infoBlock;
    infoBlock.open(QIODevice::WriteOnly);
    model::RecordWriter infoWriter(infoBlock);
    info.write(infoWriter);
    const qsizetype endMarker = bytes.size() - infoBlock.size() - 1;
    EXPECT_EQ(static_cast<quint8>(bytes.at(endMarker)), 252);

    QBuffer record;
    record.open(QIODevice::WriteOnly);
    model::RecordWriter writer(record);
    writer.writeByte(10);
    writer.writeStr(QString::fromLatin1(className));
    writer.writeByte(0);
    const qint64 endPosition = record.pos();
    writer.writeInt(0);
    writer.writeBytes("chart data");
    writer.patchInt(endPosition, static_cast<qint32>(endMarker + record.size()));
    return bytes.left(endMarker) + record.data() + bytes.mid(endMarker);
}

/// Whether @p text holds a control character other than the line feed.
bool holdsControlCharacters(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 && c != u'\n'; });
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
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }
    bool wroteAnOutput() const
    {
        return !QDir(dir.path()).entryList({"*.pdf", "*.qxp", "*.qx3"}, QDir::Files).isEmpty();
    }

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

TEST_F(BuildCommandTest, BuildsThatWouldMakeNothingUsableFailNamingTheFileAndWriteNothing)
{
    const QStringList outputs{"--pdf", file("out.pdf"), "--qxp", file("out.qxp")};
    const CommandRun noRecords = runCommand(
        QStringList{"build", "--database", store(), "--sql", "select * from info where 1=0"} +
        outputs);
    EXPECT_NE(noRecords.exitCode, 0);
    EXPECT_TRUE(noRecords.err.contains(QStringLiteral("没有记录"))) << noRecords.err.toStdString();
    EXPECT_FALSE(noRecords.out.contains(QStringLiteral("已生成")));

    // Cut in the middle of a record, empty, random bytes, a future version, no file at all.
    QByteArray random(600, '\0');
    for (qsizetype i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 256);
    random[0] = 25;
    QByteArray future = certificateTemplate();
    future[0] = 26;
    const QStringList templates{
        write("cut.qxf", certificateTemplate().left(3000)),
        write("empty.qxf", {}),
        write("random.qxf", random),
        write("future.qxf", future),
        file("missing.qxf"),
    };
    for (const QString &path : templates) {
        const CommandRun run =
            runCommand(QStringList{"build", "--database", store(), "--template", path} + outputs);
        EXPECT_NE(run.exitCode, 0) << path.toStdString();
        EXPECT_TRUE(run.err.contains(path)) << run.err.toStdString();
        EXPECT_FALSE(holdsControlCharacters(run.err)) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("已生成"))) << run.out.toStdString();
    }
    EXPECT_FALSE(wroteAnOutput());

    // A mistyped output folder is found before the build, not after every page is made.
    for (const QString &option : {QStringLiteral("--pdf"), QStringLiteral("--qxp")}) {
        const QString nowhere = file("nodir/out.") + option.mid(2);
        const CommandRun run = runCommand({"build", "--database", store(), option, nowhere});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(file("nodir"))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("不存在"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    for (const QStringList &command :
         {QStringList{"template-save", file("nodir/c.qxf")},
          QStringList{"template-xml", write("c.qxf", certificateTemplate()),
                      file("nodir/c.qx3")}}) {
        const CommandRun run = runCommand(command);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(QStringLiteral("不存在"))) << run.err.toStdString();
    }
}

TEST_F(BuildCommandTest, MissingAddInClassesAreNamedAndStopTheBuildUnlessIgnored)
{
    const QString chart = write("chart.qxf", certificateWithAddIn("TqxChart\x01\x1b[2J"));
    const CommandRun refused = runCommand(
        {"build", "--database", store(), "--template", chart, "--pdf", file("chart.pdf")});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("报表包含以下未接入的组件")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("TqxChart\\x01\\x1B[2J")))
        << refused.err.toStdString();
    EXPECT_FALSE(holdsControlCharacters(refused.err)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(chart)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--ignore-missing")));
    EXPECT_FALSE(QFile::exists(file("chart.pdf")));

    const CommandRun ignored = runCommand({"build", "--database", store(), "--template", chart,
                                           "--ignore-missing", "--pdf", file("chart.pdf")});
    ASSERT_EQ(ignored.exitCode, 0) << ignored.err.toStdString();
    EXPECT_TRUE(ignored.err.contains(QStringLiteral("报表包含以下未接入的组件")));
    EXPECT_TRUE(ignored.out.startsWith(QStringLiteral("已生成 5 页"))) << ignored.out.toStdString();
    EXPECT_TRUE(QFile::exists(file("chart.pdf")));
}

} // namespace

} // namespace tovren::cli
