#pragma once

#include "report/engine/TqxExportFilter.h"
#include "report/pdf/PdfPaintDevice.h"

#include <QFile>
#include <QSaveFile>
#include <memory>

class QPainter;

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

    /// For callers that write into a folder of their own and move the finished files into
    /// place themselves: each file is then written directly, without a temporary copy and a
    /// sync to disk of its own. A failed export still removes what it wrote.
    void setWritesInPlace(bool inPlace) { m_writesInPlace = inPlace; }

    void beginDocument() override;
    void beginPage(const TqxPreparedPage &page) override;
    void exportObject(model::TqxView &view) override;
    void endPage() override;
    void endDocument() override;

private:
    int m_resolutionDpi;
    bool finishFile(bool written);
    void discardFile();

    bool m_writesInPlace = false;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QFile> m_plainFile;
    std::unique_ptr<pdf::PdfPaintDevice> m_device;
    std::unique_ptr<QPainter> m_painter;
    bool m_firstPage = true;
};

} // namespace tovren::engine
