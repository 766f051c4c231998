#include "report/dialogs/TColorSelector.h"

#include "report/dialogs/ColorGlyphs.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using model::ColorRef;

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kNavy = 0x800000;
constexpr ColorRef kTeal = 0x808000;
constexpr ColorRef kCustom = 0x123456;

/// A selector in a window whose colour dialog is answered by the test.
class ColorSelectorTest : public ::testing::Test
{
protected:
    ColorSelectorTest()
    {
        selector->setColorDialog([this](ColorRef initial) {
            dialogStarts << initial;
            dialogOpenedWhileShown = dialogOpenedWhileShown || selector->isVisible();
            return dialogAnswer;
        });
    }
    void pick(int tag)
    {
        selector->show();
        selector->buttonForTag(tag)->click();
    }

    QWidget window;
    TColorSelector *selector = new TColorSelector(&window);
    QSignalSpy reported{selector, &TColorSelector::colorSelected};
    std::optional<ColorRef> dialogAnswer;
    QList<ColorRef> dialogStarts;
    bool dialogOpenedWhileShown = false;
};

TEST_F(ColorSelectorTest, PaletteAndNoColourReportTheirColourAndHide)
{
    window.show();
    EXPECT_FALSE(selector->isVisible());
    EXPECT_EQ(selector->selectedColor(), model::clBlack);

    pick(10);
    pick(5);
    pick(16);
    ASSERT_EQ(reported.size(), 3);
    EXPECT_EQ(reported.at(0).at(0).value<ColorRef>(), kRed);
    EXPECT_EQ(reported.at(1).at(0).value<ColorRef>(), kNavy);
    EXPECT_EQ(reported.at(2).at(0).value<ColorRef>(), model::kNoColor);
    EXPECT_EQ(selector->selectedColor(), model::kNoColor);
    EXPECT_FALSE(selector->isVisible());

    // Marking shows a colour without choosing it.
    selector->markColor(kTeal);
    EXPECT_TRUE(selector->buttonForTag(7)->isChecked());
    EXPECT_TRUE(selector->buttonForTag(17)->icon().isNull());
    selector->markColor(kCustom);
    EXPECT_FALSE(selector->buttonForTag(7)->isChecked());
    EXPECT_TRUE(selector->buttonForTag(17)->isChecked());
    const QImage onOther = selector->buttonForTag(17)->icon().pixmap(12, 13).toImage();
    EXPECT_EQ(onOther.pixelColor(5, 5), model::toQColor(kCustom));
    selector->markColor(model::kNoColor);
    EXPECT_TRUE(selector->buttonForTag(16)->isChecked());
    EXPECT_EQ(selector->selectedColor(), model::kNoColor);
    EXPECT_EQ(reported.size(), 3);
}

TEST_F(ColorSelectorTest, OtherColourStartsFromTheLastChoiceAndCancelReportsNothing)
{
    window.show();
    pick(10);
    selector->markColor(kCustom);

    pick(17);
    EXPECT_EQ(dialogStarts, QList<ColorRef>{kRed});
    EXPECT_EQ(reported.size(), 1);
    EXPECT_EQ(selector->selectedColor(), kRed);
    EXPECT_FALSE(selector->isVisible());

    dialogAnswer = kCustom;
    pick(17);
    EXPECT_FALSE(dialogOpenedWhileShown);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_EQ(reported.at(1).at(0).value<ColorRef>(), kCustom);
    EXPECT_EQ(selector->selectedColor(), kCustom);
}

TEST(ColourButtonGlyph, PaintsTheTemplatesRedInTheColourOrClearsTheBar)
{
    // A grey letter with a red colour bar in rows 13 to 15 and one red dot inside the letter.
    QImage glyphTemplate(32, 16, QImage::Format_ARGB32);
    glyphTemplate.fill(Qt::transparent);
    const QColor grey(128, 128, 128);
    for (int x = 4; x < 12; ++x)
        glyphTemplate.setPixelColor(x, 2, grey);
    for (int y = 13; y < 16; ++y) {
        for (int x = 1; x <= 14; ++x)
            glyphTemplate.setPixelColor(x, y, Qt::red);
    }
    glyphTemplate.setPixelColor(6, 6, Qt::red);
    glyphTemplate.setPixelColor(7, 6, QColor(254, 0, 0));
    const QColor face(192, 192, 192);

    const QImage teal = colourButtonGlyph(glyphTemplate, kTeal, face);
    EXPECT_EQ(teal.pixelColor(1, 13), QColor(0, 128, 128));
    EXPECT_EQ(teal.pixelColor(14, 15), QColor(0, 128, 128));
    EXPECT_EQ(teal.pixelColor(6, 6), QColor(0, 128, 128));
    EXPECT_EQ(teal.pixelColor(7, 6), QColor(254, 0, 0)) << "only pure red is replaced";
    EXPECT_EQ(teal.pixelColor(5, 2), grey);

    const QImage none = colourButtonGlyph(glyphTemplate, model::kNoColor, face);
    EXPECT_EQ(none.pixelColor(1, 13), face);
    EXPECT_EQ(none.pixelColor(14, 13), face);
    EXPECT_EQ(none.pixelColor(15, 13).alpha(), 0);
    EXPECT_EQ(none.pixelColor(2, 14).alpha(), 0);
    EXPECT_EQ(none.pixelColor(5, 2), grey);
}

} // namespace
} // namespace tovren::dialogs
