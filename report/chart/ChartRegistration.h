#pragma once

#include <QImage>

namespace tovren::chart {

/// Makes the chart object an add-in class of the report library, so templates holding charts
/// load and build, and the designer offers it on a tool button with the glyph below and the
/// hint string 55225 ("插入 Chart 对象"). Call once the application object exists, before the
/// first template is read; calling it again changes nothing.
void registerChartObject();

/// The designer's 16 x 16 tool-button glyph of the chart object: three bars on a base line.
QImage chartButtonGlyph();

} // namespace tovren::chart
