#include "report/model/StyleConstants.h"

#include "report/model/ColorRef.h"
#include "report/script/TqxVariables.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::TqxVariables;
using script::Variant;

TEST(StyleConstants, TableHoldsColoursSystemColoursAndNamedConstants)
{
    TqxVariables constants;
    fillStyleConstants(constants);

    // 42 colours, CRLF, Null and 42 named constants.
    EXPECT_EQ(constants.count(), 42 + 2 + 42);
    EXPECT_EQ(constants.value("clTransparent").toInt64(), 0x1FFFFFFF);
    EXPECT_EQ(constants.value("clNavy").toInt64(), 0x800000);
    EXPECT_EQ(constants.value("clScrollBar").toInt64(), 0xFF000000LL);
    EXPECT_EQ(constants.value("clBtnFace").toInt64(), 0xFF00000FLL);
    EXPECT_EQ(constants.value("clInfoBk").toInt64(), 0xFF000018LL);
    EXPECT_EQ(constants.value("CRLF").toString(), "\r\n");
    EXPECT_TRUE(constants.value("Null").isNull());
    EXPECT_EQ(constants.value("mb_IconWarning").toInt64(), 48);
    EXPECT_EQ(constants.value("mrNo").toInt64(), 7);
    EXPECT_EQ(constants.value("baRest").toInt64(), 7);
    EXPECT_EQ(constants.value("psDouble").toInt64(), 5);
    EXPECT_EQ(constants.value("qxtaDown").toInt64(), 16);
    EXPECT_EQ(constants.value("fsItalic").toInt64(), 1);
    // Names compare ignoring case, as scripts write them freely.
    EXPECT_EQ(constants.value("CLRED").toInt64(), 0xFF);
}

TEST(StyleConstants, FontStyleBitsSwapItalicAndBoldOnly)
{
    EXPECT_EQ(swapItalicBoldBits(fsItalic), 2);
    EXPECT_EQ(swapItalicBoldBits(fsBold), 1);
    EXPECT_EQ(swapItalicBoldBits(fsItalic | fsBold | fsUnderline), 7);
    EXPECT_EQ(swapItalicBoldBits(fsStrikeOut | fsBold), 9);
}

TEST(ColorRef, ConvertsStoredOrderAndSpecialValues)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_FALSE(toQColor(kNoColor).isValid());
    EXPECT_EQ(toQColor(clBtnFace), QColor(192, 192, 192));
    // Values outside the system range with high bits set are not colours at all.
    EXPECT_FALSE(toQColor(0xFF000019).isValid());
    EXPECT_EQ(fromQColor(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(fromQColor(QColor()), kNoColor);
}

} // namespace
} // namespace tovren::model
