#include "report/output/PrintJob.h"

#include "report/output/PageSelection.h"
#include "report/output/PrintDevice.h"
#include "report/output/PrintSequence.h"
#include "report/output/PrintablePages.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/StringTable.h"

#include <QCoreApplication>

namespace tovren::output {

namespace {

constexpr int kUntitled = 55209;
// The virtual printer's fixed unprintable border.
constexpr double kVirtualBorderTenthsMm = 50;

model::SheetRequest sheetInForce(const TqxPrinter &layer)
{
    return {layer.paperCode(), layer.sheetWidth(), layer.sheetHeight(), layer.binCode(),
            layer.landscape()};
}

model::DevicePixels devicePixels(double tenthsMm, int dotsPerInch)
{
    return model::roundHalfEven(tenthsMm / model::kTenthsMmPerInch * dotsPerInch);
}

// The virtual printer knows no device; its sheet is measured at the print device's resolution.
void fillVirtualDeviceFields(model::TqxPageMetrics &m, const TqxPrinter &layer, int dotsPerInch)
{
    m.DevPaperWidth = devicePixels(layer.sheetWidth(), dotsPerInch);
    m.DevPaperHeight = devicePixels(layer.sheetHeight(), dotsPerInch);
    m.DevOffsetX = m.DevOffsetY = devicePixels(kVirtualBorderTenthsMm, dotsPerInch);
    m.DevPrintWidth = m.DevPaperWidth - 2 * m.DevOffsetX;
    m.DevPrintHeight = m.DevPaperHeight - 2 * m.DevOffsetY;
}

// Device pixels with the printable area's corner as origin.
QRect targetRect(const model::TqxPageMetrics &m, const PrintablePageSetup &setup)
{
    if (!setup.stretchToPrintArea || m.PrintWidthPx <= 0 || m.PrintHeightPx <= 0)
        return QRect(-m.DevOffsetX, -m.DevOffsetY, m.DevPaperWidth, m.DevPaperHeight);
    const double sx = double(m.DevPrintWidth) / m.PrintWidthPx;
    const double sy = double(m.DevPrintHeight) / m.PrintHeightPx;
    const QMargins &margins = setup.marginsDesignPx;
    const int left = model::roundHalfEven(margins.left() * sx);
    const int top = model::roundHalfEven(margins.top() * sy);
    const int right = m.DevPrintWidth - model::roundHalfEven(margins.right() * sx);
    const int bottom = m.DevPrintHeight - model::roundHalfEven(margins.bottom() * sy);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

PrintJob::PrintJob(TqxPrinter &printerLayer, PrintablePages &pages, PrintDevice &device)
    : m_layer(printerLayer)
    , m_pages(pages)
    , m_device(device)
{}

void PrintJob::refreshPrinterList()
{
    if (!m_platform)
        return;
    // Re-attaching picks up printers installed meanwhile but makes the platform's current
    // printer active again; the printer chosen for this print must stay chosen.
    const QString chosen = m_layer.printerNames().value(m_layer.activeIndex());
    const bool virtualChosen = m_layer.isVirtualActive();
    m_layer.AttachPlatformPrinter(m_platform);
    const int index =
        virtualChosen ? m_layer.virtualIndex() : int(m_layer.printerNames().indexOf(chosen));
    if (index >= 0)
        m_layer.SelectPrinter(index);
}

PrintJob::Outcome PrintJob::run(const PrintParameters &parameters, const QString &title,
                                const Hooks &hooks)
{
    m_error.clear();
    m_pagesSent = 0;
    m_documentOpen = false;
    const std::optional<PageSelection> selection =
        PageSelection::ExpandPageRanges(parameters.pageRangeText, m_pages.pageCount(), &m_error);
    if (!selection)
        return Outcome::Failed;
    refreshPrinterList();

    const QString documentTitle = title.isEmpty() ? platform::LoadLibraryString(kUntitled) : title;
    const PrintSequence sequence(*selection, parameters, m_device.makesCopies());
    bool cancelled = false;
    const bool completed = sequence.forEachPage([&](int index) {
        if (!printPage(index, parameters, documentTitle, sequence.deviceCopyCount()))
            return false;
        if (hooks.progress)
            hooks.progress(index + 1);
        QCoreApplication::processEvents();
        cancelled = hooks.stopRequested && hooks.stopRequested();
        return !cancelled;
    });

    if (!completed) {
        if (m_documentOpen)
            m_device.abortDocument();
        m_documentOpen = false;
        return cancelled ? Outcome::Cancelled : Outcome::Failed;
    }
    if (m_documentOpen && !m_device.endDocument()) {
        m_error = m_device.errorString();
        return Outcome::Failed;
    }
    if (m_pagesSent == 0) {
        // No document was opened, so nothing reached the printer or the file: not a print.
        m_error = QStringLiteral("没有要打印的页: 报表没有页, 或所选的页范围与奇偶页中没有页。");
        return Outcome::Failed;
    }
    return Outcome::Finished;
}

bool PrintJob::printPage(int index, const PrintParameters &parameters, const QString &title,
                         int deviceCopies)
{
    const PrintablePageSetup setup = m_pages.pageSetup(index);
    const model::SheetRequest &sheet = setup.sheet;
    const bool sameSheet =
        m_documentOpen && m_layer.SheetMatches(sheet.paperCode, sheet.width, sheet.height,
                                               sheet.bin, sheet.landscape);
    bool started = false;
    if (sameSheet) {
        started = m_device.newPage(sheetInForce(m_layer));
    } else if (m_documentOpen && m_device.changesSheetWithinDocument()) {
        m_layer.RequestSheet(sheet.paperCode, sheet.width, sheet.height, sheet.bin, sheet.landscape,
                             true);
        started = m_device.newPage(sheetInForce(m_layer));
    } else {
        // The printer takes a new sheet only between documents.
        if (m_documentOpen && !m_device.endDocument()) {
            m_documentOpen = false;
            m_error = m_device.errorString();
            return false;
        }
        m_documentOpen = false;
        m_layer.RequestSheet(sheet.paperCode, sheet.width, sheet.height, sheet.bin, sheet.landscape,
                             true);
        started =
            m_device.beginDocument(title, deviceCopies, parameters.collate, sheetInForce(m_layer));
        m_documentOpen = started;
    }
    if (!started) {
        m_error = m_device.errorString();
        return false;
    }

    model::TqxPageMetrics metrics;
    m_layer.GetPageMetrics(metrics);
    if (m_layer.isVirtualActive())
        fillVirtualDeviceFields(metrics, m_layer, m_device.resolution());
    m_pages.setPageMetrics(index, metrics);
    m_pages.drawPage(index, m_device.painter(),
                     m_calibration.apply(targetRect(metrics, setup), m_device.resolution()));
    m_pages.releasePage(index);
    ++m_pagesSent;
    return true;
}

} // namespace tovren::output
