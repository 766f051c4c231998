#include "report/output/PrinterSwitch.h"

#include "FakePlatformPrinter.h"
#include "report/model/TqxPages.h"
#include "report/output/TqxPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace tovren::output {
namespace {

// A printer service whose second printer has no readable settings.
class BrokenSecondPrinter : public testing::FakePlatformPrinter
{
public:
    std::optional<DeviceMode> readDeviceMode() override
    {
        if (current == 1)
            return std::nullopt;
        return FakePlatformPrinter::readDeviceMode();
    }
};

class SwitchingPrinters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.names = {"Office", "Broken", "Hall"};
        platform.paperList = {{9, "A4"}, {11, "A5"}};
        platform.deviceGeometry = {2480, 3508, 47, 47, 2386, 3414, 300, 300};
        layer.initialize(&platform);
        pages.Add();
    }

    BrokenSecondPrinter platform;
    TqxPrinter layer;
    model::TqxPages pages{&layer};
    test::ScriptedDialogs dialogs;
    QString printerName;
};

TEST_F(SwitchingPrinters, ANewPrinterLaysThePagesOutAgain)
{
    pages.page(0)->PageInfo = {};
    EXPECT_TRUE(SwitchPrinter(layer, pages, 0, 2, dialogs, printerName));
    EXPECT_EQ(layer.activeIndex(), 2);
    EXPECT_EQ(printerName, "Hall");
    EXPECT_EQ(pages.page(0)->PageInfo.DevPaperWidth, 2480);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SwitchingPrinters, ARefusedPrinterIsReportedAndTheOldOneComesBack)
{
    EXPECT_FALSE(SwitchPrinter(layer, pages, 0, 1, dialogs, printerName));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.at(0).text, QString::fromUtf8("所选打印机错误"));
    EXPECT_EQ(dialogs.messages.at(0).caption, QString::fromUtf8("错误"));
    EXPECT_EQ(layer.activeIndex(), 0);
    EXPECT_EQ(printerName, "Office");
    EXPECT_EQ(pages.page(0)->PageInfo.DevPaperWidth, 2480);
}

} // namespace
} // namespace tovren::output
