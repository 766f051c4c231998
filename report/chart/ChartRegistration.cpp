#include "report/chart/ChartRegistration.h"

#include "report/chart/TqxChartView.h"
#include "report/model/TqxGlobals.h"

#include <QPainter>

namespace tovren::chart {

namespace {

constexpr int kGlyphPixels = 16;
// The designer shows a numeric hint as that string of the string table.
constexpr char kButtonHint[] = "55225";

} // namespace

QImage chartButtonGlyph()
{
    QImage glyph(kGlyphPixels, kGlyphPixels, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    const struct
    {
        int left;
        int top;
        QRgb color;
    } bars[] = {{2, 8, 0xFF0000}, {6, 3, 0x008000}, {10, 6, 0x0000FF}};
    for (const auto &bar : bars) {
        painter.setBrush(QColor::fromRgb(bar.color));
        painter.drawRect(bar.left, bar.top, 3, 13 - bar.top);
    }
    painter.drawLine(0, 14, 15, 14);
    return glyph;
}

void registerChartObject()
{
    model::TqxGlobals::instance().objects.RegisterAddInObject(
        QString::fromLatin1(TqxChartView::kClassName),
        [] { return std::make_unique<TqxChartView>(); }, chartButtonGlyph(),
        QString::fromLatin1(kButtonHint));
}

} // namespace tovren::chart
