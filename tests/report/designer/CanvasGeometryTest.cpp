// The canvas's commands that need no window: object order, the grid rule, placement in the
// scroll box and the insertion of objects that are not drawn with a frame.
#include "CanvasFixture.h"
#include "report/designer/CanvasGrid.h"
#include "report/designer/CanvasPlacement.h"
#include "report/designer/ObjectInsertion.h"
#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/BandType.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxSubReportView.h"

#include <QPainter>

using namespace tovren;
using designer::CanvasGrid;
using designer::CanvasPlacement;
using designer::ObjectInsertion;
using designer::ObjectTool;
using designer::PagePosition;

namespace {

/// An add-in kind of which a page holds one at most.
class Gauge : public model::TqxView
{
public:
    Gauge() { Flags |= designer::kOnePerPageFlag; }
    void Draw(QPainter &) override {}
    QString className() const override { return QStringLiteral("TqxGauge"); }
};

class ObjectsOnAPage : public ::testing::Test
{
protected:
    ObjectsOnAPage()
    {
        registry.setTextObjectFactory([] { return std::make_unique<model::TqxMemoView>(); });
        pages.Add();
    }

    model::TqxPage &page() { return *pages.page(0); }
    void add(int kind, const QString &name, int bandType = -1)
    {
        auto view = registry.CreateObjectByKind(kind);
        view->Name = name;
        if (bandType >= 0)
            static_cast<model::TqxBandView &>(*view).setBandType(bandType);
        page().addObject(std::move(view));
    }
    QStringList order()
    {
        QStringList names;
        for (qsizetype i = 0; i < page().objectCount(); ++i)
            names.append(page().object(i)->Name);
        return names;
    }

    model::ObjectRegistry registry;
    test::CanvasPaper paper;
    model::TqxPages pages{&paper};
    test::FakeDesignerHost host;
};

TEST_F(ObjectsOnAPage, BandsComeFirstOverlayOnTopCrossBandsLastEachKeepingItsOrder)
{
    add(model::okText, "text1");
    add(model::okBand, "crossData", model::btCrossData);
    add(model::okBand, "title", model::btReportTitle);
    add(model::okBand, "overlay", model::btOverlay);
    add(model::okBand, "crossHeader", model::btCrossHeader);
    add(model::okLine, "line1");
    add(model::okBand, "master", model::btMasterData);
    add(model::okBand, "crossFooter", model::btCrossFooter);
    designer::putBandsFirst(page());
    EXPECT_EQ(order(), (QStringList{"overlay", "title", "master", "crossData", "crossHeader",
                                    "crossFooter", "text1", "line1"}));
}

TEST_F(ObjectsOnAPage, ASecondObjectOfAOnePerPageKindIsRefusedWithAMessage)
{
    ASSERT_TRUE(registry.RegisterAddInObject(
        "TqxGauge", [] { return std::make_unique<Gauge>(); }, QImage(), "仪表"));
    ObjectInsertion insertion(pages, 0, registry, host);
    const ObjectTool gauge{ObjectTool::kFirstAddIn};
    model::TqxView *first = insertion.create(gauge);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->className(), "TqxGauge");
    EXPECT_EQ(insertion.create(gauge), nullptr);
    EXPECT_EQ(page().objectCount(), 1);
    ASSERT_EQ(host.dialogBoxes.messages.size(), 1);
    EXPECT_TRUE(host.dialogBoxes.messages[0].text.contains("TqxGauge"));
    EXPECT_EQ(host.dialogBoxes.messages[0].caption, "错误");
    EXPECT_EQ(insertion.create(ObjectTool{ObjectTool::kFirstAddIn + 1}), nullptr)
        << "an add-in index the registry does not hold";
}

TEST_F(ObjectsOnAPage, ASubReportTargetsTheNewPageItAdds)
{
    add(model::okSubReport, "SubReport1");
    ObjectInsertion insertion(pages, 0, registry, host);
    model::TqxView *sub = insertion.create(ObjectTool{ObjectTool::kSubReport});
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Name, "SubReport2");
    ASSERT_EQ(pages.Count(), 2);
    EXPECT_EQ(static_cast<model::TqxSubReportView *>(sub)->SubReportPage, 1);

    // A band on the new page is asked for as the band of a sub-report's page.
    host.bandChoice = model::btMasterData;
    ObjectInsertion onTarget(pages, 1, registry, host);
    ASSERT_NE(onTarget.create(ObjectTool{ObjectTool::kBand}), nullptr);
    EXPECT_EQ(host.askedBandForSubReportTarget, true);
    EXPECT_EQ(pages.page(1)->object(0)->Name, "主项数据1");
}

TEST(CanvasGridRule, MovementsAreCutTowardZeroToWholeSteps)
{
    const CanvasGrid grid(8, true);
    EXPECT_FALSE(grid.quantise({7, -7}));
    EXPECT_EQ(grid.quantise({13, -13}), QPoint(8, -8));
    EXPECT_EQ(grid.quantise({3, 17}), QPoint(0, 16));
    EXPECT_EQ(grid.withAlt(true).quantise({7, -7}), QPoint(7, -7));
    EXPECT_EQ(grid.snap({-13, 13}), QPoint(-8, 8));
    EXPECT_EQ(CanvasGrid(18, true).snapNearest({27, 28}), QPoint(36, 36));
    EXPECT_EQ(CanvasGrid(18, true).snapNearest({26, 8}), QPoint(18, 0));
    EXPECT_EQ(CanvasGrid(0, true).snap({7, 9}), QPoint(4, 8)) << "a stored step of 0 means 4";
    EXPECT_EQ(ObjectInsertion::defaultObjectSize(18, 10), QSize(108, 18));
    EXPECT_EQ(ObjectInsertion::defaultObjectSize(4, 12), QSize(96, 20));
    EXPECT_EQ(ObjectInsertion::defaultObjectSize(18, 16), QSize(108, 24));
}

TEST(CanvasPlacementRule, ThePageSitsByItsPositionUnlessTheBoxIsTooNarrow)
{
    const QSize a4(758, 1072);
    EXPECT_EQ(CanvasPlacement::place(1000, a4, PagePosition::Centre, false).canvas,
              QRect(121, 10, 758, 1072));
    EXPECT_EQ(CanvasPlacement::place(1000, a4, PagePosition::Right, false).canvas.left(), 231);
    EXPECT_EQ(CanvasPlacement::place(1000, a4, PagePosition::Left, false).canvas.left(), 10);
    EXPECT_EQ(CanvasPlacement::place(768, a4, PagePosition::Centre, false).canvas.left(), 10);
    const CanvasPlacement::Result tall =
        CanvasPlacement::place(500, a4, PagePosition::Centre, true);
    EXPECT_EQ(tall.canvas.height(), 3 * 1072);
    EXPECT_EQ(tall.content, QSize(10 + 758 + 10, 10 + 3 * 1072 + 10));

    EXPECT_EQ(CanvasPlacement::autoScroll({0, 0}, {300, 200}, {350, 150}), QPoint(50, 0));
    EXPECT_EQ(CanvasPlacement::autoScroll({100, 100}, {300, 200}, {40, 150}), QPoint(40, 100));
}

} // namespace
