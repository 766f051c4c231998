#include "report/dialogs/TqxChartForm.h"

#include "report/chart/ChartSettingsRecord.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kErrorCaption = 55206;
constexpr QSize kClientSize(270, 232);
constexpr int kKindButtonPixels = 29;
constexpr int kKindIconPixels = 20;
constexpr int kDataTab = 1;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// A small picture of each chart kind for its type button.
QIcon kindIcon(chart::SeriesKind kind)
{
    const int s = kKindIconPixels;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    const QPolygonF trend{{2, 16}, {7, 9}, {12, 12}, {18, 4}};
    switch (kind) {
    case chart::SeriesKind::Line:
        painter.setPen(QPen(Qt::red, 2));
        painter.drawPolyline(trend);
        break;
    case chart::SeriesKind::Area: {
        QPolygonF area = trend;
        area << QPointF(18, 18) << QPointF(2, 18);
        painter.setBrush(QColor(Qt::green).darker(120));
        painter.drawPolygon(area);
        break;
    }
    case chart::SeriesKind::Point:
        painter.setBrush(Qt::blue);
        for (const QPointF &point : trend)
            painter.drawEllipse(point, 2, 2);
        break;
    case chart::SeriesKind::Bar:
        painter.setBrush(Qt::red);
        painter.drawRect(QRectF(2, 9, 4, 9));
        painter.setBrush(Qt::green);
        painter.drawRect(QRectF(8, 3, 4, 15));
        painter.setBrush(Qt::blue);
        painter.drawRect(QRectF(14, 7, 4, 11));
        break;
    case chart::SeriesKind::HorizontalBar:
        painter.setBrush(Qt::red);
        painter.drawRect(QRectF(2, 2, 9, 4));
        painter.setBrush(Qt::green);
        painter.drawRect(QRectF(2, 8, 15, 4));
        painter.setBrush(Qt::blue);
        painter.drawRect(QRectF(2, 14, 11, 4));
        break;
    case chart::SeriesKind::Pie: {
        const QRectF disc(2, 2, 16, 16);
        painter.setBrush(Qt::red);
        painter.drawPie(disc, 90 * 16, 130 * 16);
        painter.setBrush(Qt::green);
        painter.drawPie(disc, 220 * 16, 90 * 16);
        painter.setBrush(Qt::blue);
        painter.drawPie(disc, 310 * 16, 140 * 16);
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace

TqxChartForm::TqxChartForm(chart::TqxChartView &chart, platform::DialogProvider &dialogs,
                           QWidget *parent)
    : QDialog(parent)
    , m_chart(chart)
    , m_dialogs(dialogs)
{
    setWindowTitle(text("Chart 对象"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildTypeTab(), text("类型"));
    m_tabs->addTab(buildDataTab(), text("数据"));
    m_tabs->addTab(buildMarksTab(), text("标记"));
    layout->addWidget(m_tabs);

    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    buttons.ok->setObjectName(QStringLiteral("Button1"));
    buttons.cancel->setObjectName(QStringLiteral("Button2"));

    showValues(ChartFormValues::fromChart(m_chart));
    setFixedSize(sizeHint().expandedTo(kClientSize));
}

TqxChartForm::~TqxChartForm() = default;

QWidget *TqxChartForm::buildTypeTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("Tab1"));
    auto *types = new QGroupBox(text("类型"));
    types->setObjectName(QStringLiteral("GroupBox1"));
    m_kinds = new QButtonGroup(this);
    m_kinds->setExclusive(true);
    const char *const tips[chart::kSeriesKindCount] = {"折线图", "面积图", "点图",
                                                       "柱形图", "条形图", "饼图"};
    auto *row = new QHBoxLayout(types);
    for (int kind = 0; kind < chart::kSeriesKindCount; ++kind) {
        auto *button = new QToolButton;
        button->setObjectName(QStringLiteral("SB%1").arg(kind + 1));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(kKindButtonPixels, kKindButtonPixels);
        button->setIcon(kindIcon(chart::SeriesKind(kind)));
        button->setIconSize(QSize(kKindIconPixels, kKindIconPixels));
        button->setToolTip(text(tips[kind]));
        m_kinds->addButton(button, kind);
        row->addWidget(button);
    }
    row->addStretch();

    auto *options = new QGroupBox(text("选项"));
    options->setObjectName(QStringLiteral("GroupBox3"));
    const char *const captions[] = {"&3D",        "单线(&S)",     "显示图例(&l)",
                                    "显示轴(&a)", "显示标记(&m)", "多色显示(&r)"};
    auto *grid = new QGridLayout(options);
    for (size_t i = 0; i < m_options.size(); ++i) {
        m_options[i] = new QCheckBox(text(captions[i]));
        m_options[i]->setObjectName(QStringLiteral("CB%1").arg(i + 1));
        grid->addWidget(m_options[i], int(i % 3), int(i / 3));
    }

    auto *column = new QVBoxLayout(tab);
    column->addWidget(types);
    column->addWidget(options);
    column->addStretch();
    return tab;
}

QWidget *TqxChartForm::buildDataTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("Tab2"));
    auto *names = new QGroupBox(text("对象名称"));
    names->setObjectName(QStringLiteral("GroupBox2"));
    m_legendSource = named<QLineEdit>("E1");
    m_valueSource = named<QLineEdit>("E2");
    auto *namesGrid = new QGridLayout(names);
    namesGrid->addWidget(buddyLabel(text("图例(&l)"), m_legendSource, "Label1"), 0, 0);
    namesGrid->addWidget(m_legendSource, 0, 1);
    namesGrid->addWidget(buddyLabel(text("值(&v)"), m_valueSource, "Label2"), 1, 0);
    namesGrid->addWidget(m_valueSource, 1, 1);

    auto *top = new QGroupBox(text("前十个分组"));
    top->setObjectName(QStringLiteral("GroupBox5"));
    m_topCount = named<QLineEdit>("E3");
    m_othersLabel = named<QLineEdit>("E4");
    auto *valuesLabel = new QLabel(text("值"));
    valuesLabel->setObjectName(QStringLiteral("Label5"));
    auto *topGrid = new QGridLayout(top);
    topGrid->addWidget(buddyLabel(text("顶端显示(&S)"), m_topCount, "Label3"), 0, 0);
    topGrid->addWidget(m_topCount, 0, 1);
    topGrid->addWidget(valuesLabel, 0, 2);
    topGrid->addWidget(buddyLabel(text("标号(&b)"), m_othersLabel, "Label4"), 1, 0);
    topGrid->addWidget(m_othersLabel, 1, 1, 1, 2);

    auto *column = new QVBoxLayout(tab);
    column->addWidget(names);
    column->addWidget(top);
    column->addStretch();
    return tab;
}

QWidget *TqxChartForm::buildMarksTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("Tab3"));
    auto *styles = new QGroupBox(text("风格"));
    styles->setObjectName(QStringLiteral("GroupBox4"));
    m_markStyles = new QButtonGroup(this);
    const char *const captions[chart::kMarkStyleCount] = {"值", "百分率", "标号", "标号及百分率",
                                                          "标号及值"};
    auto *column = new QVBoxLayout(styles);
    for (int style = 0; style < chart::kMarkStyleCount; ++style) {
        auto *button = new QRadioButton(text(captions[style]));
        button->setObjectName(QStringLiteral("RB%1").arg(style + 1));
        m_markStyles->addButton(button, style);
        column->addWidget(button);
    }
    auto *outer = new QVBoxLayout(tab);
    outer->addWidget(styles);
    outer->addStretch();
    return tab;
}

void TqxChartForm::showValues(const ChartFormValues &values)
{
    m_shown = values;
    for (QButtonGroup *group : {m_kinds, m_markStyles}) {
        // With no exclusivity for a moment, a number no button stands for leaves none pressed.
        group->setExclusive(false);
        for (QAbstractButton *button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
    }
    if (QAbstractButton *kind = m_kinds->button(values.seriesKind))
        kind->setChecked(true);
    if (QAbstractButton *style = m_markStyles->button(values.markStyle))
        style->setChecked(true);
    const bool flags[] = {values.use3D,       values.singleSeries, values.legendVisible,
                          values.axesVisible, values.marksVisible, values.multiColor};
    for (size_t i = 0; i < m_options.size(); ++i)
        m_options[i]->setChecked(flags[i]);
    m_legendSource->setText(values.legendSource);
    m_valueSource->setText(values.valueSource);
    m_topCount->setText(values.topCountText);
    m_othersLabel->setText(values.othersLabel);
}

ChartFormValues TqxChartForm::values() const
{
    ChartFormValues values = m_shown;
    if (m_kinds->checkedId() >= 0)
        values.seriesKind = quint8(m_kinds->checkedId());
    if (m_markStyles->checkedId() >= 0)
        values.markStyle = quint8(m_markStyles->checkedId());
    values.use3D = m_options[0]->isChecked();
    values.singleSeries = m_options[1]->isChecked();
    values.legendVisible = m_options[2]->isChecked();
    values.axesVisible = m_options[3]->isChecked();
    values.marksVisible = m_options[4]->isChecked();
    values.multiColor = m_options[5]->isChecked();
    values.legendSource = m_legendSource->text();
    values.valueSource = m_valueSource->text();
    values.topCountText = m_topCount->text();
    values.othersLabel = m_othersLabel->text();
    return values;
}

int TqxChartForm::exec()
{
    showValues(ChartFormValues::fromChart(m_chart));
    m_tabs->setCurrentIndex(0);
    return QDialog::exec();
}

bool TqxChartForm::applyToChart() const
{
    return values().applyTo(m_chart);
}

void TqxChartForm::done(int result)
{
    if (result == QDialog::Accepted && !values().topCount()) {
        m_dialogs.messageBox(text("“顶端显示”必须是一个整数, 0 表示显示全部的值。"),
                             platform::LoadLibraryString(kErrorCaption),
                             platform::mb_Ok | platform::mb_IconError);
        m_tabs->setCurrentIndex(kDataTab);
        m_topCount->setFocus();
        m_topCount->selectAll();
        return;
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
