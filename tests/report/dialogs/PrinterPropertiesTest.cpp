#include "report/dialogs/PrinterPropertiesDialog.h"
#include "report/dialogs/TqxPrintForm.h"
#include "report/output/PrinterCalibration.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/SettingsStore.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
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

TEST_F(PrinterProperties, CalibrationIsKeptPerPrinterAndValuesOutOfRangeAreRefusedByName)
{
    QTemporaryDir dir;
    platform::SettingsStore store(dir.filePath(QStringLiteral("settings.ini")),
                                  QStringLiteral("Tovren"));
    output::PrinterCalibrations calibrations(store);
    ASSERT_TRUE(calibrations.write("Hall", {1.5, -2.25, 101}).isEmpty());
    int calibrationPages = 0;
    const PrinterCalibrationAccess access{&store, &dialogs, [&] { ++calibrationPages; }};
    platform.mode.paperSize = kA4;
    layer.AttachPlatformPrinter(&platform);
    layer.SelectPrinter(1);

    PrinterPropertiesDialog dialog(layer, access);
    auto *x = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("OffsetXE"));
    auto *y = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("OffsetYE"));
    auto *scale = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("ScaleE"));
    ASSERT_TRUE(x && y && scale);
    EXPECT_DOUBLE_EQ(x->value(), 1.5) << "the values stored for this printer are shown";
    EXPECT_DOUBLE_EQ(y->value(), -2.25);
    EXPECT_DOUBLE_EQ(scale->value(), 101);

    dialog.show();
    choosePaper(dialog, kA5);
    y->setValue(-20.5);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "a refused value keeps the dialog open on what was typed";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("垂直偏移")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_DOUBLE_EQ(calibrations.read("Hall").offsetYMm, -2.25) << "nothing is stored";
    EXPECT_EQ(platform.mode.paperSize, kA4) << "nor is the sheet written";

    y->setValue(-20);
    scale->setValue(111);
    dialog.accept();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("缩放")));

    scale->setValue(90);
    x->setValue(-3.1);
    dialog.findChild<QPushButton *>(QStringLiteral("CalibrationPageBtn"))->click();
    EXPECT_EQ(calibrationPages, 1);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    const output::PrinterCalibration stored = calibrations.read("Hall");
    EXPECT_DOUBLE_EQ(stored.offsetXMm, -3.1);
    EXPECT_DOUBLE_EQ(stored.offsetYMm, -20);
    EXPECT_DOUBLE_EQ(stored.scalePercent, 90);
    EXPECT_TRUE(calibrations.read("Office").isIdentity()) << "other printers keep their own";
    EXPECT_EQ(platform.mode.paperSize, kA5);
}

} // namespace
} // namespace tovren::dialogs
