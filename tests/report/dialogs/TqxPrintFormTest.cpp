#include "report/dialogs/TqxPrintForm.h"

#include "report/output/TqxPrinter.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using output::PageParity;

class PrintForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.names = {"Office", "Hall"};
        platform.deviceGeometry = {2480, 3508, 47, 47, 2386, 3414, 300, 300};
        layer.initialize(&platform);
        form = std::make_unique<TqxPrintForm>(layer, dialogs);
        form->setPageCount(10);
    }
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void choosePrinter(int index)
    {
        auto *printers = child<QComboBox>("CB1");
        printers->setCurrentIndex(index);
        emit printers->activated(index);
    }

    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter layer;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<TqxPrintForm> form;
};

TEST_F(PrintForm, OpensWithTheLayersPrintersAndItsDefaults)
{
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("打印"));
    EXPECT_GE(form->width(), 485);
    EXPECT_GE(form->height(), 226);
    auto *printers = child<QComboBox>("CB1");
    ASSERT_EQ(printers->count(), 3);
    EXPECT_EQ(printers->itemText(2), QString::fromUtf8("虚拟打印机"));
    EXPECT_EQ(printers->currentIndex(), 0);
    EXPECT_TRUE(child<QRadioButton>("RB1")->isChecked());
    EXPECT_EQ(child<QLineEdit>("E1")->text(), "1");
    EXPECT_TRUE(child<QCheckBox>("CollateCB")->isChecked());
    EXPECT_EQ(child<QComboBox>("CB2")->currentText(), QString::fromUtf8("全部页"));
    EXPECT_EQ(child<QPushButton>("Button1")->text(), QString::fromUtf8("确认"));
    EXPECT_TRUE(child<QPushButton>("Button1")->isDefault());
    EXPECT_EQ(child<QPushButton>("Button2")->text(), QString::fromUtf8("取消"));
    EXPECT_EQ(child<QLabel>("Label2")->text(),
              QString::fromUtf8("输入页号或页范围,逗号分隔.例如: 1,3,5-12"));
}

TEST_F(PrintForm, ThePageChoiceBecomesTheRangeText)
{
    form->setCurrentPage(4);
    EXPECT_EQ(form->printParameters().pageRangeText, QString());
    child<QRadioButton>("RB2")->setChecked(true);
    EXPECT_EQ(form->printParameters().pageRangeText, "4");

    form->show();
    auto *range = child<QLineEdit>("E2");
    range->setText("1,3,5-12");
    range->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(child<QRadioButton>("RB3")->isChecked());
    EXPECT_EQ(form->printParameters().pageRangeText, "1,3,5-12");
}

TEST_F(PrintForm, CopiesStepButOneIsTheLeast)
{
    auto *copies = child<QLineEdit>("E1");
    auto *up = child<QToolButton>("qxSpeedButton1");
    auto *down = child<QToolButton>("qxSpeedButton2");
    up->click();
    up->click();
    EXPECT_EQ(copies->text(), "3");
    for (int i = 0; i < 5; ++i)
        down->click();
    EXPECT_EQ(copies->text(), "1");
    copies->clear();
    down->click();
    EXPECT_EQ(copies->text(), "1");
}

TEST_F(PrintForm, CollateParityAndCopiesReachTheParameters)
{
    form->setCopies(3);
    form->show();
    auto *collate = child<QCheckBox>("CollateCB");
    QTest::mouseClick(child<QLabel>("Label3"), Qt::LeftButton);
    EXPECT_FALSE(collate->isChecked());
    child<QComboBox>("CB2")->setCurrentIndex(2);
    const output::PrintParameters p = form->printParameters();
    EXPECT_EQ(p.copies, 3);
    EXPECT_FALSE(p.collate);
    EXPECT_EQ(p.pageParity, PageParity::Even);
}

TEST_F(PrintForm, BadCopiesOrRangeAreExplainedAndTheDialogStaysOpen)
{
    form->show();
    child<QLineEdit>("E1")->clear();
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.at(0).caption, QString::fromUtf8("错误"));

    form->setCopies(2);
    child<QRadioButton>("RB3")->setChecked(true);
    child<QLineEdit>("E2")->setText("1,,3");
    form->accept();
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 2);

    child<QLineEdit>("E2")->setText("2-4");
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(form->printParameters().pageRangeText, "2-4");
}

TEST_F(PrintForm, ChoosingAPrinterSelectsItAtOnceAndOnlyCancelUndoesIt)
{
    bool propertiesShown = false;
    form->setDevicePropertiesHandler([&] {
        propertiesShown = true;
        // The driver's dialog takes the activation away from the print dialog.
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(form.get(), &deactivate);
    });
    form->show();
    choosePrinter(1);
    EXPECT_EQ(layer.activeIndex(), 1);
    child<QPushButton>("PropButton")->click();
    EXPECT_TRUE(propertiesShown);
    EXPECT_EQ(layer.activeIndex(), 1);

    form->reject();
    EXPECT_EQ(layer.activeIndex(), 0);
}

TEST_F(PrintForm, AConfirmedPrinterChoiceStays)
{
    form->show();
    choosePrinter(2);
    EXPECT_TRUE(layer.isVirtualActive());
    form->accept();
    EXPECT_TRUE(layer.isVirtualActive());
    EXPECT_EQ(form->oldPrinterIndex(), 0);
    EXPECT_TRUE(child<QPushButton>("PropButton")->isEnabled())
        << "the virtual printer has properties too";
    form->setDevicePropertiesHandler({});
    EXPECT_FALSE(child<QPushButton>("PropButton")->isEnabled());
}

} // namespace
} // namespace tovren::dialogs
