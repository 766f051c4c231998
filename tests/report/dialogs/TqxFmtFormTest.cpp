// The format and highlight dialogs, driven through their controls.
#include "report/dialogs/TqxFmtForm.h"

#include "report/dialogs/TqxHilightForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

template<typename T>
T *child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QString::fromLatin1(name));
}

TEST(TqxFmtFormTest, TextFormatLeavesWithNoDecimalsAndNumberFormatWithTheTypedOnes)
{
    TqxFmtForm form;
    form.setFormat(0, QStringLiteral("pattern"));
    EXPECT_FALSE(child<QLineEdit>(form, "DecEdit")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(form, "FormatEdit")->text().isEmpty());
    form.done(QDialog::Accepted);
    EXPECT_EQ(form.displayFormat(), 44);
    EXPECT_EQ(form.customFormat(), u"pattern");

    form.setFormat(0, {});
    auto *categories = child<QListWidget>(form, "CatLB");
    categories->setCurrentRow(1);
    emit categories->itemClicked(categories->item(1));
    auto *formats = child<QListWidget>(form, "TypeLB");
    EXPECT_EQ(formats->currentRow(), 0); // a new category starts on its first format
    formats->setCurrentRow(1);
    emit formats->itemClicked(formats->item(1));
    child<QLineEdit>(form, "DecEdit")->setText(QStringLiteral("2"));
    child<QLineEdit>(form, "SplEdit")->clear();
    form.done(QDialog::Accepted);
    EXPECT_EQ(form.displayFormat(), 16777216 + 65536 + 512 + 44);
}

TEST(TqxHilightFormTest, TheBackgroundStaysTransparentUntilAColourIsChosen)
{
    TqxHilightForm form({}, {});
    std::optional<model::ColorRef> answer;
    form.setColorDialog([&](model::ColorRef) { return answer; });
    HighlightValues start;
    start.fillColor = model::kNoColor;
    form.setValues(start);
    auto *other = child<QRadioButton>(form, "RB2");
    other->click();
    EXPECT_EQ(form.values().fillColor, model::kNoColor);
    EXPECT_TRUE(child<QToolButton>(form, "SpeedButton2")->isEnabled());
    answer = 0x00FF00;
    child<QToolButton>(form, "SpeedButton2")->click();
    EXPECT_EQ(form.values().fillColor, 0x00FF00u);
    child<QRadioButton>(form, "RB1")->click();
    EXPECT_EQ(form.values().fillColor, model::kNoColor);
    EXPECT_FALSE(child<QToolButton>(form, "SpeedButton2")->isEnabled());
}

} // namespace
} // namespace tovren::dialogs
