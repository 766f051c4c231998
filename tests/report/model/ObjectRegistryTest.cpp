#include "report/model/ObjectRegistry.h"

#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxLineView.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

class ChartLikeView : public TqxView
{
public:
    void Draw(QPainter &) override {}
    QString className() const override { return QStringLiteral("TqxChartView"); }
};

ObjectRegistry::Factory chartFactory()
{
    return [] { return std::make_unique<ChartLikeView>(); };
}

TEST(ObjectRegistry, CreatesBuiltInKindsWithIncreasingIds)
{
    ObjectRegistry registry;
    const auto band = registry.CreateObjectByKind(okBand);
    const auto line = registry.CreateObjectByKind(okLine);
    ASSERT_TRUE(band && line);
    EXPECT_NE(dynamic_cast<TqxBandView *>(band.get()), nullptr);
    EXPECT_NE(dynamic_cast<TqxLineView *>(line.get()), nullptr);
    EXPECT_EQ(registry.CreateObjectByKind(okPicture)->ObjectKind, okPicture);
    EXPECT_EQ(registry.CreateObjectByKind(okSubReport)->ObjectKind, okSubReport);
    EXPECT_EQ(line->ObjectId, band->ObjectId + 1);
    EXPECT_EQ(registry.nextObjectId(), 4);
}

TEST(ObjectRegistry, UnknownKindsGiveNoObjectAndTakeNoId)
{
    ObjectRegistry registry;
    EXPECT_EQ(registry.CreateObjectByKind(7), nullptr);
    EXPECT_EQ(registry.CreateObjectByKind(-1), nullptr);
    EXPECT_EQ(registry.CreateObjectByKind(okText), nullptr); // no text class plugged in yet
    EXPECT_EQ(registry.nextObjectId(), 0);

    registry.setTextObjectFactory([] { return std::make_unique<ChartLikeView>(); });
    EXPECT_EQ(registry.CreateObjectByKind(okText)->ObjectKind, okText);
}

TEST(ObjectRegistry, AddInsAreCreatedByExactClassName)
{
    ObjectRegistry registry;
    ASSERT_TRUE(registry.RegisterAddInObject("TqxChartView", chartFactory(), QImage(), "Chart"));
    EXPECT_FALSE(registry.RegisterAddInObject("TqxChartView", chartFactory(), QImage(), "again"));
    EXPECT_EQ(registry.addIns().size(), 1u);

    const auto chart = registry.CreateObjectByKind(okAddIn, "TqxChartView");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ObjectKind, okAddIn);
    EXPECT_THROW(registry.CreateObjectByKind(okAddIn, "TQXCHARTVIEW"), EClassNotFound);
}

TEST(ObjectRegistry, MissingClassesAccumulateIntoOneMessage)
{
    ObjectRegistry registry;
    EXPECT_THROW(registry.CreateObjectByKind(okAddIn, "TFirstMissing"), EClassNotFound);
    try {
        registry.CreateObjectByKind(okAddIn, "TSecondMissing");
        FAIL() << "no exception";
    } catch (const EClassNotFound &error) {
        EXPECT_EQ(error.message(), "TFirstMissing\rTSecondMissing\r");
    }
    EXPECT_TRUE(registry.missingClass());
    registry.clearMissingClasses();
    EXPECT_FALSE(registry.missingClass());
    EXPECT_TRUE(registry.missingClassMessage().isEmpty());
}

TEST(ObjectRegistry, TableHoldsAtMostThirtyTwoAddIns)
{
    ObjectRegistry registry;
    for (int i = 0; i < ObjectRegistry::kMaxAddIns; ++i)
        EXPECT_TRUE(registry.RegisterAddInObject(QString("T%1").arg(i), chartFactory(), {}, {}));
    EXPECT_FALSE(registry.RegisterAddInObject("TOneTooMany", chartFactory(), {}, {}));
}

TEST(TqxGlobals, TablesComeFromTheStringTable)
{
    const TqxGlobals &globals = TqxGlobals::instance();
    ASSERT_EQ(globals.bandTitles.size(), 23);
    EXPECT_EQ(globals.bandTitle(btMasterData), QString::fromUtf8("主项数据"));
    EXPECT_EQ(globals.bandTitle(btNone), QString::fromUtf8("无"));
    EXPECT_TRUE(globals.bandTitle(23).isEmpty());
    EXPECT_EQ(globals.xmlBandElementNames.at(btGroupHeader), "TqxGroupHeader");
    EXPECT_TRUE(globals.xmlBandElementNames.at(btOverlay).isEmpty());
    EXPECT_EQ(globals.booleanFormats.size(), 4);
    EXPECT_EQ(globals.defaultCharset, 1);
    EXPECT_EQ(globals.styleConstants.value("clInfoBk").toInt64(), 0xFF000018LL);

    const QImage &hatch = globals.hatchImage();
    EXPECT_EQ(hatch.size(), QSize(8, 8));
    EXPECT_EQ(hatch.pixelColor(3, 5), QColor(Qt::white));
    EXPECT_EQ(hatch.pixelColor(4, 5), QColor(0xC0, 0xC0, 0xC0));
}

} // namespace
} // namespace tovren::model
