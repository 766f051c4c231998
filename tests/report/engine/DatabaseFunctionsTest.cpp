#include "report/engine/ComponentLookup.h"
#include "report/engine/DataFieldResolver.h"
#include "report/engine/ReportInfoNames.h"
#include "report/engine/TDatabaseFunctionLibrary.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "tests/report/engine/MemoryRecordSet.h"

#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::engine;
using script::Variant;
using test::MemoryRecordSet;

namespace {

/// FIELDISNULL evaluated through the parser, over a form holding a record set of three rows
/// whose NAME field is null on even rows.
class FieldIsNull : public ::testing::Test
{
protected:
    FieldIsNull()
    {
        registry.registerForm(form);
        link->setDataSet(rows);
        reportSource->setDataSet(rows);
        rows->open();
        rows->first();
        libraries.registerLibrary(std::make_unique<TDatabaseFunctionLibrary>(parser, fields));
        parser.setFunctionCallback(
            [this](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
                Variant value(QStringLiteral("0"));
                libraries.dispatch(name, p1, p2, p3, value);
                return value;
            });
    }

    bool isNull(const QString &fieldText) const
    {
        return parser.Evaluate(QStringLiteral("FIELDISNULL('%1')").arg(fieldText)).toBool();
    }

    TqxComponentRegistry registry;
    TqxComponent form{QStringLiteral("Form1")};
    MemoryRecordSet *rows = new MemoryRecordSet(3, QStringLiteral("Aqy"), &form);
    TqxDataSource *link = new TqxDataSource(QStringLiteral("DataSource1"), &form);
    TqxDBDataSet *reportSource = new TqxDBDataSet(QStringLiteral("qxDBDataSet1"), &form);
    ComponentFieldResolver fields{TqxComponentLookup(registry, &form)};
    script::TqxParser parser;
    script::TqxLibraryRegistry libraries;
};

} // namespace

TEST_F(FieldIsNull, AnswersForTheCurrentRecordThroughAnyKindOfSource)
{
    EXPECT_FALSE(isNull(QStringLiteral("Aqy.NAME")));
    EXPECT_FALSE(isNull(QStringLiteral("Aqy.\"N\"")));
    rows->next();
    EXPECT_TRUE(isNull(QStringLiteral("Aqy.\"Name\"")));
    EXPECT_TRUE(isNull(QStringLiteral("DataSource1.NAME")));
    EXPECT_TRUE(isNull(QStringLiteral("qxDBDataSet1.NAME")));
    EXPECT_TRUE(isNull(QStringLiteral("Form1.Aqy.NAME")));
    EXPECT_FALSE(isNull(QStringLiteral("Form1.Aqy.N")));
}

TEST_F(FieldIsNull, UnknownSourcesFieldsAndTextsCountAsNull)
{
    EXPECT_TRUE(isNull(QStringLiteral("Nothing.NAME")));
    EXPECT_TRUE(isNull(QStringLiteral("NoForm.Aqy.N")));
    EXPECT_TRUE(isNull(QStringLiteral("Aqy.NoField")));
    EXPECT_TRUE(isNull(QStringLiteral("Aqy")));
    EXPECT_TRUE(isNull(QStringLiteral(".N")));
    EXPECT_TRUE(isNull(QString()));
    EXPECT_TRUE(parser.Evaluate(u"FIELDISNULL()").toBool());
    rows->close();
    EXPECT_TRUE(isNull(QStringLiteral("Aqy.N"))) << "a closed set has no current record";
}

TEST(DataFieldName, SplitsAtTheDotBeforeTheFieldName)
{
    const auto parts = [](const char *text) {
        const auto name = DataFieldName::parse(QString::fromUtf8(text));
        return name ? name->source + u'|' + name->field : QStringLiteral("<none>");
    };
    EXPECT_EQ(parts("Aqy.\"StudID\""), QStringLiteral("Aqy|StudID"));
    EXPECT_EQ(parts("Form1.Aqy.Name"), QStringLiteral("Form1.Aqy|Name"));
    EXPECT_EQ(parts("Aqy.\"No. of pupils\""), QStringLiteral("Aqy|No. of pupils"));
    EXPECT_EQ(parts(" Aqy.姓名 "), QStringLiteral("Aqy|姓名"));
    EXPECT_EQ(parts("Aqy."), QStringLiteral("<none>"));
    EXPECT_EQ(parts("Aqy.\"\""), QStringLiteral("<none>"));
    EXPECT_EQ(parts("\""), QStringLiteral("<none>"));
}

namespace {

class FixedRunInfo : public TqxReportRunInfo
{
public:
    int pageIndex() const override { return 2; }
    int totalPageCount() const override { return 0; }
    double buildDate() const override { return 38504; }
    double buildTime() const override { return 0.5; }
    QString reportComment() const override { return QStringLiteral("comment"); }
    QString reportName() const override { return QStringLiteral("毕业证"); }
    QString reportAuthor() const override { return QStringLiteral("author"); }
    QString versionMajor() const override { return QStringLiteral("1"); }
    QString versionMinor() const override { return QStringLiteral("2"); }
    QString versionRelease() const override { return QStringLiteral("3"); }
    QString versionBuild() const override { return QStringLiteral("4"); }
    double createdAt() const override { return 38132.5; }
    double changedAt() const override { return 38504.25; }
};

} // namespace

TEST(ReportInfoNames, SystemNamesReadTheRunStateAndCompareExactly)
{
    const FixedRunInfo run;
    const ReportInfoNames names(run);
    const auto read = [&](const char *name) {
        Variant value(QStringLiteral("untouched"));
        names.resolve(QString::fromLatin1(name), value);
        return value;
    };
    EXPECT_EQ(read("PAGE#"), Variant(3));
    EXPECT_EQ(read("TOTALPAGES"), Variant(0));
    EXPECT_EQ(read("DATE"), Variant::fromDate(38504));
    EXPECT_EQ(read("TIME"), Variant::fromDate(0.5));
    EXPECT_EQ(read("REPORTNAME"), Variant(QStringLiteral("毕业证")));
    EXPECT_EQ(read("REPORTAUTOR"), Variant(QStringLiteral("author")));
    EXPECT_EQ(read("VBUILD"), Variant(QStringLiteral("4")));
    EXPECT_EQ(read("REPORTDATE"), Variant::fromDate(38132.5));
    EXPECT_EQ(read("REPORTLASTCHANGE"), Variant::fromDate(38504.25));
    EXPECT_EQ(read("Page#"), Variant(QStringLiteral("untouched")));
    EXPECT_EQ(read("LINE#"), Variant(QStringLiteral("untouched")));
}
