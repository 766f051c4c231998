#pragma once

#include <QTextStream>

namespace tovren::model {
class TqxPages;
struct TemplateSettings;
struct ReportInfo;
} // namespace tovren::model

namespace tovren::cli {

/// Writes a readable outline of a template: its settings and information, then every page
/// with its paper and every object with its name, kind, geometry, font and text.
void writeTemplateOutline(QTextStream &out, const model::TqxPages &pages,
                          const model::TemplateSettings &settings, const model::ReportInfo &info);

} // namespace tovren::cli
