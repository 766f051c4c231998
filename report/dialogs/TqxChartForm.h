#pragma once

#include "report/dialogs/ChartFormValues.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace tovren::chart {
class TqxChartView;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

/// The chart editor: kind, options, source objects and top-N grouping, and the style of the
/// marks, on three tabs.
///
/// The dialog never changes the chart by itself. exec() shows the chart's options on the first
/// tab; after it returns Accepted the caller records its undo step and then calls
/// applyToChart(). OK is refused, with a message through the dialog provider, while the
/// "顶端显示" box holds no whole number, so an accepted dialog always applies completely.
class TqxChartForm : public QDialog
{
    Q_OBJECT
public:
    /// Neither @p chart nor @p dialogs is owned; both must outlive the dialog.
    TqxChartForm(chart::TqxChartView &chart, platform::DialogProvider &dialogs,
                 QWidget *parent = nullptr);
    ~TqxChartForm() override;

    /// Fills the controls from the chart, shows the first tab and runs the dialog modally.
    int exec() override;

    /// What the controls hold now.
    ChartFormValues values() const;
    /// Shows @p values in the controls.
    void showValues(const ChartFormValues &values);
    /// Writes the controls into the chart; false, with nothing written, when TopCount is no
    /// whole number.
    bool applyToChart() const;

    void done(int result) override;

private:
    QWidget *buildTypeTab();
    QWidget *buildDataTab();
    QWidget *buildMarksTab();

    chart::TqxChartView &m_chart;
    platform::DialogProvider &m_dialogs;
    QTabWidget *m_tabs = nullptr;
    QButtonGroup *m_kinds = nullptr;
    QButtonGroup *m_markStyles = nullptr;
    std::array<QCheckBox *, 6> m_options{};
    QLineEdit *m_legendSource = nullptr;
    QLineEdit *m_valueSource = nullptr;
    QLineEdit *m_topCount = nullptr;
    QLineEdit *m_othersLabel = nullptr;
    // Kind and style numbers that no button stands for are kept as they were read.
    ChartFormValues m_shown;
};

} // namespace tovren::dialogs
