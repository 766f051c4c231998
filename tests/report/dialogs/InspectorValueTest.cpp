// How inspector rows show and read values, and the codes the display format dialog makes.
#include "report/dialogs/FormatCodes.h"
#include "report/dialogs/InspectorRow.h"

#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using script::Variant;

InspectorRow rowOf(quint16 kind, const QString &text, QStringList choices = {},
                   std::vector<Variant> values = {})
{
    InspectorRow row;
    row.name = QStringLiteral("P");
    row.kind = kind;
    row.choices = std::move(choices);
    row.choiceValues = std::move(values);
    row.valueText = InspectorValue::shownText(row, text);
    return row;
}

TEST(InspectorValueTest, ColoursShowByNameOrHexAndReadNamesInAnyCase)
{
    EXPECT_EQ(rowOf(model::pkColor, QStringLiteral("255")).valueText, u"clRed");
    EXPECT_EQ(rowOf(model::pkColor, QString::number(0x123456)).valueText, u"$123456");
    EXPECT_EQ(rowOf(model::pkColor, QString::number(0x1FFFFFFF)).valueText, u"clTransparent");
    EXPECT_EQ(InspectorValue::read(rowOf(model::pkColor, QStringLiteral("clblue")))->toInt64(),
              0xFF0000);
    EXPECT_EQ(InspectorValue::read(rowOf(model::pkColor, QStringLiteral("$123456")))->toInt64(),
              0x123456);
    // An unknown name is refused, not read as black.
    EXPECT_FALSE(InspectorValue::read(rowOf(model::pkColor, QStringLiteral("clRosa"))));
    EXPECT_EQ(rowOf(model::pkColor, QStringLiteral("1")).dropDownEntries().size(), 42);
}

TEST(InspectorValueTest, BooleansAreTrueUnlessFalseZeroOrEmpty)
{
    const auto reads = [](const char *text) {
        InspectorRow row = rowOf(model::pkBoolean, {});
        row.valueText = QString::fromLatin1(text);
        return InspectorValue::read(row)->toBool();
    };
    EXPECT_TRUE(reads("yes"));
    EXPECT_TRUE(reads("TRUE"));
    EXPECT_FALSE(reads("0"));
    EXPECT_FALSE(reads(""));
    EXPECT_FALSE(reads("false"));
    EXPECT_EQ(rowOf(model::pkBoolean, QStringLiteral("-1")).valueText, u"True");
    EXPECT_EQ(InspectorValue::steppedText(rowOf(model::pkBoolean, QStringLiteral("True"))),
              u"False");
}

TEST(InspectorValueTest, NumbersAreReadStrictlyAndFractionsTakeEitherSeparator)
{
    InspectorRow integer = rowOf(model::pkInteger, QStringLiteral("12"));
    EXPECT_EQ(InspectorValue::read(integer)->toInt64(), 12);
    integer.valueText = QStringLiteral("abc");
    EXPECT_FALSE(InspectorValue::read(integer));
    integer.valueText.clear();
    EXPECT_FALSE(InspectorValue::read(integer));

    InspectorRow fraction = rowOf(model::pkFraction, QStringLiteral("1.5"));
    EXPECT_EQ(fraction.valueText, u"1.50");
    fraction.valueText = QStringLiteral(" 31,5 ");
    EXPECT_DOUBLE_EQ(InspectorValue::read(fraction)->toDouble(), 31.5);
    // A fractional length in whole pixels keeps its fraction.
    InspectorRow frameWidth = rowOf(model::pkSize | model::pkFraction | model::pkInteger, "1");
    frameWidth.valueText = QStringLiteral("1.5");
    EXPECT_DOUBLE_EQ(InspectorValue::read(frameWidth)->toDouble(), 1.5);
}

TEST(InspectorValueTest, EnumerationsShowNamesForCodesStepAndWrapAround)
{
    const QStringList names = {QStringLiteral("bsDialog"), QStringLiteral("bsSizeable")};
    const std::vector<Variant> codes = {Variant(3), Variant(2)};
    InspectorRow coded = rowOf(model::pkEnumeration, QStringLiteral("2"), names, codes);
    EXPECT_EQ(coded.valueText, u"bsSizeable");
    EXPECT_EQ(InspectorValue::read(coded)->toInt64(), 2);
    EXPECT_EQ(InspectorValue::steppedText(coded), u"bsDialog");
    coded.valueText = QStringLiteral("bsNone");
    EXPECT_FALSE(InspectorValue::read(coded));

    InspectorRow plain = rowOf(model::pkEnumeration, QStringLiteral("b"),
                               {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(InspectorValue::steppedText(plain), u"a");
    plain.valueText = QStringLiteral("zz");
    EXPECT_EQ(InspectorValue::steppedText(plain), u"a");
}

TEST(FormatCodesTest, TheDialogComposesCodesFromItsParts)
{
    EXPECT_EQ(FormatCodes::compose(0, 0, QString(), QString()), 44);
    EXPECT_EQ(FormatCodes::compose(1, 1, QStringLiteral("2"), QString()),
              16777216 + 65536 + 512 + 44);
    EXPECT_EQ(FormatCodes::compose(1, 1, QStringLiteral("x"), QStringLiteral(".")),
              16777216 + 65536 + '.');
    EXPECT_EQ(FormatCodes::formatNames(0), QStringList{QStringLiteral("[无]")});
    EXPECT_EQ(FormatCodes::formatNames(1).size(), 5);
    const qint32 code = FormatCodes::compose(1, 2, QStringLiteral("3"), QStringLiteral(";"));
    EXPECT_EQ(FormatCodes::decimalsText(code), u"3");
    EXPECT_EQ(FormatCodes::separatorText(code), u";");
}

} // namespace
} // namespace tovren::dialogs
