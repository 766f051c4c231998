#include "report/engine/ComponentLookup.h"

#include "report/engine/BandDataSource.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/TqxDBDataSet.h"
#include "tests/report/engine/MemoryRecordSet.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tovren::engine;
using tovren::test::MemoryRecordSet;

namespace {

/// The main window's components as the application registers them, plus a data module with a
/// nested container for the three-part names.
class ComponentLookupTest : public ::testing::Test
{
protected:
    ComponentLookupTest()
    {
        registry.registerForm(mainForm);
        registry.registerForm(dataModule);
        link->setDataSet(aqy);
        reportSource->setDataSource(link);
    }

    TqxComponentLookup lookup() const { return TqxComponentLookup(registry, &mainForm); }

    TqxComponentRegistry registry;
    TqxComponent mainForm{QStringLiteral("Form1")};
    MemoryRecordSet *aqy = new MemoryRecordSet(4, QStringLiteral("Aqy"), &mainForm);
    TqxDataSource *link = new TqxDataSource(QStringLiteral("DataSource1"), &mainForm);
    TqxDBDataSet *reportSource = new TqxDBDataSet(QStringLiteral("qxDBDataSet1"), &mainForm);

    TqxComponent dataModule{QStringLiteral("Data")};
    TqxComponent *group = new TqxComponent(QStringLiteral("Group"), &dataModule);
    TqxUserDataset *nested = new TqxUserDataset(QStringLiteral("Counter"), group);
};

QString missingText(const TqxComponentLookup &lookup, const QString &name)
{
    try {
        lookup.find(name);
    } catch (const EClassNotFound &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST_F(ComponentLookupTest, FindsPlainQualifiedAndNestedNamesIgnoringCase)
{
    EXPECT_EQ(lookup().find(QStringLiteral("Aqy")), aqy);
    EXPECT_EQ(lookup().find(QStringLiteral("qxdbdataset1")), reportSource);
    EXPECT_EQ(lookup().find(QStringLiteral("Form1.DataSource1")), link);
    EXPECT_EQ(lookup().find(QStringLiteral("data.group.counter")), nested);
}

TEST_F(ComponentLookupTest, MissingLastPartIsNoComponentButABrokenPathIsAnError)
{
    EXPECT_EQ(lookup().find(QStringLiteral("Nothing")), nullptr);
    EXPECT_EQ(lookup().find(QStringLiteral("Form1.Nothing")), nullptr);
    EXPECT_EQ(lookup().find(QString()), nullptr);
    EXPECT_EQ(missingText(lookup(), QStringLiteral("NoForm.Aqy")),
              QStringLiteral("Missing NoForm.Aqy"));
    EXPECT_EQ(missingText(lookup(), QStringLiteral("Data.NoGroup.Counter")),
              QStringLiteral("Missing Data.NoGroup.Counter"));
    EXPECT_EQ(missingText(lookup(), QStringLiteral("A.B.C.D")), QStringLiteral("Missing A.B.C.D"));
    EXPECT_EQ(TqxComponentLookup(registry, nullptr).find(QStringLiteral("Aqy")), nullptr);
}

TEST_F(ComponentLookupTest, DestroyedFormsAndComponentsAreNoLongerFound)
{
    delete aqy;
    EXPECT_EQ(lookup().find(QStringLiteral("Aqy")), nullptr);
    EXPECT_EQ(link->dataSet(), nullptr);
    {
        TqxComponent temporary(QStringLiteral("Temp"));
        registry.registerForm(temporary);
    }
    EXPECT_EQ(registry.findForm(u"Temp"), nullptr);
}

TEST_F(ComponentLookupTest, BandCountTextMakesAnOwnedCountingSource)
{
    const BandDataSource twelve = BandDataSource::find(QStringLiteral("12"), lookup());
    ASSERT_TRUE(twelve);
    EXPECT_TRUE(twelve.ownsSource());
    QList<int> numbers;
    for (twelve.source()->First(); !twelve.source()->Eof(); twelve.source()->Next())
        numbers << twelve.source()->recordNo();
    EXPECT_EQ(numbers.size(), 12);
    EXPECT_EQ(numbers.front(), 0);
    EXPECT_EQ(numbers.back(), 11);
}

TEST_F(ComponentLookupTest, BandTextNamesAPreparedReportDataSource)
{
    const BandDataSource byName = BandDataSource::find(QStringLiteral("qxDBDataSet1"), lookup());
    EXPECT_EQ(byName.source(), reportSource);
    EXPECT_FALSE(byName.ownsSource());
    EXPECT_EQ(aqy->openCalls, 1) << "Prepare opened the data set";

    EXPECT_FALSE(BandDataSource::find(QStringLiteral("0"), lookup())) << "0 is a name, not a count";
    EXPECT_FALSE(BandDataSource::find(QString(), lookup()));
    EXPECT_THROW(BandDataSource::find(QStringLiteral("Aqy"), lookup()), EInvalidCast);
    EXPECT_THROW(BandDataSource::find(QStringLiteral("3x"), lookup()), EReportError);
}
