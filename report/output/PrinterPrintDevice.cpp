#include "report/output/PrinterPrintDevice.h"

#include <QPrinter>

namespace tovren::output {

PrinterPrintDevice::PrinterPrintDevice(QPrinter &printer)
    : m_printer(printer)
{}

PrinterPrintDevice::~PrinterPrintDevice()
{
    if (m_painter.isActive())
        abortDocument();
}

bool PrinterPrintDevice::makesCopies() const
{
    return m_printer.supportsMultipleCopies();
}

bool PrinterPrintDevice::beginDocument(const QString &title, int copyCount, bool collate,
                                       const model::SheetRequest & /*sheet*/)
{
    m_printer.setDocName(title);
    m_printer.setCopyCount(copyCount);
    m_printer.setCollateCopies(collate);
    if (!m_painter.begin(&m_printer)) {
        m_error = QStringLiteral("打印机 “%1” 无法开始打印文档").arg(m_printer.printerName());
        return false;
    }
    return true;
}

bool PrinterPrintDevice::newPage(const model::SheetRequest & /*sheet*/)
{
    if (!m_printer.newPage()) {
        m_error = QStringLiteral("打印机 “%1” 无法开始新的一页").arg(m_printer.printerName());
        return false;
    }
    return true;
}

bool PrinterPrintDevice::endDocument()
{
    if (!m_painter.isActive() || m_painter.end())
        return true;
    m_error = QStringLiteral("打印机 “%1” 无法结束打印文档").arg(m_printer.printerName());
    return false;
}

void PrinterPrintDevice::abortDocument()
{
    m_printer.abort();
    if (m_painter.isActive())
        m_painter.end();
}

int PrinterPrintDevice::resolution() const
{
    return m_printer.resolution();
}

} // namespace tovren::output
