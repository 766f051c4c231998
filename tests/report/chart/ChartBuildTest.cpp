#include "BuildFixture.h"
#include "ChartPixels.h"
#include "report/chart/ChartRegistration.h"
#include "report/chart/TqxChartView.h"
#include "report/engine/PdfExportFilter.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace tovren::chart {
namespace {

/// Three records (N = 1, 2, 3) listed by a master data band whose texts "Label" and "Value"
/// print "第N" and N, and the charts that collect them.
class ChartBuild : public test::BuildTest
{
protected:
    ChartBuild()
        : BuildTest(3)
        , page(addPage())
    {
        registerChartObject();
        addBand(page, model::btMasterData, 0, 30, QStringLiteral("Data"),
                QStringLiteral("qxDBDataSet1"));
        addText(page, 10, 5, QStringLiteral("第[Aqy.\"N\"]"), QStringLiteral("Label"));
        addText(page, 220, 5, QStringLiteral("[Aqy.\"N\"]"), QStringLiteral("Value"));
    }

    TqxChartView &addChart(int top, int height)
    {
        auto chart = std::make_unique<TqxChartView>();
        chart->Name = QStringLiteral("Chart1");
        chart->SetBounds(10, top, 600, height);
        chart->LegendSource = QStringLiteral("Label");
        chart->ValueSource = QStringLiteral("Value");
        chart->ChartSettings.seriesKind = quint8(SeriesKind::Bar);
        chart->ChartSettings.use3D = false;
        chart->ChartSettings.legendVisible = false;
        chart->ChartSettings.marksVisible = false;
        return static_cast<TqxChartView &>(page.addObject(std::move(chart)));
    }

    /// The data lines of every chart printed, in the order they were printed.
    QList<QStringList> printedCharts()
    {
        QList<QStringList> charts;
        for (qsizetype p = 0; p < report.EMFPages().Count(); ++p) {
            model::TqxPage &prepared = report.EMFPages().Unpack(p);
            for (qsizetype i = 0; i < prepared.objectCount(); ++i) {
                if (auto *chart = dynamic_cast<TqxChartView *>(prepared.object(i)))
                    charts << chart->Memo;
            }
        }
        return charts;
    }

    model::TqxPage &page;
};

TEST_F(ChartBuild, AChartInTheSummaryShowsEveryValueTheReportPrinted)
{
    addBand(page, model::btReportSummary, 100, 320, QStringLiteral("Summary"));
    TqxChartView &chart = addChart(110, 300);
    chart.Memo = QStringList{QStringLiteral("typed;"), QStringLiteral("1;")};

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(printedCharts(), (QList<QStringList>{{"typed;第1;第2;第3;", "1;1;2;3;"}}));
    auto *restored =
        dynamic_cast<TqxChartView *>(report.Pages().FindObject(QStringLiteral("Chart1")));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Memo, (QStringList{"typed;", "1;"})) << "the design data stay";
}

TEST_F(ChartBuild, AChartPrintedOnEveryRecordShowsOnlyWhatCameSinceItsLastPrint)
{
    page.object(0)->Height = 330;
    addChart(30, 300); // after the texts in the band's list, so it hears of them first

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(printedCharts(),
              (QList<QStringList>{{"第1;", "1;"}, {"第2;", "2;"}, {"第3;", "3;"}}));
}

TEST_F(ChartBuild, TheChartsBarsAreDrawnInThePdf)
{
    addBand(page, model::btReportSummary, 100, 320, QStringLiteral("Summary"));
    addChart(110, 300);
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    engine::PdfExportFilter filter;
    ASSERT_TRUE(report.ExportPages(filter, pdf)) << report.lastMessage().toStdString();

    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    if (!render.waitForFinished(30000) || render.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "pdftoppm is not available";
    const QImage image(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(image.isNull());
    const auto bars = testing::firstThreeBars(image);
    ASSERT_GT(bars[0].pixels, 100);
    EXPECT_NEAR(double(bars[1].pixels) / bars[0].pixels, 2.0, 0.2);
    EXPECT_NEAR(double(bars[2].pixels) / bars[0].pixels, 3.0, 0.3);
    EXPECT_LT(bars[0].meanX, bars[1].meanX);
    EXPECT_LT(bars[1].meanX, bars[2].meanX);
}

} // namespace
} // namespace tovren::chart
