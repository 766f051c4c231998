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
        import::SpreadsheetImport importer(*query, [this] { ++yields; });
        return importer.run(sheetOf(lines), QStringLiteral("名单.xlsx"));
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
    EXPECT_THROW(importLines({QStringLiteral("姓名\t性别"), QStringLiteral("张三\t男")}), db::EDatabaseError);
    EXPECT_EQ(storedCount(), 0);
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
    import::SpreadsheetImport importer(*query);
    EXPECT_EQ(importer.run(import::WorkbookReader::read(path), path), 3);
    EXPECT_EQ(at(0, "姓名"), QStringLiteral("张三"));
    EXPECT_EQ(at(2, "鞋码"), QStringLiteral("43.22"));
}

INSTANTIATE_TEST_SUITE_P(Stores, SpreadsheetImport,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
