#include "report/preview/PrintDestination.h"

#include "report/output/PdfPrintDevice.h"
#include "report/output/PrinterPrintDevice.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"

#include <QFileInfo>
#include <QPrinter>

namespace tovren::preview {

namespace {

constexpr int kPdfDotsPerInch = 600;

/// A printer device that owns the QPrinter it prints on, for the length of one print.
class OwnedPrinterDevice : public output::PrintDevice
{
public:
    explicit OwnedPrinterDevice(const QString &printerName)
        : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    {
        m_printer->setPrinterName(printerName);
        m_device = std::make_unique<output::PrinterPrintDevice>(*m_printer);
    }

    bool makesCopies() const override { return m_device->makesCopies(); }
    bool changesSheetWithinDocument() const override
    {
        return m_device->changesSheetWithinDocument();
    }
    bool beginDocument(const QString &title, int copyCount, bool collate,
                       const model::SheetRequest &sheet) override
    {
        return m_device->beginDocument(title, copyCount, collate, sheet);
    }
    bool newPage(const model::SheetRequest &sheet) override { return m_device->newPage(sheet); }
    bool endDocument() override { return m_device->endDocument(); }
    void abortDocument() override { m_device->abortDocument(); }
    QPainter &painter() override { return m_device->painter(); }
    int resolution() const override { return m_device->resolution(); }
    QString errorString() const override { return m_device->errorString(); }

private:
    // Declared first so that it outlives the device drawing on it.
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<output::PrinterPrintDevice> m_device;
};

} // namespace

PrintDestination::PrintDestination(output::TqxPrinter &printerLayer,
                                   platform::DialogProvider &dialogs)
    : m_layer(printerLayer)
    , m_dialogs(dialogs)
{}

std::unique_ptr<output::PrintDevice> PrintDestination::open(const QString &suggestedName) const
{
    if (!m_layer.isVirtualActive())
        return std::make_unique<OwnedPrinterDevice>(
            m_layer.printerNames().value(m_layer.activeIndex()));
    QString fileName = m_dialogs.saveFileName(QStringLiteral("打印到文件"),
                                              QStringLiteral("PDF (*.pdf)"), suggestedName);
    if (fileName.isEmpty())
        return nullptr;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    return std::make_unique<output::PdfPrintDevice>(fileName, kPdfDotsPerInch);
}

} // namespace tovren::preview
