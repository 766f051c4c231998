#pragma once

#include "report/engine/TqxExportFilter.h"
#include "report/pdf/PdfPaintDevice.h"

#include <memory>

class QPainter;
class QSaveFile;

namespace tovren::engine {

/// Writes prepared pages to a PDF file, one PDF page per prepared page at that page's paper
/// size, with the fonts the objects use embedded.
///
/// The file appears under its name only when the whole document is written; a failure
/// raises EReportError and leaves any earlier file of that name as it was.
class PdfExportFilter : public TqxExportFilter
{
public:
    /// Device resolution of the PDF drawing, in dots per inch.
    explicit PdfExportFilter(int resolutionDpi = 300);
    ~PdfExportFilter() override;

    void beginDocument() override;
    void beginPage(const TqxPreparedPage &page) override;
    void exportObject(model::TqxView &view) override;
    void endPage() override;
    void endDocument() override;

private:
    int m_resolutionDpi;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<pdf::PdfPaintDevice> m_device;
    std::unique_ptr<QPainter> m_painter;
    bool m_firstPage = true;
};

} // namespace tovren::engine
