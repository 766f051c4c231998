#include "report/model/TextMeasurer.h"

#include "report/model/TqxGlobals.h"
#include "report/model/Units.h"

#include <cmath>

namespace tovren::model {

int layoutPixelHeight(const QFont &font, double scale)
{
    const Points size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96;
    if (scale == 1.0)
        return -fontPixelHeightFromPoints(size);
    return static_cast<int>(size * 96.0 / 72.0 * scale);
}

QFont layoutFont(const QFont &font, double scale)
{
    QFont layout = TqxGlobals::instance().boldFaces.resolve(font);
    layout.setPixelSize(qMax(1, layoutPixelHeight(font, scale)));
    layout.setHintingPreference(QFont::PreferVerticalHinting);
    layout.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    layout.setKerning(false);
    return layout;
}

TextMeasurer::FontEntry &TextMeasurer::entryFor(const QFont &font, const QPaintDevice *device)
{
    const int dotsPerInchX = device ? device->logicalDpiX() : 0;
    const int dotsPerInchY = device ? device->logicalDpiY() : 0;
    // A report uses a handful of fonts, so comparing them beats hashing QFont::key(), which
    // formats the whole font description as text on every call.
    for (FontEntry &entry : m_fonts) {
        if (entry.dotsPerInchX == dotsPerInchX && entry.dotsPerInchY == dotsPerInchY &&
            entry.font == font)
            return entry;
    }
    if (m_fonts.size() >= kMaxCachedFonts)
        m_fonts.clear();
    m_fonts.push_back(FontEntry{font,
                                dotsPerInchX,
                                dotsPerInchY,
                                ++m_lastFontSerial,
                                device ? QFontMetricsF(font, device) : QFontMetricsF(font),
                                {}});
    return m_fonts.back();
}

double TextMeasurer::cachedAdvance(FontEntry &entry, const QString &text)
{
    const auto found = entry.widths.constFind(text);
    if (found != entry.widths.constEnd())
        return *found;
    // Printing measures each value once or twice, and keeping tens of thousands of names would
    // only cost memory: device fonts keep what repeats, the labels and common values.
    const qsizetype limit = entry.dotsPerInchX == 0 ? kMaxCachedWidths : kMaxCachedDeviceWidths;
    if (entry.widths.size() >= limit)
        entry.widths.clear();
    ++m_measurements;
    const double measured = entry.metrics.horizontalAdvance(text);
    entry.widths.insert(text, measured);
    return measured;
}

LayoutPixelsF TextMeasurer::width(const QFont &font, int charSpacingPx, const QString &text)
{
    const LayoutPixelsF spacing = double(charSpacingPx) * text.size();
    if (!m_caching) {
        ++m_measurements;
        return QFontMetricsF(font).horizontalAdvance(text) + spacing;
    }
    return cachedAdvance(entryFor(font), text) + spacing;
}

double TextMeasurer::deviceAdvance(const QFont &font, const QPaintDevice &device,
                                   const QString &text)
{
    if (!m_caching) {
        ++m_measurements;
        return QFontMetricsF(font, &device).horizontalAdvance(text);
    }
    return cachedAdvance(entryFor(font, &device), text);
}

QStringList TextMeasurer::wrapped(const QString &key, const std::function<QStringList()> &wrap)
{
    if (!m_caching)
        return wrap();
    const auto found = m_wraps.constFind(key);
    if (found != m_wraps.constEnd())
        return *found;
    if (m_wraps.size() >= kMaxCachedWraps)
        m_wraps.clear();
    return *m_wraps.insert(key, wrap());
}

LayoutPixelsF TextMeasurer::ascent(const QFont &font)
{
    return entryFor(font).metrics.ascent();
}

void TextMeasurer::setCaching(bool on)
{
    m_caching = on;
    clear();
}

void TextMeasurer::clear()
{
    m_fonts.clear();
    m_wraps.clear();
}

} // namespace tovren::model
