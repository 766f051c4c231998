#pragma once

#include "report/output/PrintDevice.h"
#include "report/pdf/PdfPaintDevice.h"

#include <QPainter>
#include <QSaveFile>
#include <memory>

namespace tovren::output {

/// Prints into one PDF file: the virtual printer's output and "print to file".
///
/// Every page keeps its own sheet within the one file. The file appears only when the document
/// ends; an aborted or failed print leaves any earlier file of that name as it was.
class PdfPrintDevice : public PrintDevice
{
public:
    explicit PdfPrintDevice(const QString &fileName, int dotsPerInch = 600);
    ~PdfPrintDevice() override;

    bool makesCopies() const override { return false; }
    bool changesSheetWithinDocument() const override { return true; }
    bool beginDocument(const QString &title, int copyCount, bool collate,
                       const model::SheetRequest &sheet) override;
    bool newPage(const model::SheetRequest &sheet) override;
    bool endDocument() override;
    void abortDocument() override;
    QPainter &painter() override { return m_painter; }
    int resolution() const override { return m_dotsPerInch; }
    QString errorString() const override { return m_error; }

private:
    bool closeDocument();

    QString m_fileName;
    int m_dotsPerInch;
    QString m_error;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<pdf::PdfPaintDevice> m_device;
    QPainter m_painter;
};

} // namespace tovren::output
