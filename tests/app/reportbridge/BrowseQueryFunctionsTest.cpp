#include "app/db/DbQuery.h"
#include "app/reportbridge/DbQueryRecordSet.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/DataFieldResolver.h"
#include "report/engine/TDatabaseFunctionLibrary.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"
#include "tests/support/StoreFixture.h"

#include <gtest/gtest.h>

using namespace tovren;
using script::Variant;

/// Both libraries registered in their order, evaluating expressions over the main window's
/// components as the application registers them: the browse query Aqy on form MainForm.
class BrowseQueryFunctions : public test::StoreTest
{
protected:
    void SetUp() override
    {
        test::StoreTest::SetUp();
        if (IsSkipped())
            return;
        addGraduates(2);
        query = std::make_unique<db::TDbQuery>(*connection);
        query->setSql(QStringLiteral("Select * from info order by %1")
                          .arg(connection->quoteIdentifier(QStringLiteral("ID"))));
        query->open();
        new app::DbQueryRecordSet(*query, QStringLiteral("Aqy"), &form);
        registry.registerForm(form);
        libraries.registerLibrary(std::make_unique<script::TqxStdFunctionLibrary>(parser));
        libraries.registerLibrary(
            std::make_unique<engine::TDatabaseFunctionLibrary>(parser, fields));
        parser.setFunctionCallback(
            [this](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
                Variant value(QStringLiteral("0"));
                libraries.dispatch(name, p1, p2, p3, value);
                return value;
            });
    }

    Variant eval(const QString &expression) const { return parser.Evaluate(expression); }

    std::unique_ptr<db::TDbQuery> query;
    engine::TqxComponent form{QStringLiteral("MainForm")};
    engine::TqxComponentRegistry registry;
    engine::ComponentFieldResolver fields{engine::TqxComponentLookup(registry, &form)};
    script::TqxParser parser;
    script::TqxLibraryRegistry libraries;
};

TEST_P(BrowseQueryFunctions, FieldIsNullFollowsTheGridsCurrentRecord)
{
    query->first();
    query->edit();
    query->fieldByName(QStringLiteral("Name")).setValue(QVariant());
    query->post();

    EXPECT_EQ(eval(QStringLiteral("FIELDISNULL('Aqy.\"Name\"')")), Variant(true));
    EXPECT_EQ(eval(QStringLiteral("FIELDISNULL('MainForm.Aqy.StudID')")), Variant(false));
    query->next();
    EXPECT_EQ(eval(QStringLiteral("FIELDISNULL('Aqy.\"Name\"')")), Variant(false));
    EXPECT_EQ(eval(QStringLiteral("FIELDISNULL('Aqy.NoSuchColumn')")), Variant(true));
    EXPECT_EQ(libraries.descriptions().functionsOf(QStringLiteral("Database")),
              QStringList{QStringLiteral("FIELDISNULL")});
}

TEST_P(BrowseQueryFunctions, EmptyResultCountsAsNull)
{
    query->close();
    query->setSql(QStringLiteral("Select * from info where 1 = 0"));
    query->open();
    EXPECT_EQ(eval(QStringLiteral("FIELDISNULL('Aqy.Name')")), Variant(true));
}

INSTANTIATE_TEST_SUITE_P(Backends, BrowseQueryFunctions,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
