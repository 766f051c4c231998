#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"
#include "tests/support/Fixtures.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

class SpreadsheetImport : public test::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (IsSkipped())
            return;
        query = openBrowse();
    }

    /// Rows of tab-separated cells, the first being the header.
    static import::SheetData sheetOf(const QStringList &lines)
    {
        import::SheetData::Builder builder;
        for (int row = 0; row < lines.size(); ++row) {
            const QStringList cells = lines[row].split(u'\t');
            for (int column = 0; column < cells.size(); ++column)
                builder.set(row + 1, column + 1, cells[column]);
        }
        return builder.build();
    }

    qsizetype importLines(const QStringList &lines)
    {
        return importWith(lines, import::DuplicateRows::Add).added;
    }

    /// Imports @p lines, answering @p duplicates; @p duplicateRows receives the count found.
    tovren::import::ImportSummary importWith(const QStringList &lines,
                                             import::DuplicateRows duplicates,
                                             qsizetype *duplicateRows = nullptr)
    {
        const import::SheetData sheet = sheetOf(lines);
        const auto countYield = [this] { ++yields; };
        import::SpreadsheetImport importer(*query, sheet, QStringLiteral("名单.xlsx"), countYield);
        if (duplicateRows)
            *duplicateRows = importer.duplicateRows();
        return importer.run(duplicates);
    }

    /// A cell of the grid's record with key @p id, wherever the snapshot holds it.
    QString ofRecord(qlonglong id, const char *column)
    {
        const int key = query->fieldByName(QStringLiteral("ID")).index();
        for (qsizetype row = 0; row < query->recordCount(); ++row) {
            if (query->cellValue(row, key).toLongLong() == id)
                return at(row, column);
        }
        return QStringLiteral("<missing>");
    }

    void addGraduate(const char *studentNumber, const char *cardNumber, const char *name,
                     const char *sex)
    {
        query->append();
        query->fieldByName(QStringLiteral("StudID")).setAsString(QString::fromUtf8(studentNumber));
        query->fieldByName(QStringLiteral("CardID")).setAsString(QString::fromUtf8(cardNumber));
        query->fieldByName(QStringLiteral("Name")).setAsString(QString::fromUtf8(name));
        query->fieldByName(QStringLiteral("Sex")).setAsString(QString::fromUtf8(sex));
        query->post();
    }

    QString at(qsizetype row, const char *column)
    {
        return query->cellText(row, query->fieldByName(QString::fromUtf8(column)).index());
    }

    std::unique_ptr<db::TDbQuery> query;
    int yields = 0;
};

TEST_P(SpreadsheetImport, MatchesHeadersIgnoringCaseAndIgnoresUnknownColumns)
{
    EXPECT_EQ(importLines({QStringLiteral("studid\tNAME\t备注\tSex"),
                           QStringLiteral("0601\t王𠀀明\t不导入\t男"),
                           QStringLiteral("0602\t李娜\tx\t女")}),
              2);
    EXPECT_EQ(yields, 2) << "the window gets to paint after every row";
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(at(0, "StudID"), QStringLiteral("0601"));
    EXPECT_EQ(at(0, "Name"), QStringLiteral("王𠀀明"));
    EXPECT_EQ(at(1, "Sex"), QStringLiteral("女"));
}

TEST_P(SpreadsheetImport, DerivesEmptyBirthPartsPaddedOnlyWhenBirthComesFirst)
{
    importLines({QStringLiteral("Birth\tBirthYear\tBirthMonth\tBirthDay"),
                 QStringLiteral("1988/3/5\t\t\t"),
                 QStringLiteral("1988-03-05\t\t3\t"),
                 QStringLiteral("\t\t\t"),
                 QStringLiteral("不详\t\t\t")});
    EXPECT_EQ(at(0, "BirthYear"), QStringLiteral("1988"));
    EXPECT_EQ(at(0, "BirthMonth"), QStringLiteral("03"));
    EXPECT_EQ(at(0, "BirthDay"), QStringLiteral("05"));
    EXPECT_EQ(at(1, "BirthMonth"), QStringLiteral("3")) << "a given part is stored as given";
    EXPECT_TRUE(query->cellValue(3, query->fieldByName(QStringLiteral("BirthDay")).index()).isNull())
        << "an unconvertible birth date leaves the part unset";
    EXPECT_EQ(storedCount(), 4) << "a blank row still becomes a record";

    importLines({QStringLiteral("BirthMonth\tBirth"), QStringLiteral("\t1990/1/2")});
    EXPECT_EQ(at(4, "BirthMonth"), QString()) << "Birth to the right is not seen yet";
}

TEST_P(SpreadsheetImport, HeaderOnlySheetAddsNothingAndUnknownHeadersAreRefused)
{
    EXPECT_EQ(importLines({QStringLiteral("Name\tSex")}), 0);
    try {
        importLines({QStringLiteral("班级\t名次"), QStringLiteral("一班\t1")});
        FAIL() << "a sheet whose headers name no field was imported";
    } catch (const db::EDatabaseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("名单.xlsx")))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("班级, 名次")))
            << error.message().toStdString();
    }
    EXPECT_EQ(storedCount(), 0);
}

TEST_P(SpreadsheetImport, RowsAlreadyStoredAreSkippedUpdatedOrAddedAsChosen)
{
    addGraduate("0601", "110105199001011234", "王明", "男");
    addGraduate("0602", "11010519900202567X", "李娜", "女");
    // Chinese column titles as headers; one unknown header and one data column without header.
    const QStringList sheet{
        QStringLiteral("学生学号\t身份证\t姓名\t备注\t\tsex"),
        QStringLiteral("0601\t\t王明明\t转学\t\t"),               // same StudID as 王明
        QStringLiteral("\t11010519900202567x\t李娜娜\t\t多余\t"), // same CardID as 李娜
        QStringLiteral("0604\t110105199003033333\t张三\t\t\t男"), // new
        QStringLiteral(" 0604 \t\t张三\t\t\t男"),                 // same as the row before
    };

    qsizetype duplicates = 0;
    import::ImportSummary summary = importWith(sheet, import::DuplicateRows::Skip, &duplicates);
    EXPECT_EQ(duplicates, 3);
    EXPECT_EQ(summary.added, 1);
    EXPECT_EQ(summary.skipped, 3);
    EXPECT_EQ(summary.text(), QStringLiteral("导入完成。增加新数据: 1\n跳过已有记录: 3\n"
                                             "以下列没有对应的字段, 没有导入: 备注, 第 5 列"));
    EXPECT_EQ(storedCount(), 3);
    EXPECT_EQ(storedText(QStringLiteral("Name"), 1), QStringLiteral("王明"));
    EXPECT_EQ(storedText(QStringLiteral("Sex"), 3), QStringLiteral("男"));

    summary = importWith(sheet, import::DuplicateRows::Update, &duplicates);
    EXPECT_EQ(duplicates, 4);
    EXPECT_EQ(summary.updated, 4);
    EXPECT_EQ(summary.added, 0);
    EXPECT_EQ(storedCount(), 3);
    EXPECT_EQ(ofRecord(1, "Name"), QStringLiteral("王明明")) << "the grid shows the update";
    EXPECT_EQ(ofRecord(1, "Sex"), QStringLiteral("男")) << "a blank cell keeps what was stored";
    EXPECT_EQ(storedText(QStringLiteral("Name"), 2), QStringLiteral("李娜娜"));
    EXPECT_EQ(storedText(QStringLiteral("StudID"), 2), QStringLiteral("0602"));

    summary = importWith(sheet, import::DuplicateRows::Add, &duplicates);
    EXPECT_EQ(summary.added, 4);
    EXPECT_EQ(storedCount(), 7);
    EXPECT_EQ(yields, 12);
}

TEST_P(SpreadsheetImport, RefusedRowNamesFileRowAndColumnAndEarlierRowsStay)
{
    try {
        importLines({QStringLiteral("Name\tID"), QStringLiteral("甲\t"), QStringLiteral("乙\tabc"),
                     QStringLiteral("丙\t")});
        FAIL() << "a non-numeric key was accepted";
    } catch (const db::EDatabaseError &error) {
        const QString message = error.message();
        EXPECT_TRUE(message.contains(QStringLiteral("名单.xlsx"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("第 3 行第 2 列"))) << message.toStdString();
    }
    EXPECT_EQ(storedCount(), 1);
    EXPECT_EQ(query->recordCount(), 1);
    EXPECT_EQ(query->state(), db::DataSetState::Browse);
    EXPECT_FALSE(query->controlsDisabled());
}

TEST_P(SpreadsheetImport, ImportsRealWorkbooksWithChineseText)
{
    TOVREN_REQUIRE_FIXTURES(dir);
    // The store learns the workbook's columns first, as an office would add them.
    for (const char *column : {"姓名", "性别", "年龄", "鞋码"})
        connection->addTextColumn(QStringLiteral("info"), QString::fromUtf8(column));
    query->close();
    query->open();
    const QString path = dir + QStringLiteral("/cn_merge_test.xlsx");
    const import::SheetData sheet = import::WorkbookReader::read(path);
    import::SpreadsheetImport importer(*query, sheet, path);
    EXPECT_EQ(importer.run(import::DuplicateRows::Add).added, 3);
    EXPECT_EQ(at(0, "姓名"), QStringLiteral("张三"));
    EXPECT_EQ(at(2, "鞋码"), QStringLiteral("43.22"));
}

INSTANTIATE_TEST_SUITE_P(Stores, SpreadsheetImport,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
