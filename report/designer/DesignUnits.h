#pragma once

#include "report/model/Units.h"

#include <QString>
#include <optional>

namespace tovren::designer {

/// The unit the designer shows lengths in; geometry itself stays in design pixels. The
/// designer's scale is the ruler's: 18 pixels are 5 mm.
enum class DesignUnit : quint8 { Pixels = 0, Millimetres = 1, Inches = 2 };

/// The stored value read back, pixels for anything unknown.
DesignUnit designUnitFromStored(int stored);
/// Pixels, millimetres, inches, pixels.
DesignUnit nextDesignUnit(DesignUnit unit);
/// "象素", "MM" or "英寸", as the status bar shows it.
QString designUnitName(DesignUnit unit);

double lengthInUnit(model::DesignPixels pixels, DesignUnit unit);
/// A length given in @p unit as design pixels, unrounded (frame widths keep their fraction).
double pixelsFromUnit(double length, DesignUnit unit);
/// Pixels as an integer, millimetres and inches with two decimals.
QString formatLength(model::DesignPixels pixels, DesignUnit unit);
/// Two lengths as the status bar shows a position or a size: "x;y" in pixels, "x; y" else.
QString formatPair(model::DesignPixels first, model::DesignPixels second, DesignUnit unit);
/// A typed length back to pixels, rounded; "," or "." as decimal separator; nothing when the
/// text is not a number.
std::optional<model::DesignPixels> parseLength(const QString &text, DesignUnit unit);

} // namespace tovren::designer
