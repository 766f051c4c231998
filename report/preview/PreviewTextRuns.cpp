#include "report/preview/PreviewTextRuns.h"

#include "report/engine/TqxEMFPages.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

namespace tovren::preview {

namespace {

/// Counts every drawing operation and keeps the text ones with their transformed bounds.
///
/// It claims every feature so that the painter hands over untransformed primitives with the
/// transform in the state, instead of emulating them through other calls that would be
/// counted twice.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {}

    QList<PreviewTextRun> runs;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }

    void drawTextItem(const QPointF &baseline, const QTextItem &item) override
    {
        const QRectF local(baseline.x(), baseline.y() - item.ascent(), item.width(),
                           item.ascent() + item.descent());
        runs.append({m_records++, item.text(), m_transform.mapRect(local).toAlignedRect()});
    }
    void drawRects(const QRect *, int) override { ++m_records; }
    void drawRects(const QRectF *, int) override { ++m_records; }
    void drawLines(const QLine *, int) override { ++m_records; }
    void drawLines(const QLineF *, int) override { ++m_records; }
    void drawEllipse(const QRectF &) override { ++m_records; }
    void drawEllipse(const QRect &) override { ++m_records; }
    void drawPath(const QPainterPath &) override { ++m_records; }
    void drawPoints(const QPointF *, int) override { ++m_records; }
    void drawPoints(const QPoint *, int) override { ++m_records; }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { ++m_records; }
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override { ++m_records; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { ++m_records; }
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override { ++m_records; }
    void drawImage(const QRectF &, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        ++m_records;
    }

private:
    QTransform m_transform;
    int m_records = 0;
};

/// A page-sized surface at screen resolution that records instead of rasterising.
class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(const QSize &size)
        : m_size(size)
    {}

    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        constexpr int kDotsPerInch = 96;
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * kDotsPerInch);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * kDotsPerInch);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDotsPerInch;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize m_size;
    mutable RecordingEngine m_engine;
};

} // namespace

QList<PreviewTextRun> PreviewTextRuns::collect(engine::TqxEMFPages &pages, qsizetype index)
{
    engine::TqxPreparedPage &page = pages.Page(index);
    const QSize size(std::max(1, page.metrics.PaperWidthPx),
                     std::max(1, page.metrics.PaperHeightPx));
    RecordingDevice device(size);
    const bool wasVisible = page.visible;
    page.visible = true;
    {
        QPainter painter(&device);
        pages.Draw(index, painter, QRect(QPoint(0, 0), size));
    }
    page.visible = wasVisible;
    page.unpacked.reset();
    return device.engine().runs;
}

} // namespace tovren::preview
