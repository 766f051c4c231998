#include "report/output/PdfPrintDevice.h"

#include "report/platform/FileProblems.h"

#include <QPageLayout>
#include <QPageSize>

namespace tovren::output {

namespace {

// The virtual printer's unprintable border; the painter's origin is the printable corner, as
// on a real printer.
constexpr double kBorderMm = 5.0;

QPageLayout layoutOf(const model::SheetRequest &sheet)
{
    // Sheets are stored as oriented; the page size itself is given in portrait.
    const double widthMm = sheet.width / 10.0;
    const double heightMm = sheet.height / 10.0;
    const QSizeF portraitMm =
        sheet.landscape ? QSizeF(heightMm, widthMm) : QSizeF(widthMm, heightMm);
    const QPageSize size(portraitMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kBorderMm, kBorderMm, kBorderMm, kBorderMm),
                       QPageLayout::Millimeter);
}

bool isUsable(const model::SheetRequest &sheet)
{
    return sheet.width > 0 && sheet.height > 0;
}

} // namespace

PdfPrintDevice::PdfPrintDevice(const QString &fileName, int dotsPerInch)
    : m_fileName(fileName)
    , m_dotsPerInch(dotsPerInch)
{}

PdfPrintDevice::~PdfPrintDevice()
{
    if (m_painter.isActive())
        abortDocument();
}

bool PdfPrintDevice::beginDocument(const QString &title, int /*copyCount*/, bool /*collate*/,
                                   const model::SheetRequest &sheet)
{
    if (m_painter.isActive()) {
        m_error = QStringLiteral("已有一个文档正在打印");
        return false;
    }
    if (!isUsable(sheet)) {
        m_error = QStringLiteral("该页没有纸张大小");
        return false;
    }
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString problem = platform::writeProblem(m_fileName);
        m_error = QStringLiteral("无法创建文件 %1").arg(m_fileName) +
                  (problem.isEmpty() ? QString() : QStringLiteral(": ") + problem);
        m_file.reset();
        return false;
    }
    m_exactSize = std::make_unique<platform::ExactPdfPageSize>(*m_file);
    queueSheet(sheet);
    m_writer = std::make_unique<QPdfWriter>(m_exactSize.get());
    m_writer->setTitle(title);
    m_writer->setResolution(m_dotsPerInch);
    m_writer->setPageLayout(layoutOf(sheet));
    if (!m_painter.begin(m_writer.get())) {
        m_error = QStringLiteral("无法写入文件 %1").arg(m_fileName);
        m_writer.reset();
        m_exactSize.reset();
        m_file->cancelWriting();
        m_file.reset();
        return false;
    }
    return true;
}

bool PdfPrintDevice::newPage(const model::SheetRequest &sheet)
{
    if (!m_painter.isActive() || !isUsable(sheet)) {
        m_error = QStringLiteral("该页没有纸张大小");
        return false;
    }
    m_writer->setPageLayout(layoutOf(sheet));
    queueSheet(sheet);
    if (!m_writer->newPage()) {
        m_error = QStringLiteral("无法写入文件 %1").arg(m_fileName);
        return false;
    }
    return true;
}

void PdfPrintDevice::closeDocument()
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    if (m_exactSize)
        m_exactSize->close();
    m_exactSize.reset();
}

void PdfPrintDevice::queueSheet(const model::SheetRequest &sheet)
{
    // Sheets are stored as oriented, in tenths of a millimetre.
    constexpr double kPointsPerTenthMm = 72.0 / 254.0;
    m_exactSize->queuePage(
        platform::PointsSizeF(sheet.width * kPointsPerTenthMm, sheet.height * kPointsPerTenthMm));
}

bool PdfPrintDevice::endDocument()
{
    if (!m_file)
        return false;
    closeDocument();
    const bool kept = m_file->commit();
    if (!kept)
        m_error = QStringLiteral("无法写入文件 %1").arg(m_fileName);
    m_file.reset();
    return kept;
}

void PdfPrintDevice::abortDocument()
{
    closeDocument();
    if (m_file) {
        m_file->cancelWriting();
        m_file->commit();
        m_file.reset();
    }
}

} // namespace tovren::output
