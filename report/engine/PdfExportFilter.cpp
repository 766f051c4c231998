#include "report/engine/PdfExportFilter.h"

#include "report/engine/EngineErrors.h"
#include "report/engine/TqxEMFPages.h"
#include "report/model/RunState.h"
#include "report/model/TqxView.h"
#include "report/platform/FileProblems.h"

#include <QPainter>
#include <QSaveFile>

namespace tovren::engine {

namespace {

constexpr double kDesignPixelsPerInch = 91.6256157635468;

// Paper sizes are kept in tenths of a millimetre.
pdf::PointsSizeF paperOf(const TqxPreparedPage &page)
{
    constexpr double kPointsPerTenthMm = 72.0 / 254.0;
    return pdf::PointsSizeF(page.paperWidth * kPointsPerTenthMm,
                            page.paperHeight * kPointsPerTenthMm);
}

} // namespace

PdfExportFilter::PdfExportFilter(int resolutionDpi)
    : m_resolutionDpi(resolutionDpi)
{}

PdfExportFilter::~PdfExportFilter()
{
    // An export that did not reach endDocument leaves no file behind.
    if (m_painter && m_painter->isActive())
        m_painter->end();
    discardFile();
}

void PdfExportFilter::discardFile()
{
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
    if (m_plainFile) {
        m_plainFile->close();
        m_plainFile->remove();
        m_plainFile.reset();
    }
}

bool PdfExportFilter::finishFile(bool written)
{
    if (!written) {
        discardFile();
        return false;
    }
    if (m_plainFile) {
        m_plainFile->close();
        const bool kept = m_plainFile->error() == QFileDevice::NoError;
        if (!kept)
            m_plainFile->remove();
        m_plainFile.reset();
        return kept;
    }
    const bool kept = m_file->commit();
    m_file.reset();
    return kept;
}

void PdfExportFilter::beginDocument()
{
    QFileDevice *file = nullptr;
    if (m_writesInPlace) {
        m_plainFile = std::make_unique<QFile>(FileName);
        file = m_plainFile.get();
    } else {
        m_file = std::make_unique<QSaveFile>(FileName);
        file = m_file.get();
    }
    if (!file->open(QIODevice::WriteOnly)) {
        m_file.reset();
        m_plainFile.reset();
        const QString problem = platform::writeProblem(FileName);
        throw EReportError(QStringLiteral("无法创建文件 %1").arg(FileName) +
                           (problem.isEmpty() ? QString() : QStringLiteral(": ") + problem));
    }
    m_device = std::make_unique<pdf::PdfPaintDevice>(*file, m_resolutionDpi);
    m_device->setCreator(QStringLiteral("Tovren"));
    m_painter = std::make_unique<QPainter>();
    m_firstPage = true;
}

void PdfExportFilter::beginPage(const TqxPreparedPage &page)
{
    m_device->setPageLayout(paperOf(page));
    if (m_firstPage) {
        if (!m_painter->begin(m_device.get()))
            throw EReportError(QStringLiteral("无法写入文件 %1").arg(FileName));
        m_firstPage = false;
    } else if (!m_device->newPage()) {
        throw EReportError(QStringLiteral("无法写入文件 %1").arg(FileName));
    }
}

void PdfExportFilter::exportObject(model::TqxView &view)
{
    const double scale = m_resolutionDpi / kDesignPixelsPerInch;
    view.Transform = model::DrawTransform{scale, scale, 0, 0};
    view.DrawingToPrinter = true;
    m_painter->save();
    view.Draw(*m_painter);
    m_painter->restore();
}

void PdfExportFilter::endPage() {}

void PdfExportFilter::endDocument()
{
    if (m_firstPage) {
        // A document without pages is still a valid, empty PDF.
        m_painter->begin(m_device.get());
    }
    const bool written = m_painter->end();
    const QString problem = m_device->errorString();
    m_device.reset();
    if (!finishFile(written)) {
        throw EReportError(QStringLiteral("无法写入文件 %1").arg(FileName) +
                           (problem.isEmpty() ? QString() : QStringLiteral(": ") + problem));
    }
    m_file.reset();
}

} // namespace tovren::engine
