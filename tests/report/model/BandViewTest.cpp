#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;

TEST(TqxBandView, NewBandIsAReportTitlePrintedOnFirstAndLastPage)
{
    TqxBandView band;
    EXPECT_EQ(band.bandType(), btReportTitle);
    EXPECT_EQ(band.Flags, 48);
    EXPECT_EQ(band.ObjectKind, okBand);
    EXPECT_EQ(band.BaseName, "Band");
    EXPECT_EQ(band.DisplayFormat, 0);
    EXPECT_EQ(band.title(), QString::fromUtf8("报表标题"));
}

TEST(TqxBandView, PropertiesFollowTheBandType)
{
    TqxBandView band;
    band.setBandType(btMasterData);
    EXPECT_EQ(band.title(), QString::fromUtf8("主项数据"));
    for (const char *name :
         {"ChildBand", "PrintChildIfInvisible", "Stretched", "FormNewPage", "PrintIfSubsetEmpty",
          "Breaked", "DataSource", "Columns", "ColumnWidth", "ColumnGap", "OnBeforePrint", "EOF"})
        EXPECT_NE(band.findProperty(name), nullptr) << name;
    for (const char *name : {"Condition", "OnFirstPage", "FrameTyp", "FillColor", "Tag", "Memo"})
        EXPECT_EQ(band.findProperty(name), nullptr) << name;

    band.setBandType(btPageFooter);
    EXPECT_EQ(band.findProperty("ChildBand"), nullptr);
    EXPECT_EQ(band.findProperty("PrintChildIfInvisible"), nullptr);
    EXPECT_NE(band.findProperty("OnFirstPage"), nullptr);
    EXPECT_NE(band.findProperty("OnLastPage"), nullptr);

    band.setBandType(btGroupHeader);
    EXPECT_NE(band.findProperty("Condition"), nullptr);
    EXPECT_NE(band.findProperty("Master"), nullptr);
    EXPECT_NE(band.findProperty("RepeatHeader"), nullptr);
}

TEST(TqxBandView, TypeKeepsTheHighBitsOfFrameTyp)
{
    TqxBandView band;
    band.FrameTyp = 0x80;
    band.setBandType(130); // only the low 7 bits count
    EXPECT_EQ(band.bandType(), 2);
    EXPECT_EQ(band.FrameTyp, 0x82);
}

TEST(TqxBandView, NamedFlagsAndFields)
{
    TqxBandView band;
    band.SetPropertyValue("FormNewPage", Variant(true));
    band.SetPropertyValue("ONLASTPAGE", Variant(false));
    band.SetPropertyValue("Condition", Variant(QStringLiteral("Aqy.Class")));
    band.SetPropertyValue("Columns", Variant(3));
    EXPECT_EQ(band.Flags, 16 | 2);
    EXPECT_EQ(band.CustomFormat, "Aqy.Class");
    EXPECT_EQ(band.GetPropertyValue("COLUMNS"), Variant(3));
    EXPECT_EQ(band.GetPropertyValue("FormNewPage"), Variant(true));
    EXPECT_TRUE(band.GetPropertyValue("EOF").isEmpty());
}

TEST(TqxBandView, ShortTitlesGetTheMinimumTabWidth)
{
    TqxBandView band;
    EXPECT_EQ(band.BandTitleWidth(), 100);
}

TEST(TqxBandView, DesignerDrawsTheHatchAndTheTitleTab)
{
    runState().reset();
    TqxBandView band;
    band.SetBounds(0, 40, 150, 40);
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    band.Draw(painter);
    painter.end();

    EXPECT_EQ(image.pixelColor(20, 60), QColor(Qt::white)); // x + y even
    EXPECT_EQ(image.pixelColor(21, 60), QColor(0xC0, 0xC0, 0xC0));
    // The tab above the band in the button face colour, its black edge at Left + w - 1.
    EXPECT_EQ(image.pixelColor(90, 24), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixelColor(99, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(150, 10), QColor(Qt::blue));
}

} // namespace
} // namespace tovren::model
