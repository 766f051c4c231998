#include "report/dialogs/TqxDesOptionsForm.h"
#include "report/platform/SettingsStore.h"
#include "tests/support/ScriptedDialogs.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

class DesignerOptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.writeString(EditorFonts::section(), "TextFontName", QString::fromUtf8("宋体"));
        settings.writeString(EditorFonts::section(), "TextFontSize", "12");
    }
    QString stored(const char *name) const
    {
        return settings.readString(EditorFonts::section(), QLatin1String(name), "<absent>");
    }
    template<typename T>
    T *child(const TqxDesOptionsForm &form, const char *name) const
    {
        T *widget = form.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir dir;
    platform::SettingsStore settings{dir.filePath("settings.ini"), "Tovren"};
    test::ScriptedDialogs dialogs;
};

TEST_F(DesignerOptionsTest, EditorFontsAreWrittenOnOkOnly)
{
    {
        TqxDesOptionsForm form(settings, dialogs);
        // The object's own font is in use: the fixed font shows, disabled.
        EXPECT_TRUE(child<QRadioButton>(form, "ERB1")->isChecked());
        auto *textName = child<QFontComboBox>(form, "TextFontNameCB");
        EXPECT_FALSE(textName->isEnabled());
        EXPECT_EQ(textName->currentText(), QString::fromUtf8("宋体"));
        EXPECT_EQ(child<QComboBox>(form, "TextFontSizeCB")->currentText(), "12");
        EXPECT_TRUE(child<QFontComboBox>(form, "ScriptFontNameCB")->isEnabled());
        child<QRadioButton>(form, "ERB2")->setChecked(true);
        EXPECT_TRUE(textName->isEnabled());
        child<QComboBox>(form, "ScriptFontSizeCB")->setEditText("14");
        form.reject();
    }
    EXPECT_EQ(stored("ScriptFontSize"), "<absent>");
    EXPECT_EQ(stored("UseDefaultFont"), "<absent>");

    TqxDesOptionsForm form(settings, dialogs);
    auto *scriptSize = child<QComboBox>(form, "ScriptFontSizeCB");
    auto *sample = child<QLabel>(form, "SampleScriptPanel");
    scriptSize->setEditText("14");
    EXPECT_EQ(sample->font().pointSize(), 14);
    scriptSize->setEditText("14x");
    EXPECT_EQ(sample->font().pointSize(), 14) << "the sample keeps its size";
    ASSERT_EQ(dialogs.messages.size(), 1);
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Rejected) << "OK waits for a usable size";
    EXPECT_EQ(stored("ScriptFontSize"), "<absent>");

    scriptSize->setEditText("9");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(stored("TextFontName"), QString::fromUtf8("宋体"));
    EXPECT_EQ(stored("TextFontSize"), "12");
    EXPECT_EQ(stored("ScriptFontName"), "Courier New") << "unchanged values are written too";
    EXPECT_EQ(stored("ScriptFontSize"), "9");
    EXPECT_TRUE(settings.readBool(EditorFonts::section(), "UseDefaultFont", false));
}

TEST_F(DesignerOptionsTest, TheDesignersValuesComeBackAsShown)
{
    DesignerOptionValues values;
    values.gridShow = false;
    values.disableUndo = true;
    values.gridSizePixels = 18;
    values.liveRepaint = false;
    values.units = DesignerOptionValues::kUnitsInches;
    values.colouredButtons = false;
    values.pagePosition = DesignerOptionValues::kPageRight;
    values.localizedPropertyNames = true;

    TqxDesOptionsForm form(settings, dialogs);
    form.setValues(values);
    EXPECT_TRUE(child<QRadioButton>(form, "RB11")->isChecked());
    QTest::mouseClick(child<QLabel>(form, "Label1"), Qt::LeftButton);
    const DesignerOptionValues shown = form.values();
    EXPECT_TRUE(shown.liveRepaint) << "the caption toggles its box";
    EXPECT_FALSE(shown.gridShow);
    EXPECT_TRUE(shown.gridAlign);
    EXPECT_TRUE(shown.disableUndo);
    EXPECT_EQ(shown.gridSizePixels, 18);
    EXPECT_EQ(shown.units, DesignerOptionValues::kUnitsInches);
    EXPECT_FALSE(shown.colouredButtons);
    EXPECT_EQ(shown.pagePosition, DesignerOptionValues::kPageRight);
    EXPECT_TRUE(shown.localizedPropertyNames);
}

} // namespace
} // namespace tovren::dialogs
