#include "report/output/PdfPrintDevice.h"

#include "report/platform/FileProblems.h"

namespace tovren::output {

namespace {

// The virtual printer's unprintable border; the painter's origin is the printable corner, as
// on a real printer.
constexpr double kBorderPoints = 5.0 * 72.0 / 25.4;

void setLayout(pdf::PdfPaintDevice &device, const model::SheetRequest &sheet)
{
    // Sheets are stored as oriented, in tenths of a millimetre.
    constexpr double kPointsPerTenthMm = 72.0 / 254.0;
    device.setPageLayout(
        pdf::PointsSizeF(sheet.width * kPointsPerTenthMm, sheet.height * kPointsPerTenthMm),
        pdf::PointsMarginsF(kBorderPoints, kBorderPoints, kBorderPoints, kBorderPoints));
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
    m_device = std::make_unique<pdf::PdfPaintDevice>(*m_file, m_dotsPerInch);
    m_device->setTitle(title);
    setLayout(*m_device, sheet);
    if (!m_painter.begin(m_device.get())) {
        m_error = QStringLiteral("无法写入文件 %1").arg(m_fileName);
        m_device.reset();
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
    setLayout(*m_device, sheet);
    if (!m_device->newPage()) {
        m_error = QStringLiteral("无法写入文件 %1").arg(m_fileName);
        return false;
    }
    return true;
}

bool PdfPrintDevice::closeDocument()
{
    const bool written = m_painter.isActive() && m_painter.end();
    m_device.reset();
    return written;
}

bool PdfPrintDevice::endDocument()
{
    if (!m_file)
        return false;
    const bool kept = closeDocument() && m_file->commit();
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
