#include "app/migration/JetDatabase.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tovren::migration::EJetError;
using tovren::migration::JetDatabase;

namespace {

QList<QVariantList> readAll(const JetDatabase &db, const QString &table)
{
    QList<QVariantList> rows;
    db.readRows(table, [&](const QVariantList &values) { rows.append(values); });
    return rows;
}

int columnIndex(const JetDatabase &db, const QString &table, const QString &name)
{
    const auto columns = db.columns(table);
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name == name)
            return i;
    return -1;
}

} // namespace

TEST(JetDatabase, ReadsJet3TextAsGbkWithTypesDatesAndLeadingZeros)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const JetDatabase db(dir + QStringLiteral("/cn_studentinfo_jet3_cp936.mdb"));
    EXPECT_TRUE(db.isJet3());
    const QStringList tables = db.tableNames();
    for (const char *name : {"studentinfo", "result", "courseinfo", "userinfo"})
        EXPECT_TRUE(tables.contains(QLatin1String(name))) << name;

    const auto columns = db.columns(QStringLiteral("studentinfo"));
    ASSERT_EQ(columns.size(), 7);
    EXPECT_EQ(columns[1].name, QStringLiteral("姓名"));
    EXPECT_EQ(columns[3].kind, JetDatabase::ColumnKind::DateTime);

    const auto rows = readAll(db, QStringLiteral("studentinfo"));
    ASSERT_EQ(rows.size(), 24);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("06003")) << "text keys keep leading zeros";
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("辛新"));
    EXPECT_EQ(rows[0][3].toString(), QStringLiteral("1990-03-05"));
    // A zero date is kept as the text the file gives rather than dropped or invented.
    bool sawZeroDate = false;
    for (const auto &row : rows)
        sawZeroDate |= row[0].toString() == u"07023" && !row[3].isNull();
    EXPECT_TRUE(sawZeroDate);

    const auto scores = readAll(db, QStringLiteral("result"));
    ASSERT_EQ(scores.size(), 10);
    const int score = columnIndex(db, QStringLiteral("result"), QStringLiteral("成绩"));
    ASSERT_GE(score, 0);
    EXPECT_EQ(scores[0][score].typeId(), QMetaType::LongLong);
}

TEST(JetDatabase, MislabeledJet3FileDecodesAsGbkUnlessToldOtherwise)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const QString path = dir + QStringLiteral("/cn_grades_jet3_gbk_mislabeled_cp1252.mdb");
    const JetDatabase gbk(path);
    EXPECT_TRUE(gbk.tableNames().contains(QStringLiteral("学生信息表")));
    const auto students = readAll(gbk, QStringLiteral("学生信息表"));
    ASSERT_EQ(students.size(), 7);
    EXPECT_EQ(readAll(gbk, QStringLiteral("学生成绩表")).size(), 16);
    const int score = columnIndex(gbk, QStringLiteral("学生成绩表"), QStringLiteral("成绩"));
    ASSERT_GE(score, 0);
    EXPECT_EQ(gbk.columns(QStringLiteral("学生成绩表"))[score].kind, JetDatabase::ColumnKind::Real);

    const JetDatabase western(path, QStringLiteral("1252"));
    EXPECT_FALSE(western.tableNames().contains(QStringLiteral("学生信息表")));
    EXPECT_EQ(western.tableNames().size(), gbk.tableNames().size());
}

TEST(JetDatabase, ReadsJet4UnicodeTextIncludingControlCharacters)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    const JetDatabase chinese(dir + QStringLiteral("/cn_studentinfo_jet4.mdb"));
    EXPECT_FALSE(chinese.isJet3());
    EXPECT_EQ(readAll(chinese, QStringLiteral("studentinfo")).size(), 19);

    const JetDatabase unicode(dir + QStringLiteral("/unicode_jet4_testUnicodeCompV2003.mdb"));
    const auto rows = readAll(unicode, QStringLiteral("Table"));
    ASSERT_EQ(rows.size(), 8);
    QString all;
    for (const auto &row : rows)
        all += row.last().toString() + u'|';
    EXPECT_TRUE(all.contains(QStringLiteral("漢字仮名交じり文")));
    EXPECT_TRUE(all.contains(QStringLiteral("¥")));
    EXPECT_TRUE(all.contains(u'\t'));
    EXPECT_TRUE(all.contains(u'\n'));
}

TEST(JetDatabase, MissingDamagedOrForeignFilesGiveClearErrors)
{
    QTemporaryDir temp;
    EXPECT_THROW(JetDatabase(temp.filePath(QStringLiteral("none.mdb"))), EJetError);

    const QString junk = temp.filePath(QStringLiteral("junk.mdb"));
    {
        QFile file(junk);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, '\x5a'));
    }
    try {
        JetDatabase db(junk);
        FAIL() << "junk opened as a Jet database";
    } catch (const EJetError &error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("junk.mdb")));
    }

    TOVREN_REQUIRE_FIXTURES(dir);
    // A file cut short, as after a failed copy, is refused without harm at any length.
    QFile whole(dir + QStringLiteral("/cn_studentinfo_jet4.mdb"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    for (const int length : {2048, 8192, 20000}) {
        const QString cut = temp.filePath(QStringLiteral("cut%1.mdb").arg(length));
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(length));
        file.close();
        EXPECT_THROW(JetDatabase{cut}, EJetError) << length;
    }

    const JetDatabase db(dir + QStringLiteral("/cn_studentinfo_jet4.mdb"));
    EXPECT_THROW(db.columns(QStringLiteral("info")), EJetError);
    EXPECT_THROW(db.readRows(QStringLiteral("info"), [](const QVariantList &) {}), EJetError);
}

TEST(JetDatabase, CodePageOptionsNameIconvCharsets)
{
    EXPECT_EQ(JetDatabase::charsetForCodePage({}), QStringLiteral("GB18030"));
    EXPECT_EQ(JetDatabase::charsetForCodePage(QStringLiteral("936")), QStringLiteral("GB18030"));
    EXPECT_EQ(JetDatabase::charsetForCodePage(QStringLiteral("1252")), QStringLiteral("CP1252"));
    EXPECT_EQ(JetDatabase::charsetForCodePage(QStringLiteral("950")), QStringLiteral("BIG5"));
    EXPECT_EQ(JetDatabase::charsetForCodePage(QStringLiteral("UTF-8")), QStringLiteral("UTF-8"));
}
