#include "report/dialogs/PrinterPropertiesDialog.h"
#include "report/dialogs/TqxPrintForm.h"
#include "report/output/TqxPrinter.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

constexpr int kA4 = 9;
constexpr int kA5 = 11;
constexpr int kLetter = 1;

class PrinterProperties : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.names = {"Office", "Hall"};
        platform.paperList = {{kLetter, "Letter"}, {kA4, "A4"}, {kA5, "A5"}, {256, "Custom"}};
        platform.deviceGeometry = {2480, 3508, 47, 47, 2386, 3414, 300, 300};
        layer.initialize(&platform);
    }

    /// Answers the next properties dialog that opens modally with @p answer.
    void answerPropertiesDialog(std::function<void(PrinterPropertiesDialog &)> answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto *dialog =
                qobject_cast<PrinterPropertiesDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the properties dialog did not open";
            ++propertiesShown;
            answer(*dialog);
        });
    }
    void choosePaper(PrinterPropertiesDialog &dialog, int code)
    {
        auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("PaperCB"));
        ASSERT_NE(paper, nullptr);
        const int index = int(layer.paperCodeList().indexOf(code));
        ASSERT_GE(index, 0);
        paper->setCurrentIndex(index);
    }

    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter layer;
    test::ScriptedDialogs dialogs;
    int propertiesShown = 0;
};

TEST_F(PrinterProperties, OpensOnTheSheetInForceAndWritesTheChosenOneWhenConfirmed)
{
    platform.mode.paperSize = kA4;
    layer.AttachPlatformPrinter(&platform);
    PrinterPropertiesDialog dialog(layer);
    auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("PaperCB"));
    EXPECT_EQ(paper->currentText(), "A4");
    EXPECT_TRUE(dialog.findChild<QRadioButton *>(QStringLiteral("PortraitRB"))->isChecked());
    EXPECT_FALSE(dialog.findChild<QSpinBox *>(QStringLiteral("WidthE"))->isEnabled())
        << "a listed paper has its own size";

    choosePaper(dialog, kA5);
    dialog.findChild<QRadioButton *>(QStringLiteral("LandscapeRB"))->setChecked(true);
    dialog.reject();
    EXPECT_EQ(platform.mode.paperSize, kA4) << "cancel writes nothing";

    dialog.accept();
    EXPECT_EQ(platform.mode.paperSize, kA5);
    EXPECT_EQ(platform.mode.orientation, output::DeviceMode::kLandscape);
    EXPECT_EQ(layer.paperCode(), kA5);
    EXPECT_TRUE(layer.landscape());
}

TEST_F(PrinterProperties, TheVirtualPrinterTakesACustomSheet)
{
    layer.SelectPrinter(layer.virtualIndex());
    PrinterPropertiesDialog dialog(layer);
    auto *paper = dialog.findChild<QComboBox *>(QStringLiteral("PaperCB"));
    EXPECT_EQ(paper->count(), 67);
    paper->setCurrentIndex(paper->count() - 1);
    auto *width = dialog.findChild<QSpinBox *>(QStringLiteral("WidthE"));
    auto *height = dialog.findChild<QSpinBox *>(QStringLiteral("HeightE"));
    ASSERT_TRUE(width->isEnabled());
    width->setValue(1900);
    height->setValue(1400);
    dialog.accept();
    EXPECT_TRUE(layer.isVirtualActive());
    EXPECT_EQ(layer.paperCode(), 256);
    EXPECT_EQ(layer.sheetWidth(), 1900);
    EXPECT_EQ(layer.sheetHeight(), 1400);
}

TEST_F(PrinterProperties, ThePrintDialogKeepsTheChosenPrinterWhileItsPropertiesAreShown)
{
    TqxPrintForm form(layer, dialogs);
    form.show();
    auto *printers = form.findChild<QComboBox *>(QStringLiteral("CB1"));
    printers->setCurrentIndex(1);
    emit printers->activated(1);
    ASSERT_EQ(layer.activeIndex(), 1);

    auto *properties = form.findChild<QPushButton *>(QStringLiteral("PropButton"));
    ASSERT_TRUE(properties->isEnabled());
    answerPropertiesDialog([](PrinterPropertiesDialog &dialog) {
        dialog.findChild<QRadioButton *>(QStringLiteral("LandscapeRB"))->setChecked(true);
        dialog.accept();
    });
    properties->click();
    EXPECT_EQ(propertiesShown, 1);
    EXPECT_EQ(layer.activeIndex(), 1) << "opening the properties is no cancel of the print dialog";
    EXPECT_TRUE(layer.landscape());
    EXPECT_TRUE(form.isVisible());

    answerPropertiesDialog([](PrinterPropertiesDialog &dialog) { dialog.reject(); });
    properties->click();
    EXPECT_EQ(propertiesShown, 2);
    EXPECT_EQ(layer.activeIndex(), 1);

    form.reject();
    EXPECT_EQ(layer.activeIndex(), 0)
        << "only the cancelled print dialog puts the old printer back";
}

TEST_F(PrinterProperties, AConfirmedPrintDialogKeepsThePrinterSetUpInItsProperties)
{
    TqxPrintForm form(layer, dialogs);
    form.setPageCount(3);
    form.show();
    auto *printers = form.findChild<QComboBox *>(QStringLiteral("CB1"));
    printers->setCurrentIndex(layer.virtualIndex());
    emit printers->activated(layer.virtualIndex());
    answerPropertiesDialog([this](PrinterPropertiesDialog &dialog) {
        choosePaper(dialog, kA5);
        dialog.accept();
    });
    form.findChild<QPushButton *>(QStringLiteral("PropButton"))->click();
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(layer.isVirtualActive());
    EXPECT_EQ(layer.paperCode(), kA5);
    EXPECT_EQ(layer.sheetWidth(), 1480);
}

} // namespace
} // namespace tovren::dialogs
