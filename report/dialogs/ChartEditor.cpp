#include "report/dialogs/ChartEditor.h"

#include "report/dialogs/TqxChartForm.h"

namespace tovren::dialogs {

bool editChartObject(chart::TqxChartView &chart, platform::DialogProvider &dialogs,
                     const std::function<void()> &beforeChange, QWidget *parent)
{
    TqxChartForm form(chart, dialogs, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    if (beforeChange)
        beforeChange();
    return form.applyToChart();
}

} // namespace tovren::dialogs
