#include "report/dialogs/TqxChartForm.h"

#include "report/chart/TqxChartView.h"
#include "tests/support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

class ChartForm : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.ChartSettings.seriesKind = quint8(chart::SeriesKind::Pie);
        chart.ChartSettings.markStyle = quint8(chart::MarkStyle::LabelPercent);
        chart.ChartSettings.axesVisible = true;
        chart.ChartSettings.topCount = 4;
        chart.LegendSource = QStringLiteral("学校");
        chart.OthersLabel = QStringLiteral("其它");
        form = std::make_unique<TqxChartForm>(chart, dialogs);
    }
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = form->findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void pressOk() { QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton); }

    chart::TqxChartView chart;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<TqxChartForm> form;
};

TEST_F(ChartForm, ShowsTheChartsOptionsInItsControls)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Chart 对象"));
    EXPECT_TRUE(child<QAbstractButton>("SB6")->isChecked());
    EXPECT_FALSE(child<QAbstractButton>("SB1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("RB4")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("CB4")->isChecked());
    EXPECT_EQ(child<QLineEdit>("E1")->text(), QStringLiteral("学校"));
    EXPECT_EQ(child<QLineEdit>("E3")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>("E4")->text(), QStringLiteral("其它"));
}

TEST_F(ChartForm, RefusesATopCountThatIsNoNumberBeforeAnythingIsWritten)
{
    form->show();
    child<QAbstractButton>("SB4")->click();
    child<QLineEdit>("E2")->setText(QStringLiteral("人数"));
    child<QLineEdit>("E3")->setText(QStringLiteral("十"));
    pressOk();

    EXPECT_TRUE(form->isVisible()) << "the dialog stays open";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(child<QTabWidget>("PageControl1")->currentIndex(), 1);
    EXPECT_FALSE(form->applyToChart());
    EXPECT_EQ(chart.ChartSettings.seriesKind, quint8(chart::SeriesKind::Pie));
    EXPECT_TRUE(chart.ValueSource.isEmpty());

    child<QLineEdit>("E3")->setText(QStringLiteral(" 2 "));
    pressOk();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ASSERT_TRUE(form->applyToChart());
    EXPECT_EQ(chart.ChartSettings.seriesKind, quint8(chart::SeriesKind::Bar));
    EXPECT_EQ(chart.ChartSettings.topCount, 2);
    EXPECT_EQ(chart.ValueSource, QStringLiteral("人数"));
    EXPECT_EQ(chart.OthersLabel, QStringLiteral("其它"));
}

} // namespace
} // namespace tovren::dialogs
