#include "report/model/CanvasTextFont.h"

#include "report/model/TqxGlobals.h"
#include "report/platform/TextRunEngine.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace tovren::model {

namespace {

// Pixel size of the enlarged printer font; its rounding error stays below 0.03 %.
constexpr double kEnlargedPixelSize = 2000;

} // namespace

CanvasTextFont::CanvasTextFont(QFont font)
    : m_font(std::move(font))
{}

CanvasTextFont CanvasTextFont::onScreen(const QFont &font, double scaleY)
{
    return CanvasTextFont(layoutFont(font, scaleY));
}

CanvasTextFont CanvasTextFont::onPrinter(const QFont &font, const QPaintDevice &device)
{
    QFont printing = TqxGlobals::instance().boldFaces.resolve(font);
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    // The type takes its size from the point size at the device's own resolution, not from the
    // screen's whole-pixel height scaled up.
    const double devicePixels = points * device.logicalDpiY() / 72.0;
    const double factor =
        devicePixels > 0 ? std::max(1.0, std::ceil(kEnlargedPixelSize / devicePixels)) : 1.0;
    printing.setPixelSize(qMax(1, int(std::lround(devicePixels * factor))));
    printing.setHintingPreference(QFont::PreferVerticalHinting);
    printing.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    printing.setKerning(false);
    CanvasTextFont result(printing);
    result.m_drawSizeFactor = factor;
    result.m_device = &device;
    return result;
}

double CanvasTextFont::widthPx(int charSpacingPx, const QString &text) const
{
    TextMeasurer &measurer = TqxGlobals::instance().textMeasurer;
    if (!m_device)
        return measurer.width(m_font, charSpacingPx, text);
    return measurer.deviceAdvance(m_font, *m_device, text) / m_drawSizeFactor +
           double(charSpacingPx) * text.size();
}

void CanvasTextFont::drawText(QPainter &painter, double leftPx, double baselinePx,
                              const QString &text, int charSpacingPx) const
{
    QFont drawing = m_font;
    drawing.setLetterSpacing(QFont::AbsoluteSpacing, charSpacingPx * m_drawSizeFactor);
    painter.setFont(drawing);
    // An engine that places runs itself spares the painter's shaping of them.
    auto *const runEngine = dynamic_cast<platform::TextRunEngine *>(painter.paintEngine());
    const auto draw = [&](const QPointF &baseline) {
        if (!runEngine || !runEngine->drawTextRun(baseline, drawing, text))
            painter.drawText(baseline, text);
    };
    if (m_drawSizeFactor == 1.0) {
        draw(QPointF(leftPx, baselinePx));
        return;
    }
    painter.save();
    painter.scale(1.0 / m_drawSizeFactor, 1.0 / m_drawSizeFactor);
    draw(QPointF(leftPx * m_drawSizeFactor, baselinePx * m_drawSizeFactor));
    painter.restore();
}

double CanvasTextFont::ascentPx() const
{
    TextMeasurer &measurer = TqxGlobals::instance().textMeasurer;
    if (!m_device)
        return measurer.ascent(m_font);
    return measurer.deviceAscent(m_font, *m_device) / m_drawSizeFactor;
}

} // namespace tovren::model
