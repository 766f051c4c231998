#include "report/designer/DesignUnits.h"

#include <cmath>
#include <limits>

namespace tovren::designer {

namespace {

constexpr double kMillimetresPerPixel = 5.0 / 18.0;
constexpr double kMillimetresPerInch = 25.4;

double pixelsPerUnit(DesignUnit unit)
{
    switch (unit) {
    case DesignUnit::Millimetres:
        return 1.0 / kMillimetresPerPixel;
    case DesignUnit::Inches:
        return kMillimetresPerInch / kMillimetresPerPixel;
    case DesignUnit::Pixels:
        break;
    }
    return 1.0;
}

} // namespace

DesignUnit designUnitFromStored(int stored)
{
    switch (stored) {
    case 1:
        return DesignUnit::Millimetres;
    case 2:
        return DesignUnit::Inches;
    default:
        return DesignUnit::Pixels;
    }
}

DesignUnit nextDesignUnit(DesignUnit unit)
{
    return designUnitFromStored((int(unit) + 1) % 3);
}

QString designUnitName(DesignUnit unit)
{
    switch (unit) {
    case DesignUnit::Millimetres:
        return QStringLiteral("MM");
    case DesignUnit::Inches:
        return QStringLiteral("英寸");
    case DesignUnit::Pixels:
        break;
    }
    return QStringLiteral("象素");
}

double lengthInUnit(model::DesignPixels pixels, DesignUnit unit)
{
    return pixels / pixelsPerUnit(unit);
}

double pixelsFromUnit(double length, DesignUnit unit)
{
    return length * pixelsPerUnit(unit);
}

QString formatLength(model::DesignPixels pixels, DesignUnit unit)
{
    if (unit == DesignUnit::Pixels)
        return QString::number(pixels);
    return QString::number(lengthInUnit(pixels, unit), 'f', 2);
}

QString formatPair(model::DesignPixels first, model::DesignPixels second, DesignUnit unit)
{
    const QString separator =
        unit == DesignUnit::Pixels ? QStringLiteral(";") : QStringLiteral("; ");
    return formatLength(first, unit) + separator + formatLength(second, unit);
}

std::optional<model::DesignPixels> parseLength(const QString &text, DesignUnit unit)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double pixels = value * pixelsPerUnit(unit);
    if (pixels > std::numeric_limits<model::DesignPixels>::max() ||
        pixels < std::numeric_limits<model::DesignPixels>::min())
        return std::nullopt;
    return model::roundHalfEven(pixels);
}

} // namespace tovren::designer
