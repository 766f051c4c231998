#include "app/certificate/SavedCertificate.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPages.h"
#include "tests/support/CommandRunner.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren {

namespace {

using test::runCommand;

class BatchCommandsTest : public ::testing::Test
{
protected:
    BatchCommandsTest()
    {
        db::TDbConnection connection(db::ConnectionSpec::parse(store()));
        connection.open();
        demo::writeDemoGraduates(connection, 5, 7);
    }

    QString store() const { return dir.filePath(QStringLiteral("store.db")); }
    QString file(const QString &name) const { return dir.filePath(name); }
    QStringList pdfsIn(const QString &folder) const
    {
        return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    }
    void execute(const QString &sql) const
    {
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("batch-test"));
            db.setDatabaseName(store());
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("batch-test"));
    }
    int pageCount(const QString &pdf) const
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        if (!info.waitForFinished(10000) || info.exitCode() != 0)
            return -1;
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        const qsizetype at = out.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : out.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
    }

    QTemporaryDir dir;
};

TEST_F(BatchCommandsTest, PdfEachWritesOneFilePerRecordNamedByItsExpression)
{
    execute(QStringLiteral("UPDATE info SET Name = '李/𠮷' WHERE rowid = 2"));
    const QString folder = file(QStringLiteral("每人一份"));
    const test::CommandRun named =
        runCommand({"build", "--database", store(), "--pdf-each", folder});
    ASSERT_EQ(named.code, 0) << named.err.toStdString();
    const QStringList files = pdfsIn(folder);
    ASSERT_EQ(files.size(), 5) << files.join(u' ').toStdString();
    EXPECT_TRUE(files.at(0).startsWith(QStringLiteral("2")) && files.at(0).contains(u'_'));
    // A slash cannot stand in a file name; the rare character can.
    EXPECT_TRUE(files.contains(QStringLiteral("%1_李_𠮷.pdf").arg(files.at(1).section(u'_', 0, 0))))
        << files.join(u' ').toStdString();
    EXPECT_EQ(pageCount(QDir(folder).filePath(files.at(0))), 1);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty())
        << "no staging folder is left behind";

    // Records that give the same name are numbered, not overwritten.
    const QString bySex = file(QStringLiteral("by-sex"));
    const test::CommandRun clashing = runCommand(
        {"build", "--database", store(), "--pdf-each", bySex, "--name", "[Aqy.\"Sex\"]"});
    ASSERT_EQ(clashing.code, 0) << clashing.err.toStdString();
    const QStringList numbered = pdfsIn(bySex);
    EXPECT_EQ(numbered.size(), 5);
    EXPECT_TRUE(numbered.contains(QStringLiteral("男.pdf")) ||
                numbered.contains(QStringLiteral("女.pdf")));
    EXPECT_TRUE(numbered.filter(QStringLiteral("_2.pdf")).size() >= 1);

    // --count takes the first records, as for the other outputs.
    const QString firstTwo = file(QStringLiteral("first-two"));
    const test::CommandRun counted =
        runCommand({"build", "--database", store(), "--count", "2", "--pdf-each", firstTwo});
    ASSERT_EQ(counted.code, 0) << counted.err.toStdString();
    EXPECT_EQ(pdfsIn(firstTwo).size(), 2);
}

TEST_F(BatchCommandsTest, ANameThatFailsOnARecordNamesItAndWritesNothing)
{
    const QString folder = file(QStringLiteral("out"));
    const test::CommandRun failed = runCommand(
        {"build", "--database", store(), "--pdf-each", folder, "--name", "[Aqy.\"NoSuchField\"]"});
    EXPECT_NE(failed.code, 0);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("第 1 条记录"))) << failed.err.toStdString();
    EXPECT_TRUE(pdfsIn(folder).isEmpty());
}

TEST_F(BatchCommandsTest, ValuesCutOffByTheirBoxAreListedAndStrictStopsTheBuild)
{
    const test::CommandRun fits = runCommand({"build", "--database", store()});
    ASSERT_EQ(fits.code, 0) << fits.err.toStdString();
    EXPECT_FALSE(fits.err.contains(QStringLiteral("警告"))) << fits.err.toStdString();

    execute(QStringLiteral("UPDATE info SET City = '长沙市' WHERE rowid = 3"));
    const test::CommandRun warned = runCommand({"build", "--database", store()});
    ASSERT_EQ(warned.code, 0) << warned.err.toStdString();
    EXPECT_EQ(warned.err.count(QStringLiteral("警告")), 1) << warned.err.toStdString();
    // The record by its number and the graduate as the page shows them, and the field.
    QString graduate;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("batch-read"));
        db.setDatabaseName(store());
        ASSERT_TRUE(db.open());
        QSqlQuery query(QStringLiteral("SELECT StudID, Name FROM info WHERE rowid = 3"), db);
        ASSERT_TRUE(query.next());
        graduate = query.value(0).toString() + u' ' + query.value(1).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("batch-read"));
    EXPECT_TRUE(warned.err.contains(
        QStringLiteral("警告: 第 3 条记录 %1, 市县 (Memo8): \"长沙市\" 超出了框的").arg(graduate)))
        << warned.err.toStdString();

    // The prepared file is written while the pages are checked; a refused check leaves the
    // file there before untouched and no part-written one beside it.
    {
        QFile earlier(file("x.qxp"));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
    const test::CommandRun strict = runCommand({"build", "--database", store(), "--strict", "--qxp",
                                                file("x.qxp"), "--pdf", file("x.pdf")});
    EXPECT_NE(strict.code, 0);
    EXPECT_FALSE(QFile::exists(file("x.pdf")));
    QFile earlier(file("x.qxp"));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), filesBefore);
}

TEST_F(BatchCommandsTest, SavedPreparedReportsExportAndPrintLater)
{
    ASSERT_EQ(runCommand({"build", "--database", store(), "--qxp", file("batch.qxp")}).code, 0);
    const test::CommandRun exported =
        runCommand({"export", file("batch.qxp"), "--pdf", file("batch.pdf")});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(pageCount(file("batch.pdf")), 5);

    // With no printer installed the virtual printer prints into a file.
    const test::CommandRun printed =
        runCommand({"print", file("batch.qxp"), "--printer", "已撤下的打印机", "--pages", "2-3",
                    "--to-file", file("printed.pdf")});
    ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.err.contains(QStringLiteral("已撤下的打印机")))
        << "falls back, and says so";
    EXPECT_EQ(pageCount(file("printed.pdf")), 2);

    const test::CommandRun broken =
        runCommand({"export", file("none.qxp"), "--pdf", file("n.pdf")});
    EXPECT_NE(broken.code, 0);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("none.qxp")));
}

} // namespace

} // namespace tovren

namespace tovren {

namespace {

struct WordPlace
{
    double xMinPt = 0, yMinPt = 0;
};

/// Where each word of the first page of @p pdf begins, by its text.
QHash<QString, WordPlace> wordPlaces(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"),
                                             QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QHash<QString, WordPlace> places;
    if (!text.waitForFinished(10000))
        return places;
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        places.insert(m.captured(3), {m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return places;
}

TEST_F(BatchCommandsTest, ACalibratedPrinterMovesEveryFieldByItsOffsetAndTheTemplateNotAtAll)
{
    ASSERT_EQ(runCommand({"build", "--database", store(), "--qxp", file("b.qxp")}).code, 0);
    QFile qxp(file("b.qxp"));
    ASSERT_TRUE(qxp.open(QIODevice::ReadOnly));
    const QByteArray prepared = qxp.readAll();
    qxp.close();

    ASSERT_EQ(runCommand({"print", file("b.qxp"), "--to-file", file("plain.pdf")}).code, 0);
    const test::CommandRun refused = runCommand({"calibrate", "--offset-x", "25"});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("20 毫米"))) << refused.err.toStdString();
    const test::CommandRun set = runCommand({"calibrate", "--offset-x", "3", "--offset-y", "-2"});
    ASSERT_EQ(set.code, 0) << set.err.toStdString();
    ASSERT_EQ(runCommand({"print", file("b.qxp"), "--to-file", file("moved.pdf")}).code, 0);
    runCommand({"calibrate", "--offset-x", "0", "--offset-y", "0"});

    const QHash<QString, WordPlace> plain = wordPlaces(file("plain.pdf"));
    const QHash<QString, WordPlace> moved = wordPlaces(file("moved.pdf"));
    if (plain.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    ASSERT_EQ(plain.size(), moved.size());
    constexpr double kPointsPerMm = 72 / 25.4;
    for (auto it = plain.cbegin(); it != plain.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        ASSERT_TRUE(moved.contains(it.key()));
        EXPECT_NEAR(moved[it.key()].xMinPt - it->xMinPt, 3 * kPointsPerMm, 0.1);
        EXPECT_NEAR(moved[it.key()].yMinPt - it->yMinPt, -2 * kPointsPerMm, 0.1);
    }
    ASSERT_TRUE(qxp.open(QIODevice::ReadOnly));
    EXPECT_EQ(qxp.readAll(), prepared) << "the prepared pages are not calibrated";
}

} // namespace

} // namespace tovren

namespace tovren {

namespace {

TEST_F(BatchCommandsTest, TheCertificateSavedFromTheDesignerIsReadAtTheNextStartUntilRestored)
{
    // The clerk moves the name 50 pixels right and saves the certificate beside the store.
    const QString saved = file(QStringLiteral("证书.qxf"));
    {
        engine::TqxComponentRegistry registry;
        engine::TqxReport report(QStringLiteral("qxReport1"), nullptr, registry);
        ASSERT_TRUE(app::loadBuiltInCertificate(report));
        model::TqxView *name = nullptr;
        model::TqxPage &page = *report.Pages().page(0);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            if (page.object(i)->Name == QStringLiteral("Memo3"))
                name = page.object(i);
        }
        ASSERT_NE(name, nullptr);
        name->Left += 50;
        ASSERT_TRUE(report.SaveTemplate(saved));
    }
    execute(QStringLiteral("UPDATE info SET Name = '王喆堃'"));

    const test::CommandRun withSaved =
        runCommand({"build", "--database", store(), "--pdf", file("saved.pdf")});
    ASSERT_EQ(withSaved.code, 0) << withSaved.err.toStdString();
    EXPECT_TRUE(withSaved.out.contains(QStringLiteral("使用保存的证书模板")));

    const test::CommandRun restored = runCommand({"template-restore", "--database", store()});
    ASSERT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_TRUE(QFile::exists(saved + QStringLiteral(".bak"))) << "the clerk's work is kept";
    const test::CommandRun builtIn =
        runCommand({"build", "--database", store(), "--pdf", file("built-in.pdf")});
    ASSERT_EQ(builtIn.code, 0) << builtIn.err.toStdString();
    EXPECT_FALSE(builtIn.out.contains(QStringLiteral("使用保存的证书模板")));

    const QHash<QString, WordPlace> moved = wordPlaces(file("saved.pdf"));
    const QHash<QString, WordPlace> original = wordPlaces(file("built-in.pdf"));
    if (original.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString name = QStringLiteral("王喆堃");
    ASSERT_TRUE(moved.contains(name) && original.contains(name));
    // 50 design pixels, give or take the rounding of both edges to the 600 dpi grid.
    EXPECT_NEAR(moved[name].xMinPt - original[name].xMinPt, 50 * 72 / 91.6256157635468, 0.25);
}

} // namespace

} // namespace tovren

namespace tovren {

namespace {

TEST_F(BatchCommandsTest, TheCalibrationPageShowsTheGridAndEveryFieldOfTheCertificate)
{
    const test::CommandRun page = runCommand(
        {"calibrate", "--page", "--database", store(), "--to-file", file("calibration.pdf")});
    ASSERT_EQ(page.code, 0) << page.err.toStdString();
    EXPECT_EQ(pageCount(file("calibration.pdf")), 1);
    const QHash<QString, WordPlace> words = wordPlaces(file("calibration.pdf"));
    if (words.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    for (int field = 1; field <= 35; ++field)
        EXPECT_TRUE(words.contains(QStringLiteral("Memo%1").arg(field))) << field;
    EXPECT_TRUE(words.contains(QStringLiteral("200"))) << "the 200 mm mark of the ruler";
}

} // namespace

} // namespace tovren
