#include "report/pdf/PdfPaintDevice.h"

#include "report/pdf/PdfPaintEngine.h"

#include <climits>
#include <cmath>

namespace tovren::pdf {

PdfPaintDevice::PdfPaintDevice(QIODevice &out, int dotsPerInch)
    : m_out(out)
    , m_dotsPerInch(dotsPerInch)
    , m_engine(std::make_unique<PdfPaintEngine>(*this))
{}

PdfPaintDevice::~PdfPaintDevice() = default;

void PdfPaintDevice::setTitle(const QString &title)
{
    m_title = title;
}

void PdfPaintDevice::setCreator(const QString &creator)
{
    m_creator = creator;
}

void PdfPaintDevice::setPageLayout(PointsSizeF size, PointsMarginsF margins)
{
    m_pageSize = size;
    m_margins = margins;
}

bool PdfPaintDevice::newPage()
{
    return m_engine->newPage();
}

QString PdfPaintDevice::errorString() const
{
    return m_engine->errorString();
}

QPaintEngine *PdfPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int PdfPaintDevice::metric(PaintDeviceMetric metric) const
{
    constexpr double kMillimetresPerPoint = 25.4 / 72.0;
    const double widthPoints = m_pageSize.width() - m_margins.left() - m_margins.right();
    const double heightPoints = m_pageSize.height() - m_margins.top() - m_margins.bottom();
    const double dotsPerPoint = m_dotsPerInch / 72.0;
    switch (metric) {
    case PdmWidth:
        return int(std::lround(widthPoints * dotsPerPoint));
    case PdmHeight:
        return int(std::lround(heightPoints * dotsPerPoint));
    case PdmWidthMM:
        return int(std::lround(widthPoints * kMillimetresPerPoint));
    case PdmHeightMM:
        return int(std::lround(heightPoints * kMillimetresPerPoint));
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dotsPerInch;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace tovren::pdf
