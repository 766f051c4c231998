#include "MemoTestSupport.h"
#include "report/model/DisplayFormat.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"

#include <QFontMetricsF>

namespace tovren::model {
namespace {

using script::Variant;
using testing::MemoTest;

constexpr int kArial10PixelHeight = 13; // round(10 x 96 / 72)

TEST_F(MemoTest, RegistryMakesTextObjectsForKindZero)
{
    const auto view = TqxGlobals::instance().objects.CreateObjectByKind(okText);
    auto *memo = dynamic_cast<TqxMemoView *>(view.get());
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->BaseName, "Memo");
    EXPECT_EQ(memo->Flags, 3);
    EXPECT_EQ(memo->Font.family(), "Arial");
    EXPECT_EQ(memo->LineSpacing, 2);
}

TEST_F(MemoTest, NamedPropertiesAndLineMethods)
{
    TqxMemoView memo;
    memo.SetPropertyValue("wordbreak", Variant(true));
    memo.SetPropertyValue("HIDEZEROS", Variant(true));
    memo.SetPropertyValue("WORDWRAP", Variant(false));
    EXPECT_EQ(memo.Flags, 1 | TqxMemoView::kWordBreakFlag | TqxMemoView::kHideZerosFlag);
    memo.SetPropertyValue("FONT.SIZE", Variant(14));
    EXPECT_EQ(memo.GetPropertyValue("FONT.SIZE"), Variant(14));
    memo.SetPropertyValue("ALIGNMENT", Variant(2));
    EXPECT_EQ(memo.GetPropertyValue("Alignment"), Variant(2));

    values.insert("'x'", Variant(QStringLiteral("x")));
    memo.CallMethod("LINES.ADD", Variant(QStringLiteral("'x'")), {}, {});
    memo.CallMethod("MEMO.ADD", Variant(QStringLiteral("'x'")), {}, {});
    EXPECT_EQ(memo.GetPropertyValue("LINES.COUNT"), Variant(2));
    memo.RegisterProperties();
    ASSERT_NE(memo.findProperty("HideZeros"), nullptr);
    EXPECT_EQ(memo.findProperty("HideZeros")->PropKind, pkBoolean);
}

TEST_F(MemoTest, ExpansionFormatsHidesZerosAndKeepsLiteralText)
{
    TqxMemoView memo;
    values.insert("Zero", Variant(0));
    values.insert("ZeroText", Variant(QStringLiteral("0")));
    values.insert("Sum", Variant(1234.5));
    values.insert("Passed", Variant(true));
    memo.Memo = {"[Zero]|[ZeroText]", "", "[Sum #N0.2]"};
    memo.setFlag(TqxMemoView::kHideZerosFlag, true);
    memo.ExpandText();
    EXPECT_EQ(memo.ExpandedText, (QStringList{"|0", "", "1234.50"}));

    memo.Memo = {"[Passed]"};
    memo.DisplayFormat = displayFormatCode(dcBoolean, 1, 0, u'.');
    memo.ExpandText();
    EXPECT_EQ(memo.ExpandedText, QStringList{QStringLiteral("是")});

    memo.setFlag(TqxMemoView::kTextOnlyFlag, true);
    memo.ExpandText();
    EXPECT_EQ(memo.ExpandedText, QStringList{"[Passed]"});
}

TEST_F(MemoTest, ValueWithLineBreaksBecomesSeveralLines)
{
    TqxMemoView memo;
    values.insert("Address", Variant(QStringLiteral("a\r\nb")));
    memo.Memo = {"[Address]"};
    memo.ExpandText();
    EXPECT_EQ(memo.ExpandedText, (QStringList{"a", "b"}));
}

TEST_F(MemoTest, HeightsFollowTheWrappedLines)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 60, 20);
    memo.Memo = {"alpha beta gamma delta epsilon"};
    const int lineHeight = memo.LineSpacing + kArial10PixelHeight;
    const DesignPixels height = memo.CalcHeight();
    EXPECT_EQ(memo.OutputStage, TqxMemoView::HeightCalculated);
    EXPECT_EQ(memo.LineHeight, lineHeight);
    ASSERT_GT(memo.ExpandedText.size(), 1);
    EXPECT_EQ(height, memo.ExpandedText.size() * lineHeight + 2 * memo.GapY);
    const QFontMetricsF metrics(testing::layoutArial10());
    for (const QString &line : testing::withoutMarks(memo.ExpandedText))
        EXPECT_LE(metrics.horizontalAdvance(line), 60 - 2 * memo.GapX) << line.toStdString();

    EXPECT_EQ(memo.MinimumHeight(), 2 + lineHeight + 2 * memo.GapY);
    memo.Height = 100;
    EXPECT_EQ(memo.RemainderHeight(), 2 * memo.GapY + 2 + (100 - 2 - 2 * memo.GapY) % lineHeight);

    memo.Visible = false;
    EXPECT_EQ(memo.CalcHeight(), 0);
}

TEST_F(MemoTest, LineSpacingThatCancelsTheFontDoesNotDivideByZero)
{
    TqxMemoView memo;
    memo.LineSpacing = -kArial10PixelHeight;
    memo.Height = 50;
    EXPECT_EQ(memo.RemainderHeight(), 2 * memo.GapY + 2);
}

TEST_F(MemoTest, SuppressWritesARepeatedTextOnlyOnce)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 200, 20);
    memo.setFlag(TqxMemoView::kSuppressFlag, true);
    values.insert("Name", Variant(QStringLiteral("Zhang")));
    memo.Memo = {"[Name]"};

    EXPECT_GT(memo.CalcHeight(), 0);
    EXPECT_FALSE(testing::printed(memo).isEmpty());
    EXPECT_EQ(memo.OutputStage, TqxMemoView::NormalOutput);

    EXPECT_EQ(memo.CalcHeight(), 0);
    EXPECT_TRUE(testing::printed(memo).isEmpty());

    values.insert("Name", Variant(QStringLiteral("Li")));
    EXPECT_GT(memo.CalcHeight(), 0);
    EXPECT_FALSE(testing::printed(memo).isEmpty());
}

TEST_F(MemoTest, SplitPrintingWritesTheLinesThatFitAndKeepsTheRest)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 300, 200);
    memo.Memo = {"one", "two", "three", "four", "five"};
    memo.CalcHeight();
    const int lineHeight = memo.LineHeight;

    memo.OutputStage = TqxMemoView::SplitOutput;
    memo.Height = 2 * lineHeight + 2 * memo.GapY + 4; // room for two lines
    const QByteArray firstPage = testing::printed(memo);
    EXPECT_EQ(memo.LinesDrawn, 2);
    EXPECT_EQ(testing::withoutMarks(memo.ExpandedText), (QStringList{"three", "four", "five"}));
    EXPECT_EQ(memo.OutputStage, TqxMemoView::NormalOutput);

    TqxMemoView page;
    testing::readPrinted(firstPage, page);
    EXPECT_EQ(page.Memo,
              (QStringList{"one" + QString(kEndOfParagraph), "two" + QString(kEndOfParagraph)}));
}

TEST_F(MemoTest, SplitInsideAParagraphMarksThePrintedPart)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 60, 200);
    memo.Memo = {"alpha beta gamma delta epsilon"};
    memo.CalcHeight();
    ASSERT_GT(memo.ExpandedText.size(), 2);
    memo.OutputStage = TqxMemoView::SplitOutput;
    memo.Height = memo.LineHeight + 2 * memo.GapY + 4;
    TqxMemoView page;
    testing::readPrinted(testing::printed(memo), page);
    ASSERT_EQ(page.Memo.size(), 2);
    EXPECT_EQ(page.Memo.last(), QString(kEndOfParagraph));
}

TEST_F(MemoTest, HighlightAppliesWhilePrintingAndIsUndoneAfterwards)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 100, 20);
    memo.Memo = {"text"};
    memo.HighlightCondition = "Late";
    memo.HighlightFillColor = 0x0000FF;
    memo.HighlightFontColor = 0x00FF00;
    values.insert("Late", Variant(1));

    TqxMemoView page;
    testing::readPrinted(testing::printed(memo), page);
    EXPECT_EQ(page.FillColor, 0x0000FFu);
    EXPECT_EQ(page.FontColor, 0x00FF00u);
    EXPECT_TRUE(page.Font.bold());
    EXPECT_EQ(memo.FillColor, kNoColor);
    EXPECT_FALSE(memo.Font.bold());

    memo.HighlightCondition = "Undefined + ";
    TqxMemoView plain;
    testing::readPrinted(testing::printed(memo), plain);
    EXPECT_EQ(plain.FillColor, kNoColor);
}

TEST_F(MemoTest, ScriptAndBeforePrintHooksRunBeforeSubstitution)
{
    TqxMemoView memo;
    memo.SetBounds(0, 0, 200, 20);
    memo.Memo = {"[Name]"};
    values.insert("Name", Variant(QStringLiteral("Wang")));
    int scripts = 0;
    runState().runObjectScript = [&](TqxView &) { ++scripts; };
    runState().beforePrint = [](TqxView &view) { view.ExpandedText = QStringList{"from blob"}; };
    memo.CalcHeight();
    EXPECT_EQ(scripts, 1);
    EXPECT_EQ(testing::withoutMarks(memo.ExpandedText), QStringList{"from blob"});

    runState().beforePrint = [](TqxView &) {};
    memo.CalcHeight();
    EXPECT_EQ(testing::withoutMarks(memo.ExpandedText), QStringList{"Wang"});
}

TEST_F(MemoTest, PrintingAlignsToTheBottomOfThePrintingBand)
{
    TqxBandView band;
    band.SetBounds(0, 300, 500, 80);
    TqxMemoView memo;
    memo.SetBounds(10, 310, 100, 20);
    memo.Memo = {"x"};
    memo.BandAlign = baBottom;
    TqxMemoView page;
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RecordWriter writer(buffer);
        memo.PrintToStream(writer, &band);
        testing::readPrinted(buffer.data(), page);
    }
    EXPECT_EQ(page.Top, 360);
    EXPECT_EQ(page.BandAlign, baBottom);

    memo.BandAlign = baWidth;
    testing::readPrinted(testing::printed(memo), page);
    EXPECT_EQ(page.BandAlign, baNone);
    EXPECT_EQ(memo.BandAlign, baWidth);
}

} // namespace
} // namespace tovren::model
