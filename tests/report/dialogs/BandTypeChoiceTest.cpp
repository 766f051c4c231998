#include "report/dialogs/BandTypeChoice.h"

#include "report/dialogs/TqxBandTypesForm.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <QRadioButton>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using namespace model;

void addBand(TqxPage &page, int type)
{
    auto band = std::make_unique<TqxBandView>();
    band->setBandType(type);
    page.addObject(std::move(band));
}

QList<int> allTypesBut(std::initializer_list<int> refused)
{
    QList<int> types;
    for (int type = 0; type < kChooserBandTypes; ++type) {
        if (std::find(refused.begin(), refused.end(), type) == refused.end())
            types << type;
    }
    return types;
}

TEST(BandTypeChoiceTest, SingleBandsAreOfferedOncePerPage)
{
    TqxPage page(nullptr, SheetRequest{});
    EXPECT_EQ(enabledBandTypes(page, false), allTypesBut({}));

    for (int type : {btReportTitle, btMasterData, btGroupHeader, btChild, btCrossData})
        addBand(page, type);
    EXPECT_EQ(enabledBandTypes(page, false), allTypesBut({btReportTitle, btCrossData}))
        << "data, group and child bands may repeat";
}

TEST(BandTypeChoiceTest, ASubreportPageTakesNoPageLevelBands)
{
    TqxPage page(nullptr, SheetRequest{});
    addBand(page, btOverlay);
    EXPECT_EQ(enabledBandTypes(page, true),
              QList<int>({4, 5, 6, 7, 8, 9, 10, 11, 12, 18, 19, 20, 21}));

    TqxBandTypesForm form(page);
    EXPECT_EQ(form.chosenBandType(), btReportTitle);
    form.setSubreportPage(true);
    EXPECT_EQ(form.chosenBandType(), btMasterHeader) << "the first type offered";
    auto *title = form.findChild<QRadioButton *>(QStringLiteral("BandType0"));
    auto *header = form.findChild<QRadioButton *>(QStringLiteral("BandType4"));
    ASSERT_TRUE(title && header);
    EXPECT_FALSE(title->isEnabled());
    EXPECT_TRUE(header->isChecked());
    EXPECT_EQ(title->text(), QString::fromUtf8("报表标题"));
    EXPECT_EQ(form.findChild<QRadioButton *>(QStringLiteral("BandType21"))->text(),
              QString::fromUtf8("子"));
}

} // namespace
} // namespace tovren::dialogs
