#include "report/pdf/PdfPaintEngine.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextItem>
#include <QTextLayout>
#include <cmath>

namespace tovren::pdf {

namespace {

using syntax::appendNumber;

// Pictures standing in for patterned and graded fills are drawn at this many pixels per inch.
constexpr double kFillPictureDotsPerInch = 150.0;

// Two positions closer than this, in font pixels, are the same position.
constexpr double kSamePositionPx = 1e-3;

void appendName(QByteArray &out, const char *prefix, int number)
{
    out += prefix;
    out += QByteArray::number(number);
}

void appendHexCode(QByteArray &out, quint16 code)
{
    static const char digits[] = "0123456789ABCDEF";
    out += digits[code >> 12];
    out += digits[(code >> 8) & 15];
    out += digits[(code >> 4) & 15];
    out += digits[code & 15];
}

void appendMatrix(QByteArray &out, const QTransform &matrix)
{
    constexpr int kScaleDecimals = 8;
    appendNumber(out, matrix.m11(), kScaleDecimals);
    appendNumber(out, matrix.m12(), kScaleDecimals);
    appendNumber(out, matrix.m21(), kScaleDecimals);
    appendNumber(out, matrix.m22(), kScaleDecimals);
    appendNumber(out, matrix.dx());
    appendNumber(out, matrix.dy());
}

/// How much the transform scales lengths; line widths follow it.
double lengthScale(const QTransform &transform)
{
    return std::sqrt(std::abs(transform.determinant()));
}

/// The characters of @p text with the glyph each has in @p font.
QList<CharacterGlyph> glyphsOfCharacters(const QRawFont &font, const QString &text)
{
    QList<quint32> glyphs(text.size());
    int glyphCount = int(glyphs.size());
    font.glyphIndexesForChars(text.constData(), int(text.size()), glyphs.data(), &glyphCount);
    QList<CharacterGlyph> result;
    result.reserve(glyphCount);
    qsizetype at = 0;
    for (int i = 0; i < glyphCount && at < text.size(); ++i) {
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() &&
                                         text.at(at + 1).isLowSurrogate()
                                     ? 2
                                     : 1;
        result.append({glyphs[i], QStringView(text).mid(at, length)});
        at += length;
    }
    return result;
}

QStringView textOfGlyph(const QList<CharacterGlyph> &characters, quint32 glyph)
{
    for (const CharacterGlyph &character : characters)
        if (character.glyph == glyph)
            return character.text;
    return {};
}

} // namespace

PdfPaintEngine::PdfPaintEngine(PdfPaintDevice &device)
    : QPaintEngine(QPaintEngine::AllFeatures)
    , m_device(device)
{}

PdfPaintEngine::~PdfPaintEngine() = default;

bool PdfPaintEngine::begin(QPaintDevice *)
{
    m_error.clear();
    m_writer = std::make_unique<PdfObjectWriter>(m_device.m_out);
    m_fonts = std::make_unique<PdfFontSet>(*m_writer);
    m_images = std::make_unique<PdfImageSet>(*m_writer);
    m_pagesObject = m_writer->reserveObject();
    m_resourcesObject = m_writer->reserveObject();
    m_pageObjects.clear();
    m_fontsUsed.clear();
    m_primaryFaces.clear();
    m_alphaStates.clear();
    m_transform = QTransform();
    m_pen = QPen();
    m_brush = QBrush();
    m_opacity = 1.0;
    m_clipEnabled = false;
    m_clips.clear();
    startPage();
    return m_writer->ok();
}

bool PdfPaintEngine::end()
{
    if (!m_writer)
        return false;
    finishPage();
    writeDocumentEnd();
    const bool written = m_writer->ok() && m_error.isEmpty();
    if (!m_writer->ok() && m_error.isEmpty())
        m_error = QStringLiteral("无法写入 PDF 文件");
    m_images.reset();
    m_fonts.reset();
    m_writer.reset();
    return written;
}

bool PdfPaintEngine::newPage()
{
    if (!m_writer)
        return false;
    finishPage();
    startPage();
    return m_writer->ok();
}

void PdfPaintEngine::startPage()
{
    m_pageSize = m_device.m_pageSize;
    m_margins = m_device.m_margins;
    m_content.resize(0);
    resetEmittedState();
    // Dots to points, y downwards from the top margin, as the painter sees the page.
    const double pointsPerDot = 72.0 / m_device.m_dotsPerInch;
    appendMatrix(m_content, QTransform(pointsPerDot, 0, 0, -pointsPerDot, m_margins.left(),
                                       m_pageSize.height() - m_margins.top()));
    // The clip is set inside a saved state of its own, so changing it restores to here.
    m_content += "cm\nq\n";
    m_clipDirty = true;
    m_pageOpen = true;
}

void PdfPaintEngine::finishPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    m_content += "Q\n";
    const int contents = m_writer->reserveObject();
    m_writer->writeStream(contents, {}, m_content);
    const int page = m_writer->reserveObject();
    QByteArray body =
        "<</Type/Page/Parent " + QByteArray::number(m_pagesObject) + " 0 R/MediaBox[0 0 ";
    // Hundredths of a point, as viewers show sizes: an A4 sheet reads 595.28 x 841.89.
    appendNumber(body, std::round(m_pageSize.width() * 100) / 100);
    appendNumber(body, std::round(m_pageSize.height() * 100) / 100);
    body += "]/Resources " + QByteArray::number(m_resourcesObject) + " 0 R/Contents " +
            QByteArray::number(contents) + " 0 R>>";
    m_writer->writeObject(page, body);
    m_pageObjects.append(page);
}

void PdfPaintEngine::writeDocumentEnd()
{
    if (!m_fonts->writeFonts() && m_error.isEmpty())
        m_error = m_fonts->error();

    QByteArray resources = "<</ProcSet[/PDF/Text/ImageB/ImageC]";
    if (!m_fontsUsed.isEmpty()) {
        resources += "/Font<<";
        for (const int index : std::as_const(m_fontsUsed)) {
            appendName(resources, "/F", index);
            resources += ' ' + QByteArray::number(m_fonts->objectNumber(index)) + " 0 R";
        }
        resources += ">>";
    }
    if (!m_images->objects().isEmpty()) {
        resources += "/XObject<<";
        for (qsizetype i = 0; i < m_images->objects().size(); ++i) {
            appendName(resources, "/Im", int(i));
            resources += ' ' + QByteArray::number(m_images->objects()[i]) + " 0 R";
        }
        resources += ">>";
    }
    if (!m_alphaStates.isEmpty()) {
        resources += "/ExtGState<<";
        for (auto state = m_alphaStates.cbegin(); state != m_alphaStates.cend(); ++state) {
            appendName(resources, "/GS", state.value());
            resources += "<<" + state.key() + ">>";
        }
        resources += ">>";
    }
    resources += ">>";
    m_writer->writeObject(m_resourcesObject, resources);

    QByteArray pages = "<</Type/Pages/Kids[";
    for (const int page : std::as_const(m_pageObjects))
        pages += QByteArray::number(page) + " 0 R ";
    pages += "]/Count " + QByteArray::number(m_pageObjects.size()) + ">>";
    m_writer->writeObject(m_pagesObject, pages);

    const int catalog = m_writer->reserveObject();
    m_writer->writeObject(catalog,
                          "<</Type/Catalog/Pages " + QByteArray::number(m_pagesObject) + " 0 R>>");
    const int info = m_writer->reserveObject();
    QByteArray infoBody = "<</Producer " + syntax::textString(QStringLiteral("Tovren"));
    if (!m_device.m_title.isEmpty())
        infoBody += "/Title " + syntax::textString(m_device.m_title);
    if (!m_device.m_creator.isEmpty())
        infoBody += "/Creator " + syntax::textString(m_device.m_creator);
    infoBody += ">>";
    m_writer->writeObject(info, infoBody);
    m_writer->finish(catalog, info);
}

void PdfPaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyOpacity)
        m_opacity = state.opacity();
    if (flags & DirtyBrushOrigin)
        m_brushOrigin = state.brushOrigin();
    if (flags & DirtyClipEnabled) {
        m_clipEnabled = state.isClipEnabled();
        m_clipDirty = true;
    }
    const auto updateClip = [this](const QPainterPath &path, Qt::ClipOperation operation) {
        if (operation == Qt::NoClip) {
            m_clips.clear();
            m_clipEnabled = false;
        } else {
            if (operation == Qt::ReplaceClip)
                m_clips.clear();
            m_clips.append(m_transform.map(path));
            m_clipEnabled = true;
        }
        m_clipDirty = true;
    };
    if (flags & DirtyClipPath)
        updateClip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        updateClip(path, state.clipOperation());
    }
}

void PdfPaintEngine::resetEmittedState()
{
    m_fillColour = QColor();
    m_strokeColour = QColor();
    m_lineWidth = -1;
    m_lineStyle.clear();
    m_alphaState.clear();
}

void PdfPaintEngine::applyClip()
{
    if (!m_clipDirty)
        return;
    m_clipDirty = false;
    m_content += "Q q\n";
    resetEmittedState();
    if (!m_clipEnabled)
        return;
    for (const QPainterPath &clip : std::as_const(m_clips)) {
        if (clip.isEmpty()) {
            // An empty clip lets nothing through.
            m_content += "0 0 0 0 re W n\n";
            continue;
        }
        appendPath(clip);
        m_content += clip.fillRule() == Qt::WindingFill ? "W n\n" : "W* n\n";
    }
}

void PdfPaintEngine::setColour(const QColor &colour, QColor &emitted, const char *greyOperator,
                               const char *rgbOperator)
{
    if (emitted.isValid() && emitted.rgb() == colour.rgb())
        return;
    emitted = colour;
    const QRgb rgb = colour.rgb();
    appendNumber(m_content, qRed(rgb) / 255.0);
    if (qRed(rgb) == qGreen(rgb) && qGreen(rgb) == qBlue(rgb)) {
        m_content += greyOperator;
        return;
    }
    appendNumber(m_content, qGreen(rgb) / 255.0);
    appendNumber(m_content, qBlue(rgb) / 255.0);
    m_content += rgbOperator;
}

void PdfPaintEngine::setFillColour(const QColor &colour)
{
    setColour(colour, m_fillColour, "g\n", "rg\n");
}

void PdfPaintEngine::setStrokeColour(const QColor &colour)
{
    setColour(colour, m_strokeColour, "G\n", "RG\n");
}

void PdfPaintEngine::setAlpha(double fillAlpha, double strokeAlpha)
{
    const int fill = int(std::lround(std::clamp(fillAlpha, 0.0, 1.0) * 255));
    const int stroke = int(std::lround(std::clamp(strokeAlpha, 0.0, 1.0) * 255));
    if (m_alphaState.isEmpty() && fill == 255 && stroke == 255)
        return;
    QByteArray key = "/ca ";
    appendNumber(key, fill / 255.0);
    key += "/CA ";
    appendNumber(key, stroke / 255.0);
    key.chop(1);
    if (key == m_alphaState)
        return;
    m_alphaState = key;
    auto found = m_alphaStates.find(key);
    if (found == m_alphaStates.end())
        found = m_alphaStates.insert(key, int(m_alphaStates.size()));
    appendName(m_content, "/GS", found.value());
    m_content += " gs\n";
}

void PdfPaintEngine::setStroke(double widthDots)
{
    if (widthDots != m_lineWidth) {
        m_lineWidth = widthDots;
        appendNumber(m_content, widthDots);
        m_content += "w\n";
    }
    QByteArray style;
    switch (m_pen.capStyle()) {
    case Qt::RoundCap:
        style += "1 J ";
        break;
    case Qt::SquareCap:
        style += "2 J ";
        break;
    default:
        style += "0 J ";
        break;
    }
    switch (m_pen.joinStyle()) {
    case Qt::RoundJoin:
        style += "1 j ";
        break;
    case Qt::BevelJoin:
        style += "2 j ";
        break;
    default:
        // Qt counts the miter limit from the join in half line widths; PDF in whole ones.
        style += "0 j ";
        appendNumber(style, std::max(1.0, 2 * m_pen.miterLimit()));
        style += "M ";
        break;
    }
    style += '[';
    // Dashes are counted in line widths; a hairline counts in dots.
    const double unit =
        m_pen.widthF() > 0 && !m_pen.isCosmetic() ? widthDots : std::max(1.0, m_pen.widthF());
    double patternDots = 0;
    for (const qreal dash : m_pen.dashPattern())
        patternDots += dash * unit;
    // A pattern of no length is not allowed; such a line is drawn whole.
    if (m_pen.style() != Qt::SolidLine && patternDots >= 1e-3) {
        for (const qreal dash : m_pen.dashPattern())
            appendNumber(style, dash * unit);
        style += "] ";
        appendNumber(style, m_pen.dashOffset() * unit);
    } else {
        style += "] 0 ";
    }
    style += "d\n";
    if (style != m_lineStyle) {
        m_lineStyle = style;
        m_content += style;
    }
}

bool PdfPaintEngine::penDraws() const
{
    return m_pen.style() != Qt::NoPen && m_pen.brush().style() != Qt::NoBrush;
}

bool PdfPaintEngine::brushFills() const
{
    return m_brush.style() != Qt::NoBrush;
}

void PdfPaintEngine::appendPath(const QPainterPath &devicePath)
{
    const int count = devicePath.elementCount();
    int subpathStart = -1;
    const auto closeIfReturned = [&](int lastIndex) {
        if (subpathStart < 0 || lastIndex <= subpathStart)
            return;
        const QPainterPath::Element first = devicePath.elementAt(subpathStart);
        const QPainterPath::Element last = devicePath.elementAt(lastIndex);
        if (first.x == last.x && first.y == last.y)
            m_content += "h\n";
    };
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element element = devicePath.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            closeIfReturned(i - 1);
            subpathStart = i;
            appendNumber(m_content, element.x);
            appendNumber(m_content, element.y);
            m_content += "m\n";
            break;
        case QPainterPath::LineToElement:
            appendNumber(m_content, element.x);
            appendNumber(m_content, element.y);
            m_content += "l\n";
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < count) {
                const QPainterPath::Element second = devicePath.elementAt(i + 1);
                const QPainterPath::Element end = devicePath.elementAt(i + 2);
                appendNumber(m_content, element.x);
                appendNumber(m_content, element.y);
                appendNumber(m_content, second.x);
                appendNumber(m_content, second.y);
                appendNumber(m_content, end.x);
                appendNumber(m_content, end.y);
                m_content += "c\n";
                i += 2;
            }
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    closeIfReturned(count - 1);
}

void PdfPaintEngine::fillAndStroke(const QPainterPath &devicePath, Qt::FillRule rule, bool fill,
                                   bool stroke)
{
    if (devicePath.isEmpty())
        return;
    applyClip();
    if (fill && m_brush.style() != Qt::SolidPattern) {
        fillWithPicture(devicePath);
        fill = false;
    }
    if (!fill && !stroke)
        return;
    if (fill)
        setFillColour(m_brush.color());
    double widthDots = 0;
    if (stroke) {
        setStrokeColour(m_pen.color());
        // A cosmetic pen keeps its width in dots whatever the transform; width 0 is one dot.
        widthDots = m_pen.isCosmetic() ? std::max(1.0, m_pen.widthF())
                                       : m_pen.widthF() * lengthScale(m_transform);
        setStroke(widthDots);
    }
    setAlpha(fill ? m_brush.color().alphaF() * m_opacity : 1.0,
             stroke ? m_pen.color().alphaF() * m_opacity : 1.0);
    appendPath(devicePath);
    const bool evenOdd = rule == Qt::OddEvenFill;
    if (fill && stroke)
        m_content += evenOdd ? "B*\n" : "B\n";
    else if (fill)
        m_content += evenOdd ? "f*\n" : "f\n";
    else
        m_content += "S\n";
}

void PdfPaintEngine::fillWithPicture(const QPainterPath &devicePath)
{
    const QRectF bounds = devicePath.boundingRect();
    if (bounds.isEmpty())
        return;
    const double picturePerDot = std::min(1.0, kFillPictureDotsPerInch / m_device.m_dotsPerInch);
    const double widthPx = std::ceil(bounds.width() * picturePerDot);
    const double heightPx = std::ceil(bounds.height() * picturePerDot);
    // Beyond any sheet, or no size at all after a degenerate transform: never worth a quarter
    // of a gigabyte.
    if (!std::isfinite(widthPx) || !std::isfinite(heightPx) ||
        widthPx * heightPx > 64.0 * 1024 * 1024)
        return;
    const QSize size(std::max(1, int(widthPx)), std::max(1, int(heightPx)));
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(picturePerDot, picturePerDot);
        painter.translate(-bounds.topLeft());
        QBrush brush = m_brush;
        brush.setTransform(m_brush.transform() *
                           QTransform::fromTranslate(m_brushOrigin.x(), m_brushOrigin.y()) *
                           m_transform);
        painter.fillPath(devicePath, brush);
    }
    setAlpha(m_opacity, 1.0);
    m_content += "q\n";
    appendPath(devicePath);
    m_content += devicePath.fillRule() == Qt::WindingFill ? "W n\n" : "W* n\n";
    const int number = m_images->imageNumber(picture);
    appendMatrix(m_content, QTransform(bounds.width(), 0, 0, -bounds.height(), bounds.left(),
                                       bounds.bottom()));
    m_content += "cm ";
    appendName(m_content, "/Im", number);
    m_content += " Do\nQ\n";
}

void PdfPaintEngine::drawPath(const QPainterPath &path)
{
    fillAndStroke(m_transform.map(path), path.fillRule(), brushFills(), penDraws());
}

void PdfPaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 1)
        return;
    QPainterPath path(points[0]);
    for (int i = 1; i < pointCount; ++i)
        path.lineTo(points[i]);
    if (mode != PolylineMode)
        path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    fillAndStroke(m_transform.map(path), path.fillRule(), mode != PolylineMode && brushFills(),
                  penDraws());
}

void PdfPaintEngine::drawPoints(const QPointF *points, int pointCount)
{
    if (!penDraws() || pointCount < 1)
        return;
    if (m_pen.capStyle() == Qt::RoundCap) {
        // A line of no length with round ends is a dot.
        QPainterPath path;
        for (int i = 0; i < pointCount; ++i) {
            path.moveTo(points[i]);
            path.lineTo(points[i]);
        }
        fillAndStroke(m_transform.map(path), Qt::OddEvenFill, false, true);
        return;
    }
    // With any other ends a line of no length paints nothing, so each point is a square as
    // wide as the pen, filled in the pen's colour.
    const double widthDots = m_pen.isCosmetic() ? std::max(1.0, m_pen.widthF())
                                                : m_pen.widthF() * lengthScale(m_transform);
    QPainterPath squares;
    for (int i = 0; i < pointCount; ++i) {
        const QPointF centre = m_transform.map(points[i]);
        squares.addRect(
            QRectF(centre.x() - widthDots / 2, centre.y() - widthDots / 2, widthDots, widthDots));
    }
    applyClip();
    setFillColour(m_pen.color());
    setAlpha(m_pen.color().alphaF() * m_opacity, 1.0);
    appendPath(squares);
    m_content += "f\n";
}

void PdfPaintEngine::drawImageNumber(int imageNumber, const QRectF &target, const QRectF &source,
                                     const QSize &imageSize)
{
    applyClip();
    setAlpha(m_opacity, m_opacity);
    // The image fills the unit square with its first row at the top; part of it is shown by
    // scaling the whole up and clipping to the target.
    const bool whole = source.isEmpty() || source == QRectF(QPointF(0, 0), QSizeF(imageSize));
    const QRectF shown = whole ? QRectF(QPointF(0, 0), QSizeF(imageSize)) : source;
    const double scaleX = target.width() / shown.width();
    const double scaleY = target.height() / shown.height();
    const QRectF placed(target.left() - shown.left() * scaleX, target.top() - shown.top() * scaleY,
                        imageSize.width() * scaleX, imageSize.height() * scaleY);
    m_content += "q\n";
    if (!whole) {
        QPainterPath clip;
        clip.addRect(target);
        appendPath(m_transform.map(clip));
        m_content += "W n\n";
    }
    appendMatrix(m_content, QTransform(placed.width(), 0, 0, -placed.height(), placed.left(),
                                       placed.bottom()) *
                                m_transform);
    m_content += "cm ";
    appendName(m_content, "/Im", imageNumber);
    m_content += " Do\nQ\n";
}

void PdfPaintEngine::drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source)
{
    if (pixmap.isNull() || target.isEmpty())
        return;
    drawImageNumber(m_images->imageNumber(pixmap), target, source, pixmap.size());
}

void PdfPaintEngine::drawImage(const QRectF &target, const QImage &image, const QRectF &source,
                               Qt::ImageConversionFlags)
{
    if (image.isNull() || target.isEmpty())
        return;
    drawImageNumber(m_images->imageNumber(image), target, source, image.size());
}

int PdfPaintEngine::usedFontIndex(const QRawFont &font)
{
    const int index = m_fonts->fontIndex(font);
    if (index < 0) {
        if (m_error.isEmpty())
            m_error = m_fonts->error();
        return -1;
    }
    if (!m_fontsUsed.contains(index)) {
        m_fontsUsed.append(index);
        std::sort(m_fontsUsed.begin(), m_fontsUsed.end());
    }
    return index;
}

const PdfPaintEngine::PrimaryFace *PdfPaintEngine::primaryFace(const QFont &font)
{
    for (const PrimaryFace &face : m_primaryFaces)
        if (face.font == font)
            return &face;
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return nullptr;
    const int index = usedFontIndex(raw);
    if (index < 0)
        return nullptr;
    // Pages repeat a handful of fonts; a short list finds them faster than hashing a font.
    if (m_primaryFaces.size() >= 16)
        m_primaryFaces.removeFirst();
    m_primaryFaces.append({font, std::move(raw), index});
    return &m_primaryFaces.last();
}

void PdfPaintEngine::drawTextItem(const QPointF &origin, const QTextItem &textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty() || m_pen.style() == Qt::NoPen)
        return;
    applyClip();
    setFillColour(m_pen.color());
    setAlpha(m_pen.color().alphaF() * m_opacity, 1.0);
    m_content += "BT\n";
    if (!drawInPrimaryFace(origin, textItem.font(), text, textItem.width()))
        drawLaidOut(origin, textItem, text);
    m_content += "ET\n";
}

namespace {

/// Scripts whose characters stand one glyph each, side by side, as the face's character map
/// and advances place them.
bool placesGlyphBesideGlyph(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        // Controls, and formatting characters and marks the painter hides or stacks, need
        // its shaping.
        if (character < 0x20)
            return false;
        switch (QChar::category(character)) {
        case QChar::Other_Format:
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            return false;
        default:
            break;
        }
        switch (QChar::script(character)) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Han:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
        case QChar::Script_Bopomofo:
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

bool PdfPaintEngine::drawTextRun(const QPointF &baseline, const QFont &font, const QString &text)
{
    if (!isActive() || text.isEmpty() || font.letterSpacing() != 0 || font.underline() ||
        font.strikeOut() || font.overline() || !placesGlyphBesideGlyph(text))
        return false;
    // The painter hands its state over only before a drawing call of its own; once taken, it
    // is not to be handed over again (an added clip would be added twice).
    syncState();
    clearDirty(AllDirty);
    if (m_pen.style() == Qt::NoPen)
        return true;
    const QFont deviceFont(font, &m_device);
    const qsizetype contentSize = m_content.size();
    applyClip();
    setFillColour(m_pen.color());
    setAlpha(m_pen.color().alphaF() * m_opacity, 1.0);
    m_content += "BT\n";
    if (!drawInPrimaryFace(baseline, deviceFont, text, std::nullopt)) {
        // Nothing of the run was written; the painter draws it instead.
        m_content.truncate(contentSize);
        resetEmittedState();
        m_clipDirty = true;
        return false;
    }
    m_content += "ET\n";
    return true;
}

bool PdfPaintEngine::drawInPrimaryFace(const QPointF &origin, const QFont &font,
                                       const QString &text, std::optional<double> paintedWidthPx)
{
    // Most runs are characters of the font's own face, one glyph each, placed by their advances
    // and the letter spacing alone. Those need no second shaping: the face's character map and
    // its design advances place them where the painter measured them.
    if (font.wordSpacing() != 0 || (font.letterSpacing() != 0 && font.kerning()) ||
        (font.letterSpacing() != 0 && font.letterSpacingType() != QFont::AbsoluteSpacing))
        return false;
    const PrimaryFace *face = primaryFace(font);
    if (!face)
        return false;
    const double sizePx = face->raw.pixelSize();
    if (sizePx <= 0)
        return false;
    m_characters = glyphsOfCharacters(face->raw, text);
    m_glyphs.resize(0);
    m_positions.resize(0);
    double x = 0;
    for (const CharacterGlyph &character : std::as_const(m_characters)) {
        if (character.glyph == 0)
            return false; // a fallback face draws it
        m_glyphs.append(character.glyph);
        m_positions.append(QPointF(x, 0));
        x += m_fonts->advance(face->index, character.glyph) * sizePx / 1000.0;
    }
    const qsizetype count = m_glyphs.size();
    // Without the painter's width the run has no spacing: the caller declines spaced runs.
    const double extraPx = paintedWidthPx ? *paintedWidthPx - x : 0.0;
    // Advances are whole 64ths of a pixel on the painter's side.
    const double tolerancePx = 0.02 * count + 0.05;
    double spacingPx = 0;
    if (font.letterSpacing() != 0)
        spacingPx = count ? extraPx / count : 0;
    else if (std::abs(extraPx) > tolerancePx)
        return false; // kerning or shaping moved glyphs
    for (qsizetype i = 1; i < count; ++i)
        m_positions[i].rx() += spacingPx * i;
    writeGlyphs(origin, face->index, sizePx, m_glyphs, m_positions, m_characters);
    return true;
}

void PdfPaintEngine::drawLaidOut(const QPointF &origin, const QTextItem &textItem,
                                 const QString &text)
{
    // Laying the run out again gives its glyphs and the face each comes from, fallback faces
    // included.
    QTextLayout layout(text, textItem.font(), &m_device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const QPointF lineOrigin(origin.x(), origin.y() - line.ascent());
    const QList<QGlyphRun> runs = layout.glyphRuns();
    // Ligatures and contextual forms have no character of their own in the face's map; the
    // run then carries its text beside the glyphs, so search and copy still find it.
    bool everyGlyphMapped = true;
    for (const QGlyphRun &run : runs) {
        const QList<CharacterGlyph> characters = glyphsOfCharacters(run.rawFont(), text);
        for (const quint32 glyph : run.glyphIndexes())
            everyGlyphMapped = everyGlyphMapped && !textOfGlyph(characters, glyph).isEmpty();
    }
    if (!everyGlyphMapped)
        m_content += "/Span<</ActualText " + syntax::textString(text) + ">>BDC\n";
    for (const QGlyphRun &run : runs) {
        const QRawFont font = run.rawFont();
        const int index = usedFontIndex(font);
        if (index < 0 || font.pixelSize() <= 0)
            continue;
        writeGlyphs(lineOrigin, index, font.pixelSize(), run.glyphIndexes(), run.positions(),
                    glyphsOfCharacters(font, text));
    }
    if (!everyGlyphMapped)
        m_content += "EMC\n";
}

void PdfPaintEngine::writeGlyphs(const QPointF &origin, int index, double sizePx,
                                 const QList<quint32> &glyphs, const QList<QPointF> &positions,
                                 const QList<CharacterGlyph> &characters)
{
    appendName(m_content, "/F", index);
    m_content += ' ';
    appendNumber(m_content, sizePx);
    m_content += "Tf\n";
    bool inArray = false;
    double expectedX = 0;
    double lastY = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF at = origin + positions[i];
        const bool moved = !inArray || std::abs(at.y() - lastY) > kSamePositionPx;
        if (moved) {
            if (inArray)
                m_content += ">]TJ\n";
            appendMatrix(m_content, QTransform(1, 0, 0, -1, at.x(), at.y()) * m_transform);
            m_content += "Tm[<";
            inArray = true;
        } else if (std::abs(at.x() - expectedX) > kSamePositionPx) {
            // A positive adjustment moves the next glyph back, in thousandths of the em.
            m_content += "> ";
            appendNumber(m_content, (expectedX - at.x()) * 1000.0 / sizePx);
            m_content += '<';
        }
        const quint32 glyph = glyphs[i];
        appendHexCode(m_content, m_fonts->code(index, glyph, textOfGlyph(characters, glyph)));
        expectedX = at.x() + m_fonts->advance(index, glyph) * sizePx / 1000.0;
        lastY = at.y();
    }
    if (inArray)
        m_content += ">]TJ\n";
}

} // namespace tovren::pdf
