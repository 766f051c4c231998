#include "app/reportbridge/MainFormComponents.h"

#include "app/db/DbQuery.h"
#include "app/reportbridge/DbQueryRecordSet.h"
#include "report/engine/BandDataSource.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxDBDataSet.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;

class MainFormComponentsTest : public test::StoreTest
{
protected:
    void SetUp() override
    {
        test::StoreTest::SetUp();
        if (IsSkipped())
            return;
        addGraduates(4);
        query = std::make_unique<db::TDbQuery>(*connection);
        query->setSql(QStringLiteral("Select * from info"));
        query->open();
    }

    std::unique_ptr<db::TDbQuery> query;
    engine::TqxComponentRegistry registry;
};

TEST_P(MainFormComponentsTest, TheCertificateBandWalksTheGridsQueryByName)
{
    app::MainFormComponents components(*query, registry);
    const engine::TqxComponentLookup lookup(registry, &components.form());
    EXPECT_EQ(lookup.find(QStringLiteral("Aqy")), &components.aqy());
    EXPECT_EQ(lookup.find(QStringLiteral("Form1.DataSource1")), &components.dataSource());

    components.reportDataSet().setRangeEnd(engine::reCount);
    components.reportDataSet().setRangeEndCount(3);
    const engine::BandDataSource band =
        engine::BandDataSource::find(QStringLiteral("qxDBDataSet1"), lookup);
    ASSERT_EQ(band.source(), &components.reportDataSet());
    int records = 0;
    for (band.source()->First(); !band.source()->Eof(); band.source()->Next())
        ++records;
    band.source()->Release();
    EXPECT_EQ(records, 3);
    EXPECT_EQ(query->recNo(), 3) << "the grid sees where the walk stopped";
}

TEST_P(MainFormComponentsTest, TheFormLeavesTheRegistryWithTheComponents)
{
    {
        app::MainFormComponents components(*query, registry);
        EXPECT_NE(registry.findForm(u"form1"), nullptr);
    }
    EXPECT_EQ(registry.findForm(u"Form1"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Backends, MainFormComponentsTest,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
