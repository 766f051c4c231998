#include "report/dialogs/ColorGlyphs.h"

#include <QPainter>

namespace tovren::dialogs {

namespace {
constexpr int kNoColorRow = 13;
constexpr int kNoColorFirstX = 1;
constexpr int kNoColorLastX = 14;
} // namespace

QImage colourButtonGlyph(const QImage &glyphTemplate, model::ColorRef colour,
                         const QColor &buttonFace)
{
    QImage glyph = glyphTemplate.convertToFormat(QImage::Format_ARGB32);
    const QColor shown = model::toQColor(colour);
    const QRgb replacement = shown.isValid() ? shown.rgba() : qRgba(0, 0, 0, 0);
    const QRgb pureRed = qRgb(255, 0, 0);
    for (int y = 0; y < glyph.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x) {
            if (line[x] == pureRed)
                line[x] = replacement;
        }
    }
    if (!shown.isValid() && kNoColorRow < glyph.height()) {
        auto *line = reinterpret_cast<QRgb *>(glyph.scanLine(kNoColorRow));
        for (int x = kNoColorFirstX; x <= kNoColorLastX && x < glyph.width(); ++x)
            line[x] = buttonFace.rgba();
    }
    return glyph;
}

QImage colourSwatch(QSize imageSize, int squarePixels, model::ColorRef colour,
                    const QColor &buttonFace, const QColor &buttonShadow)
{
    QImage swatch(imageSize, QImage::Format_ARGB32);
    swatch.fill(buttonFace);
    QPainter painter(&swatch);
    const QColor fill = model::toQColor(colour);
    painter.fillRect(0, 0, squarePixels, squarePixels, fill.isValid() ? fill : buttonFace);
    painter.setPen(buttonShadow);
    painter.drawRect(0, 0, squarePixels - 1, squarePixels - 1);
    return swatch;
}

} // namespace tovren::dialogs
