#pragma once

#include "report/output/PrintDevice.h"

#include <QPainter>

class QPrinter;

namespace tovren::output {

/// Prints on a platform printer through the QPrinter that the printer layer configures.
///
/// The sheet of each document is whatever the printer layer last wrote into the printer, so a
/// change of paper needs a new document. Copies and collation are asked of the printer itself.
class PrinterPrintDevice : public PrintDevice
{
public:
    /// @p printer is not owned and must outlive the device.
    explicit PrinterPrintDevice(QPrinter &printer);
    ~PrinterPrintDevice() override;

    bool makesCopies() const override;
    bool changesSheetWithinDocument() const override { return false; }
    bool beginDocument(const QString &title, int copyCount, bool collate,
                       const model::SheetRequest &sheet) override;
    bool newPage(const model::SheetRequest &sheet) override;
    bool endDocument() override;
    void abortDocument() override;
    QPainter &painter() override { return m_painter; }
    int resolution() const override;
    QString errorString() const override { return m_error; }

private:
    QPrinter &m_printer;
    QPainter m_painter;
    QString m_error;
};

} // namespace tovren::output
