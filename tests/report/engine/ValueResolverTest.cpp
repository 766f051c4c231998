#include "report/engine/ComponentLookup.h"
#include "report/engine/DefaultDataSet.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/engine/TqxResolverEnvironment.h"
#include "report/engine/TqxValueResolver.h"
#include "report/model/BandType.h"
#include "report/model/StyleConstants.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"
#include "report/script/TqxVariables.h"
#include "tests/report/engine/MemoryRecordSet.h"
#include "tests/report/model/ViewTestSupport.h"

#include <gtest/gtest.h>

using namespace tovren;
using engine::TqxValueResolver;
using script::Variant;

namespace {

/// Page 3 of a single-pass build.
class ThirdPageRun : public engine::TqxReportRunInfo
{
public:
    int pageIndex() const override { return 2; }
    int totalPageCount() const override { return 0; }
    double buildDate() const override { return 45000; }
    double buildTime() const override { return 0.5; }
    QString reportComment() const override { return {}; }
    QString reportName() const override { return QStringLiteral("证书"); }
    QString reportAuthor() const override { return {}; }
    QString versionMajor() const override { return {}; }
    QString versionMinor() const override { return {}; }
    QString versionRelease() const override { return {}; }
    QString versionBuild() const override { return {}; }
    double createdAt() const override { return 0; }
    double changedAt() const override { return 0; }
};

/// A build whose current position is CURY = 120 and whose text object, when set, is active.
class RecordingEnvironment : public engine::TqxResolverEnvironment
{
public:
    bool resolveEngineName(const QString &name, Variant &value) override
    {
        if (name != u"CURY")
            return false;
        value = Variant(120);
        return true;
    }
    bool runEngineProcedure(const QString &name, const QString &, Variant &) override
    {
        if (name != u"NEWPAGE")
            return false;
        ++pageBreaks;
        return true;
    }
    bool aggregateScanRunning() const override { return scanning; }
    engine::TqxRecordSet *defaultDataSet() const override { return defaultSet; }
    model::TqxView *currentObject() const override { return current; }
    bool currentObjectHidesZeros() const override { return hideZeros; }
    QString formatDisplayValue(const Variant &value, const QString &inlineFormat) const override
    {
        lastInlineFormat = inlineFormat;
        return value.toString();
    }

    bool scanning = false;
    bool hideZeros = false;
    int pageBreaks = 0;
    engine::TqxRecordSet *defaultSet = nullptr;
    model::TqxView *current = nullptr;
    mutable QString lastInlineFormat;
};

class ValueResolution : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registry.registerForm(form);
        aqy->open();
        aqy->first();
        model::fillStyleConstants(constants);
        libraries.registerLibrary(std::make_unique<script::TqxStdFunctionLibrary>(parser));
        rebuild();
    }

    void rebuild()
    {
        resolver = std::make_unique<TqxValueResolver>(
            engine::TqxResolverServices{parser, libraries, globals, constants, dictionary, run,
                                        engine::TqxComponentLookup(registry, &form), environment},
            handlers);
        resolver->install(parser);
    }

    Variant eval(const QString &expression) const { return parser.Evaluate(expression); }
    QString bracket(const QString &text) const { return resolver->EvaluateBracket(text); }

    /// The message of the error @p expression raises, or "" when it raises none.
    QString errorOf(const QString &expression) const
    {
        try {
            eval(expression);
        } catch (const script::EvaluationError &error) {
            return error.message();
        }
        return {};
    }

    engine::TqxComponent form{QStringLiteral("Form1")};
    test::MemoryRecordSet *aqy = new test::MemoryRecordSet(3, QStringLiteral("Aqy"), &form);
    engine::TqxComponentRegistry registry;
    script::TqxParser parser;
    script::TqxLibraryRegistry libraries;
    script::TqxVariables globals;
    script::TqxVariables constants;
    engine::TqxDataDictionary dictionary;
    ThirdPageRun run;
    RecordingEnvironment environment;
    engine::TqxResolverHandlers handlers;
    std::unique_ptr<TqxValueResolver> resolver;
};

} // namespace

TEST_F(ValueResolution, HandlerThenDictionaryThenSystemNames)
{
    EXPECT_EQ(bracket(QStringLiteral("PAGE#")), QStringLiteral("3"));
    EXPECT_EQ(bracket(QStringLiteral("TOTALPAGES")), QStringLiteral("0"));
    EXPECT_EQ(eval(QStringLiteral("DATE")), Variant::fromDate(45000));

    dictionary.SetVariable(QStringLiteral("DATE"), Variant(QStringLiteral("'hidden'")));
    EXPECT_EQ(eval(QStringLiteral("DATE")), Variant(QStringLiteral("hidden")));

    handlers.onGetValue = [](const QString &name, Variant &value) {
        if (name == u"PAGE#" || name == u"DATE")
            value = Variant(99);
    };
    rebuild();
    EXPECT_EQ(bracket(QStringLiteral("PAGE#")), QStringLiteral("99"));
    EXPECT_EQ(eval(QStringLiteral("DATE")), Variant(99));
    // A handler that leaves the value empty passes the name on.
    EXPECT_EQ(eval(QStringLiteral("REPORTNAME")), Variant(QStringLiteral("证书")));
}

TEST_F(ValueResolution, BracketNamesCompareExactlyAndFallBackToTheEvaluator)
{
    // "Page#" is no system name as written; evaluated, it arrives as PAGE#.
    EXPECT_EQ(bracket(QStringLiteral("Page#")), QStringLiteral("3"));
    EXPECT_EQ(bracket(QStringLiteral("1+2*PAGE#")), QStringLiteral("7"));
    EXPECT_EQ(bracket(QStringLiteral("VALUE")), QStringLiteral("0"));
}

TEST_F(ValueResolution, ScriptGlobalsComeBeforeEngineNamesAndConstants)
{
    EXPECT_EQ(eval(QStringLiteral("CURY")), Variant(120));
    EXPECT_EQ(eval(QStringLiteral("clMaroon")), Variant(0x80));

    globals.setValue(QStringLiteral("CURY"), Variant(7));
    globals.setValue(QStringLiteral("clMaroon"), Variant(8));
    EXPECT_EQ(eval(QStringLiteral("CURY")), Variant(7));
    EXPECT_EQ(eval(QStringLiteral("clMaroon")), Variant(8));
}

TEST_F(ValueResolution, UnknownNamesRaiseForTheInnermostNameExceptDuringTheScan)
{
    const QString undefined = QStringLiteral("符号没定义 \"FOO\"");
    EXPECT_EQ(errorOf(QStringLiteral("2*Foo+1")), undefined);
    EXPECT_THROW(bracket(QStringLiteral("Foo")), script::EvaluationError);
    // The failed lookup leaves nothing behind that blocks the next one.
    EXPECT_EQ(bracket(QStringLiteral("1+2")), QStringLiteral("3"));
    EXPECT_EQ(errorOf(QStringLiteral("Aqy.\"Missing\"")),
              QStringLiteral("符号没定义 \"AQY.\"MISSING\"\""));

    environment.scanning = true;
    EXPECT_EQ(eval(QStringLiteral("Foo")), Variant());
    EXPECT_EQ(bracket(QStringLiteral("Foo")), QString());
}

TEST_F(ValueResolution, DataFieldsReadTheCurrentRecord)
{
    EXPECT_EQ(eval(QStringLiteral("Aqy.\"NAME\"")), Variant(QStringLiteral("odd")));
    EXPECT_EQ(bracket(QStringLiteral("Form1.Aqy.N")), QStringLiteral("1"));
    aqy->moveToRow(2);
    // A null string field reads as the empty string, not null.
    EXPECT_EQ(eval(QStringLiteral("Aqy.\"NAME\"")), Variant(QString()));
    EXPECT_EQ(eval(QStringLiteral("Aqy.N * 10")), Variant(20.0));

    // A bare field name belongs to the default data set, and only when there is one.
    EXPECT_FALSE(errorOf(QStringLiteral("N")).isEmpty());
    environment.defaultSet = aqy;
    EXPECT_EQ(eval(QStringLiteral("N")), Variant(2));
}

TEST_F(ValueResolution, DictionaryVariablesAliasesAndScriptGlobals)
{
    dictionary.SetVariable(QStringLiteral("Who"), Variant(QStringLiteral("Aqy.\"NAME\"")));
    dictionary.SetVariable(QStringLiteral("Sum"), Variant(QStringLiteral("2+3")));
    EXPECT_EQ(eval(QStringLiteral("Who")), Variant(QStringLiteral("odd")));
    EXPECT_EQ(eval(QStringLiteral("Sum")), Variant(5.0));
    // A name is the same in any case; given new text under another spelling, it reads the new
    // text under every spelling it was asked by before, also by the same text as before.
    const QString asked = QString::fromUtf8("WHO");
    EXPECT_EQ(resolver->ResolveName(asked), Variant(QStringLiteral("odd")));
    EXPECT_EQ(resolver->ResolveName(asked), Variant(QStringLiteral("odd")));
    dictionary.SetVariable(QStringLiteral("wHo"), Variant(QStringLiteral("'someone'")));
    EXPECT_EQ(eval(QStringLiteral("Who")), Variant(QStringLiteral("someone")));
    EXPECT_EQ(resolver->ResolveName(asked), Variant(QStringLiteral("someone")));

    resolver->AssignName(QStringLiteral("Sum"), Variant(QStringLiteral("7*2")));
    EXPECT_FALSE(globals.contains(QStringLiteral("Sum")));
    EXPECT_EQ(eval(QStringLiteral("Sum")), Variant(14.0));

    globals.setValue(QStringLiteral("Sum"), Variant(99));
    EXPECT_EQ(eval(QStringLiteral("Sum")), Variant(99));

    dictionary.AliasList.setValue(QStringLiteral("Aqy"), Variant(QStringLiteral("A1")));
    dictionary.AliasList.setValue(QStringLiteral("Aqy.N"), Variant(QStringLiteral("F1")));
    aqy->moveToRow(3);
    EXPECT_EQ(eval(QStringLiteral("A1.\"F1\"")), Variant(3));
}

TEST_F(ValueResolution, FunctionsGoToLibrariesThenTheEngineThenTheHandler)
{
    EXPECT_EQ(eval(QStringLiteral("LENGTH('abcd')")), Variant(4));
    EXPECT_EQ(errorOf(QStringLiteral("1 + NOSUCH(1)")), QStringLiteral("函数没定义 \"NOSUCH\""));
    eval(QStringLiteral("NEWPAGE()"));
    EXPECT_EQ(environment.pageBreaks, 1);

    QStringList calls;
    handlers.onUserFunction = [&calls](const QString &name, const QString &p1, const QString &,
                                       const QString &, Variant &value) {
        calls << name + u':' + p1 + u':' + value.toString();
        if (name == u"NOSUCH")
            value = Variant(42);
    };
    rebuild();
    EXPECT_EQ(eval(QStringLiteral("NOSUCH(1+1)")), Variant(42));
    EXPECT_EQ(eval(QStringLiteral("LENGTH('ab')")), Variant(2));
    EXPECT_EQ(calls, QStringList{QStringLiteral("NOSUCH:1+1:0")});
}

TEST_F(ValueResolution, ActiveObjectAnswersUnknownFunctionsAndProperties)
{
    model::testing::PlainView view;
    view.Left = 15;
    environment.current = &view;
    EXPECT_EQ(eval(QStringLiteral("NOSUCH(1)")), Variant::null());
    EXPECT_EQ(eval(QStringLiteral("Left + 1")), Variant(16.0));

    resolver->AssignName(QStringLiteral("Left"), Variant(40));
    EXPECT_EQ(view.Left, 40);
    EXPECT_FALSE(globals.contains(QStringLiteral("Left")));

    resolver->AssignName(QStringLiteral("Fresh"), Variant(1));
    EXPECT_EQ(globals.value(QStringLiteral("Fresh")), Variant(1));
}

TEST_F(ValueResolution, IncDecAndArrays)
{
    EXPECT_EQ(errorOf(QStringLiteral("INC(Counter)")), QStringLiteral("符号没定义 \"COUNTER\""));
    resolver->AssignName(QStringLiteral("Counter"), Variant(4));
    eval(QStringLiteral("INC(Counter)"));
    EXPECT_EQ(globals.value(QStringLiteral("Counter")), Variant(5));
    eval(QStringLiteral("DEC(Counter)"));
    eval(QStringLiteral("DEC(Counter)"));
    EXPECT_EQ(globals.value(QStringLiteral("Counter")), Variant(3));

    dictionary.SetVariable(QStringLiteral("Total"), Variant(QStringLiteral("10")));
    eval(QStringLiteral("INC(Total)"));
    EXPECT_EQ(eval(QStringLiteral("Total")), Variant(11.0));

    eval(QStringLiteral("SETARRAY(A, 1+1, 5)"));
    EXPECT_EQ(globals.value(QStringLiteral("Arr_A_2")), Variant(5.0));
    EXPECT_EQ(bracket(QStringLiteral("A[2]")), QStringLiteral("5"));
    eval(QStringLiteral("SETARRAY(B, 'x', 'y')"));
    EXPECT_EQ(eval(QStringLiteral("GETARRAY(B, 'x')")), Variant(QStringLiteral("y")));
}

TEST_F(ValueResolution, BracketsSplitTheInlineFormatHideZerosAndKeepTheirValue)
{
    globals.setValue(QStringLiteral("Total"), Variant(1234.5));
    EXPECT_EQ(bracket(QStringLiteral("Total #N0.00")), QStringLiteral("1234.5"));
    EXPECT_EQ(environment.lastInlineFormat, QStringLiteral("N0.00"));
    EXPECT_EQ(resolver->bracketValue(), Variant(1234.5));
    bracket(QStringLiteral("Total"));
    EXPECT_EQ(environment.lastInlineFormat, QString());

    environment.hideZeros = true;
    EXPECT_EQ(bracket(QStringLiteral("1-1")), QString());
    EXPECT_EQ(bracket(QStringLiteral("'0'")), QStringLiteral("0"));
    EXPECT_EQ(bracket(QStringLiteral("5")), QStringLiteral("5"));
}

TEST(UnqualifiedFields, FollowTheDataBandOfTheActiveBand)
{
    using engine::dataBandForUnqualifiedFields;
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btPageFooter), model::btMasterData);
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btGroupHeader), model::btMasterData);
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btDetailFooter), model::btDetailData);
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btSubDetailData), model::btSubDetailData);
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btCrossFooter), model::btCrossData);
    // Detail headers, overlays and no band at all use the report's own data set.
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btDetailHeader), std::nullopt);
    EXPECT_EQ(dataBandForUnqualifiedFields(model::btOverlay), std::nullopt);
    EXPECT_EQ(dataBandForUnqualifiedFields(std::nullopt), std::nullopt);
}
