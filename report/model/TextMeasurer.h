#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

namespace tovren::model {

/// Layout pixels: widths measured at scale 1, fractional because of slight hinting.
using LayoutPixelsF = double;

/// Measures text widths for wrapping and automatic width on the shared measuring canvas, and
/// remembers what it measured.
///
/// The same font, character spacing and text always give the same width, so a second layout of
/// the same text costs a hash lookup per measurement and a wrapped paragraph is reused whole.
/// The caches are bounded and drop everything when full; results never depend on the cache.
class TextMeasurer
{
public:
    /// Width of @p text in @p font with @p charSpacingPx added after every character.
    LayoutPixelsF width(const QFont &font, int charSpacingPx, const QString &text);

    /// Advance of @p text in @p font as drawn on @p device, whose resolution it is measured at.
    double deviceAdvance(const QFont &font, const QPaintDevice &device, const QString &text);

    /// Ascent of @p font as drawn on @p device.
    double deviceAscent(const QFont &font, const QPaintDevice &device)
    {
        return entryFor(font, &device).metrics.ascent();
    }

    /// The lines @p wrap produces for the key, computed once per distinct key.
    QStringList wrapped(const QString &key, const std::function<QStringList()> &wrap);

    /// A number that stands for @p font in cache keys, never reused for another font.
    quint64 fontSerial(const QFont &font) { return entryFor(font).serial; }

    /// Ascent of @p font in layout pixels; where a cell's top turns into a baseline.
    LayoutPixelsF ascent(const QFont &font);

    /// The scratch canvas objects lay out on outside any drawing.
    QImage &canvas() { return m_canvas; }

    void setCaching(bool on);
    bool caching() const { return m_caching; }
    void clear();
    qint64 measurements() const { return m_measurements; }

private:
    struct FontEntry
    {
        QFont font;
        int dotsPerInchX; // 0: measured on the screen
        int dotsPerInchY;
        quint64 serial;
        QFontMetricsF metrics;
        QHash<QString, LayoutPixelsF> widths;
    };
    FontEntry &entryFor(const QFont &font, const QPaintDevice *device = nullptr);
    double cachedAdvance(FontEntry &entry, const QString &text);

    static constexpr std::size_t kMaxCachedFonts = 64;
    static constexpr qsizetype kMaxCachedWidths = 50000;
    static constexpr qsizetype kMaxCachedDeviceWidths = 2000;
    static constexpr qsizetype kMaxCachedWraps = 5000;

    std::deque<FontEntry> m_fonts; // stable addresses while entries are added
    QHash<QString, QStringList> m_wraps;
    QImage m_canvas{1, 1, QImage::Format_RGB32};
    bool m_caching = true;
    qint64 m_measurements = 0;
    quint64 m_lastFontSerial = 0;
};

/// The layout font of a text object: the face and style of @p font at the pixel height the
/// layout uses for its point size, with the slight hinting that keeps widths fractional.
QFont layoutFont(const QFont &font, double scale = 1.0);
/// The font's layout pixel height (positive): round(size x 96 / 72) at scale 1, truncated
/// at any other scale, as the drawing of scaled previews has always done.
int layoutPixelHeight(const QFont &font, double scale = 1.0);

} // namespace tovren::model
