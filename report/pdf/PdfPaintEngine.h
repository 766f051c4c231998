#pragma once

#include "report/pdf/PdfFontSet.h"
#include "report/pdf/PdfImageSet.h"
#include "report/pdf/PdfObjectWriter.h"
#include "report/pdf/PdfPaintDevice.h"
#include "report/platform/TextRunEngine.h"

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMap>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QTransform>
#include <optional>

namespace tovren::pdf {

/// Turns QPainter calls into the pages of a PDF file.
///
/// It claims every painter feature, so the painter hands over untransformed primitives with the
/// transform in the state. Coordinates go out in the device's dots, mapped through the
/// transform; one matrix at the head of each page turns dots into points with the origin at the
/// top-left margin corner. Fills with anything but a solid colour are drawn as a picture clipped
/// to the shape.
/// One character of a text run and the glyph its face has for it.
struct CharacterGlyph
{
    quint32 glyph;
    QStringView text;
};

class PdfPaintEngine : public QPaintEngine, public platform::TextRunEngine
{
public:
    explicit PdfPaintEngine(PdfPaintDevice &device);
    ~PdfPaintEngine() override;

    bool begin(QPaintDevice *device) override;
    bool end() override;
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &state) override;

    void drawPath(const QPainterPath &path) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPoints(const QPointF *points, int pointCount) override;
    void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &source) override;
    void drawImage(const QRectF &target, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF &origin, const QTextItem &textItem) override;
    bool drawTextRun(const QPointF &baseline, const QFont &font, const QString &text) override;

    bool newPage();
    QString errorString() const { return m_error; }

private:
    void startPage();
    void finishPage();
    void writeDocumentEnd();

    void fillAndStroke(const QPainterPath &devicePath, Qt::FillRule rule, bool fill, bool stroke);
    void fillWithPicture(const QPainterPath &devicePath);
    void appendPath(const QPainterPath &devicePath);
    void drawImageNumber(int imageNumber, const QRectF &target, const QRectF &source,
                         const QSize &imageSize);
    void applyClip();
    void resetEmittedState();
    void setColour(const QColor &colour, QColor &emitted, const char *greyOperator,
                   const char *rgbOperator);
    void setFillColour(const QColor &colour);
    void setStrokeColour(const QColor &colour);
    void setAlpha(double fillAlpha, double strokeAlpha);
    void setStroke(double widthDots);
    bool penDraws() const;

    struct PrimaryFace
    {
        QFont font;
        QRawFont raw;
        int index;
    };
    int usedFontIndex(const QRawFont &font);
    const PrimaryFace *primaryFace(const QFont &font);
    bool drawInPrimaryFace(const QPointF &origin, const QFont &font, const QString &text,
                           std::optional<double> paintedWidthPx);
    void drawLaidOut(const QPointF &origin, const QTextItem &textItem, const QString &text);
    void writeGlyphs(const QPointF &origin, int index, double sizePx, const QList<quint32> &glyphs,
                     const QList<QPointF> &positions, const QList<CharacterGlyph> &characters);
    bool brushFills() const;

    PdfPaintDevice &m_device;
    std::unique_ptr<PdfObjectWriter> m_writer;
    std::unique_ptr<PdfFontSet> m_fonts;
    std::unique_ptr<PdfImageSet> m_images;
    int m_pagesObject = 0;
    int m_resourcesObject = 0;
    QList<int> m_pageObjects;
    bool m_pageOpen = false;
    PointsSizeF m_pageSize;
    PointsMarginsF m_margins;
    QList<int> m_fontsUsed;
    QString m_error;

    // Painter state as last handed over.
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    double m_opacity = 1.0;
    QPointF m_brushOrigin;
    bool m_clipEnabled = false;
    QList<QPainterPath> m_clips; // in dots, intersected
    bool m_clipDirty = false;

    // What the content stream has set, so unchanged values are not written again.
    QByteArray m_content;
    QColor m_fillColour;
    QColor m_strokeColour;
    double m_lineWidth = -1;
    QByteArray m_lineStyle;
    QByteArray m_alphaState;
    QMap<QByteArray, int> m_alphaStates; // "/GSn" entries by their alpha pair

    QList<PrimaryFace> m_primaryFaces;
    // Scratch for one text run, kept to spare an allocation per run.
    QList<CharacterGlyph> m_characters;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

} // namespace tovren::pdf
