// The chart object in the designer: its tool button and its editor, answered without a window.
#include "report/chart/ChartRegistration.h"
#include "report/chart/TqxChartView.h"
#include "report/designer/TqxDesignerPage.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QAction>
#include <QMouseEvent>

namespace tovren::test {
namespace {

class ChartEditingTest : public DesignerTest
{
protected:
    ChartEditingTest() { chart::registerChartObject(); }

    chart::TqxChartView &addChart()
    {
        auto created = std::make_unique<chart::TqxChartView>();
        created->Name = QStringLiteral("Chart1");
        created->SetBounds(40, 40, 200, 120);
        // Undo finds objects by their id, so the chart needs one no other object has.
        model::TqxPage &page = *report.Pages().page(0);
        for (qsizetype i = 0; i < page.objectCount(); ++i)
            created->ObjectId = std::max(created->ObjectId, page.object(i)->ObjectId + 1);
        return static_cast<chart::TqxChartView &>(page.addObject(std::move(created)));
    }
    void select(designer::TqxDesignerForm &window, const model::TqxView &view)
    {
        designer::TqxDesignerPage &canvas = window.canvas();
        const QPoint at(view.Left + 5, view.Top + 5);
        QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&canvas, &move);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, at);
    }
};

TEST_F(ChartEditingTest, TheObjectsToolBarOffersTheChart)
{
    const auto window = openDesigner();
    const QList<QAction *> actions = window->findChildren<QAction *>();
    EXPECT_TRUE(std::any_of(actions.begin(), actions.end(), [](const QAction *action) {
        return action->toolTip().contains(QStringLiteral("插入 Chart 对象")) ||
               action->text().contains(QStringLiteral("插入 Chart 对象"));
    }));
}

TEST_F(ChartEditingTest, EditingAChartWritesTheConfirmedOptionsAsOneUndoStep)
{
    chart::TqxChartView &chart = addChart();
    const auto window = openDesigner();
    window->show();
    select(*window, chart);
    ASSERT_EQ(window->canvas().selection().single(), &chart);

    // Cancel leaves the chart and the undo list alone.
    window->editSelection();
    EXPECT_EQ(designerDialogs.chartEditorOpened, 1);
    EXPECT_FALSE(window->undoHistory().canUndo());

    dialogs::ChartFormValues answer = dialogs::ChartFormValues::fromChart(chart);
    answer.seriesKind = quint8(chart::SeriesKind::Pie);
    answer.legendSource = QStringLiteral("Memo3");
    answer.topCountText = QStringLiteral("4");
    designerDialogs.chartAnswer = answer;
    window->editSelection();
    EXPECT_EQ(chart.ChartSettings.kind(), chart::SeriesKind::Pie);
    EXPECT_EQ(chart.LegendSource, QStringLiteral("Memo3"));
    EXPECT_EQ(chart.ChartSettings.topCount, 4);
    EXPECT_TRUE(window->undoHistory().canUndo());

    window->undo();
    const auto *restored = dynamic_cast<chart::TqxChartView *>(
        report.Pages().page(0)->FindObjectByName(QStringLiteral("Chart1")));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->ChartSettings.kind(), chart::SeriesKind::Line);
    EXPECT_TRUE(restored->LegendSource.isEmpty());
}

} // namespace
} // namespace tovren::test
