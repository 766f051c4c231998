#pragma once

#include <functional>

class QWidget;

namespace tovren::chart {
class TqxChartView;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

/// Opens the chart editor on @p chart, as the "Chart" property and the designer's object editor
/// do. Only when the person confirms with a valid entry is @p beforeChange called (the caller's
/// undo step) and then every option written into the chart; true in that case.
bool editChartObject(chart::TqxChartView &chart, platform::DialogProvider &dialogs,
                     const std::function<void()> &beforeChange, QWidget *parent = nullptr);

} // namespace tovren::dialogs
