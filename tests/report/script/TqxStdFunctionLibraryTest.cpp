#include "report/script/TqxStdFunctionLibrary.h"

#include "report/platform/DialogProvider.h"
#include "report/script/AggregateCall.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"

#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::script;

namespace {

class AnsweringDialogs : public platform::DialogProvider
{
public:
    int messageBox(const QString &text, const QString &caption, int flags) override
    {
        asked << text << caption << QString::number(flags);
        return platform::mrYes;
    }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> inputText(const QString &caption, const QString &label,
                                     const QString &initial) override
    {
        asked << caption << label << initial;
        return answer;
    }

    QStringList asked;
    std::optional<QString> answer;
};

class RecordingAggregates : public AggregateHandler
{
public:
    Variant aggregate(const AggregateCall &call) override
    {
        calls.push_back(call);
        return Variant(42);
    }
    std::vector<AggregateCall> calls;
};

/// Expressions evaluated the way a report evaluates them: calls the parser does not know go to
/// the registered libraries, preset to "0".
class StdFunctions : public ::testing::Test
{
protected:
    StdFunctions()
    {
        auto library = std::make_unique<TqxStdFunctionLibrary>(parser);
        standard = library.get();
        registry.registerLibrary(std::move(library));
        parser.setFunctionCallback(
            [this](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
                Variant value(QStringLiteral("0"));
                registry.dispatch(name, p1, p2, p3, value);
                return value;
            });
    }

    Variant eval(const char *expression) const
    {
        return parser.Evaluate(QString::fromUtf8(expression));
    }
    QString text(const char *expression) const { return eval(expression).toString(); }
    QString errorOf(const char *expression) const
    {
        try {
            eval(expression);
        } catch (const EvaluationError &error) {
            return error.message();
        }
        return QStringLiteral("<no error>");
    }

    TqxParser parser;
    TqxLibraryRegistry registry;
    TqxStdFunctionLibrary *standard = nullptr;
};

} // namespace

TEST_F(StdFunctions, StringFunctions)
{
    EXPECT_EQ(eval("POS('b', 'abc')"), Variant(2));
    EXPECT_EQ(eval("POS('x', 'abc')"), Variant(0));
    EXPECT_EQ(eval("POS('', 'abc')"), Variant(0));
    EXPECT_EQ(text("NAMECASE('hELLO wORLD')"), QStringLiteral("Hello world"));
    EXPECT_EQ(text("NAMECASE('')"), QString());
    EXPECT_EQ(text("UPPERCASE('abc')"), QStringLiteral("ABC"));
    EXPECT_EQ(text("LOWERCASE('ÄBC')"), QStringLiteral("äbc"));
    EXPECT_EQ(eval("LENGTH('张三丰')"), Variant(3));
    EXPECT_EQ(eval("LENGTH(12.5)"), Variant(4));
    EXPECT_EQ(text("'[' + TRIM('  a b  ') + ']'"), QStringLiteral("[a b]"));
    EXPECT_EQ(text("'[' + TRIM('') + ']'"), QStringLiteral("[]"));
}

TEST_F(StdFunctions, ControlCharactersAreTrimmedLikeBlanks)
{
    parser.setGetValueCallback(
        [](const QString &) { return Variant(QStringLiteral("\t\r\n name \x01")); });
    EXPECT_EQ(text("TRIM(X)"), QStringLiteral("name"));
}

TEST_F(StdFunctions, NamesAreAnsweredIgnoringCaseAndUnknownNamesKeepThePreset)
{
    Variant value(QStringLiteral("0"));
    EXPECT_TRUE(standard->HandleFunction(QStringLiteral("uppercase"), QStringLiteral("'x'"), {}, {},
                                         value));
    EXPECT_EQ(value, Variant(QStringLiteral("X")));
    Variant untouched(QStringLiteral("0"));
    EXPECT_FALSE(standard->HandleFunction(QStringLiteral("NOSUCH"), {}, {}, {}, untouched));
    EXPECT_EQ(untouched, Variant(QStringLiteral("0")));
    EXPECT_EQ(standard->functionNames().size(), 21);
    EXPECT_EQ(standard->functionNumber(QStringLiteral("YEAROF")), 20);
}

TEST_F(StdFunctions, NumberChoiceKeepsTheEvaluatedValues)
{
    EXPECT_EQ(eval("MAXNUM(3, 10)"), Variant(10.0));
    EXPECT_EQ(eval("MINNUM(3, 10)"), Variant(3.0));
    EXPECT_EQ(eval("MAXNUM(2.5, 1)"), Variant(2.5));
    EXPECT_EQ(text("MAXNUM('b', 'a')"), QStringLiteral("b"));
    EXPECT_EQ(eval("MAXNUM(5, '5')"), Variant(QStringLiteral("5")))
        << "equal arguments give the second";
    EXPECT_EQ(eval("MINNUM('5', 5)"), Variant(5.0));
}

TEST_F(StdFunctions, NonNumericTextAgainstANumberIsAConversionError)
{
    EXPECT_EQ(errorOf("MAXNUM('abc', 10)"),
              QStringLiteral("Could not convert variant of type (String) into type (Double)"));
}

TEST_F(StdFunctions, DatePartsFromDatesNumbersAndTexts)
{
    EXPECT_EQ(eval("DAYOF(STRTODATE('2005-06-01'))"), Variant(1));
    EXPECT_EQ(eval("MONTHOF('2005-06-01')"), Variant(6));
    EXPECT_EQ(eval("YEAROF('2004/05/25 09:16:24')"), Variant(2004));
    EXPECT_EQ(eval("DAYOF(2)"), Variant(1)) << "day 2 is 1 January 1900";
    EXPECT_EQ(eval("YEAROF(-1.25)"), Variant(1899));
}

TEST_F(StdFunctions, InvalidDatesRaiseThePlatformsErrors)
{
    EXPECT_EQ(errorOf("DAYOF('2005-02-30')"), QStringLiteral("'2005-02-30' is not a valid date"));
    EXPECT_EQ(errorOf("MONTHOF('tomorrow')"), QStringLiteral("'tomorrow' is not a valid date"));
    EXPECT_EQ(errorOf("YEAROF('2005-01-01 25:00')"),
              QStringLiteral("'2005-01-01 25:00' is not a valid date"));
    EXPECT_EQ(errorOf("DAYOF(1E100)"), QStringLiteral("Invalid argument to date encode"));
    EXPECT_EQ(errorOf("DAYOF(TRUE)"),
              QStringLiteral("Could not convert variant of type (Boolean) into type (Date)"));
}

TEST_F(StdFunctions, FormattingFunctions)
{
    EXPECT_EQ(text("FORMATFLOAT('#,##0.00', 1234.5)"), QStringLiteral("1,234.50"));
    EXPECT_EQ(text("FORMATDATETIME('yyyy\"年\"m\"月\"d\"日\"', '2005-06-01')"),
              QStringLiteral("2005年6月1日"));
    EXPECT_EQ(text("FORMATTEXT('000-0000', '1234567')"), QStringLiteral("123-4567"));
    EXPECT_EQ(text("FORMATTEXT('>LL 00', 'ab1')"), QStringLiteral("AB 1 "));
    EXPECT_EQ(errorOf("FORMATFLOAT('0.00', 'many')"),
              QStringLiteral("Could not convert variant of type (String) into type (Double)"));
}

TEST_F(StdFunctions, DialogsGoThroughTheProviderAndNeverWaitWithoutOne)
{
    EXPECT_EQ(text("INPUT('Name?', 'Zhang')"), QStringLiteral("Zhang"));
    EXPECT_EQ(eval("MESSAGEBOX('Go?', 'Title', 4)"), Variant(int(platform::mrCancel)));

    AnsweringDialogs dialogs;
    standard->setDialogProvider(&dialogs);
    EXPECT_EQ(text("INPUT('Name?', 'Zhang')"), QStringLiteral("Zhang")) << "cancelled";
    dialogs.answer = QStringLiteral("Li");
    EXPECT_EQ(text("INPUT('Name?', 'Zhang')"), QStringLiteral("Li"));
    EXPECT_EQ(eval("MESSAGEBOX('Go?', 'Title', 4 + 32)"), Variant(int(platform::mrYes)));
    EXPECT_EQ(dialogs.asked,
              (QStringList{QString(), QStringLiteral("Name?"), QStringLiteral("Zhang"), QString(),
                           QStringLiteral("Name?"), QStringLiteral("Zhang"), QStringLiteral("Go?"),
                           QStringLiteral("Title"), QStringLiteral("36")}));
}

TEST_F(StdFunctions, AggregatesHandTheirTextsToTheHandler)
{
    EXPECT_EQ(text("SUM(Price)"), QStringLiteral("0")) << "no band engine: the preset stays";

    RecordingAggregates aggregates;
    standard->setAggregateHandler(&aggregates);
    EXPECT_EQ(eval("SUM([Price], MasterData1, 1)"), Variant(42));
    eval("COUNT(MasterData1, 1)");
    eval("MIN(A)");
    eval("MAX(A)");
    eval("AVG(A * 2, Band)");
    ASSERT_EQ(aggregates.calls.size(), 5u);
    EXPECT_EQ(aggregates.calls[0].code, AggregateCode::Sum);
    EXPECT_EQ(aggregates.calls[0].expression, QStringLiteral("[Price]"));
    EXPECT_EQ(aggregates.calls[0].bandName, QStringLiteral("MasterData1"));
    EXPECT_EQ(aggregates.calls[0].flag, QStringLiteral("1"));
    EXPECT_EQ(aggregates.calls[1].code, AggregateCode::Count);
    EXPECT_EQ(aggregates.calls[1].expression, QStringLiteral("MasterData1"));
    EXPECT_EQ(aggregates.calls[1].bandName, QStringLiteral("MasterData1"));
    EXPECT_EQ(aggregates.calls[1].flag, QStringLiteral("1"));
    EXPECT_EQ(aggregates.calls[2].code, AggregateCode::Min);
    EXPECT_EQ(aggregates.calls[3].code, AggregateCode::Max);
    EXPECT_EQ(aggregates.calls[4].code, AggregateCode::Avg);
    EXPECT_EQ(aggregates.calls[4].bandName, QStringLiteral("Band"));
}
