#include "report/chart/ChartStyle.h"

#include <QLocale>
#include <array>
#include <cmath>

namespace tovren::chart {

namespace {

// 8 points at the 96 pixels per inch of the chart's design scale.
constexpr int kChartFontPixels = 11;

QString withoutTrailingZeros(QString text)
{
    if (!text.contains(u'.'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

QColor paletteColor(qsizetype index)
{
    static constexpr std::array<QRgb, 14> kPalette{
        0xFF0000, 0x008000, 0xFFFF00, 0x0000FF, 0x808080, 0xFF00FF, 0x008080,
        0x000080, 0x800000, 0x00FF00, 0x808000, 0x800080, 0xC0C0C0, 0x00FFFF,
    };
    return QColor::fromRgb(kPalette[size_t(index) % kPalette.size()]);
}

QString valueText(double value)
{
    QLocale grouped(QLocale::C);
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    const QString text = withoutTrailingZeros(grouped.toString(value, 'f', 3));
    return text == u"-0" ? QStringLiteral("0") : text;
}

QString markText(MarkStyle style, const ChartPoint &point, double seriesTotal)
{
    const double percent = seriesTotal > 0 ? std::abs(point.value) / seriesTotal * 100.0 : 0.0;
    const QString percentText =
        withoutTrailingZeros(QString::number(percent, 'f', 2)) + QStringLiteral(" %");
    switch (style) {
    case MarkStyle::Percent:
        return percentText;
    case MarkStyle::Label:
        return point.label;
    case MarkStyle::LabelPercent:
        return point.label + u' ' + percentText;
    case MarkStyle::LabelValue:
        return point.label + u' ' + valueText(point.value);
    case MarkStyle::Value:
        break;
    }
    return valueText(point.value);
}

double absoluteTotal(const ChartSeriesData &series)
{
    double total = 0;
    for (const ChartPoint &point : series.points)
        total += std::abs(point.value);
    return total;
}

QFont chartFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("宋体")});
    font.setPixelSize(kChartFontPixels);
    return font;
}

} // namespace tovren::chart
