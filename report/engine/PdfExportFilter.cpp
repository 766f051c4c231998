#include "report/engine/PdfExportFilter.h"

#include "report/engine/EngineErrors.h"
#include "report/engine/TqxEMFPages.h"
#include "report/model/RunState.h"
#include "report/model/TqxView.h"
#include "report/platform/FileProblems.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace tovren::engine {

namespace {

constexpr double kDesignPixelsPerInch = 91.6256157635468;

QPageSize paperOf(const TqxPreparedPage &page)
{
    return QPageSize(QSizeF(page.paperWidth / 10.0, page.paperHeight / 10.0), QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
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
    if (m_file)
        m_file->cancelWriting();
}

void PdfExportFilter::beginDocument()
{
    m_file = std::make_unique<QSaveFile>(FileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString problem = platform::writeProblem(FileName);
        throw EReportError(QStringLiteral("无法创建文件 %1").arg(FileName) +
                           (problem.isEmpty() ? QString() : QStringLiteral(": ") + problem));
    }
    m_exactSize = std::make_unique<platform::ExactPdfPageSize>(*m_file);
    m_writer = std::make_unique<QPdfWriter>(m_exactSize.get());
    m_writer->setResolution(m_resolutionDpi);
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_writer->setCreator(QStringLiteral("Tovren"));
    m_painter = std::make_unique<QPainter>();
    m_firstPage = true;
}

void PdfExportFilter::beginPage(const TqxPreparedPage &page)
{
    m_writer->setPageSize(paperOf(page));
    constexpr double kPointsPerTenthMm = 72.0 / 254.0;
    m_exactSize->queuePage(platform::PointsSizeF(page.paperWidth * kPointsPerTenthMm,
                                                 page.paperHeight * kPointsPerTenthMm));
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (m_firstPage) {
        if (!m_painter->begin(m_writer.get()))
            throw EReportError(QStringLiteral("无法写入文件 %1").arg(FileName));
        m_firstPage = false;
    } else {
        m_writer->newPage();
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
        m_painter->begin(m_writer.get());
    }
    m_painter->end();
    m_writer.reset();
    const bool flushed = m_exactSize->flushPending();
    m_exactSize.reset();
    if (!flushed || !m_file->commit())
        throw EReportError(QStringLiteral("无法写入文件 %1").arg(FileName));
    m_file.reset();
}

} // namespace tovren::engine
