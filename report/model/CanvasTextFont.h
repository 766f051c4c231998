#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;
class QPainter;

namespace tovren::model {

/// The font in which a text object's lines are measured and drawn on one canvas.
///
/// On screens and bitmaps it is the layout font at the canvas's vertical scale, measured on the
/// shared measuring canvas, so a zoomed preview scales the type with the page. On a printer or
/// a PDF page the font keeps its point size at the device's resolution, so type on paper is
/// exactly as large as designed; only its place comes from the layout.
class CanvasTextFont
{
public:
    static CanvasTextFont onScreen(const QFont &font, double scaleY);
    static CanvasTextFont onPrinter(const QFont &font, const QPaintDevice &device);

    /// The font to draw with, before any character spacing is added. On a printer it is
    /// drawSizeFactor() times as large as the type on paper, so the painter must be scaled down
    /// by that factor around the drawing (see drawText()).
    const QFont &font() const { return m_font; }
    /// Draws @p text with its cell's left end at @p leftPx and its baseline at @p baselinePx,
    /// with @p charSpacingPx after every character, in @p painter's current coordinates.
    void drawText(QPainter &painter, double leftPx, double baselinePx, const QString &text,
                  int charSpacingPx) const;
    /// Width of @p text in canvas pixels with @p charSpacingPx after every character.
    double widthPx(int charSpacingPx, const QString &text) const;
    /// Distance from a line's cell top to its baseline, in canvas pixels.
    double ascentPx() const;

private:
    explicit CanvasTextFont(QFont font);

    QFont m_font;
    /// How much larger m_font is than the type it stands for. Qt rounds a font to whole device
    /// pixels; at 600 dpi that makes 14 pt into 13.92 pt. A font many times larger, drawn
    /// scaled down, keeps the point size to a few hundredths of a per cent.
    double m_drawSizeFactor = 1.0;
    /// The printer measured on; none for the screen. Both are measured by the shared measurer,
    /// which keeps the widths of texts that print on every page.
    const QPaintDevice *m_device = nullptr;
};

} // namespace tovren::model
