#include "report/preview/EmfPagesPrintSource.h"

#include "report/engine/TqxEMFPages.h"

#include <QPainter>

namespace tovren::preview {

EmfPagesPrintSource::EmfPagesPrintSource(engine::TqxEMFPages &pages)
    : m_pages(pages)
{}

int EmfPagesPrintSource::pageCount() const
{
    return static_cast<int>(m_pages.Count());
}

output::PrintablePageSetup EmfPagesPrintSource::pageSetup(int index) const
{
    const engine::TqxPreparedPage &page = m_pages.Page(index);
    output::PrintablePageSetup setup;
    setup.sheet.paperCode = page.paperSize;
    setup.sheet.width = page.paperWidth;
    setup.sheet.height = page.paperHeight;
    setup.sheet.bin = page.bin;
    setup.sheet.landscape = page.orientation != 0;
    setup.marginsDesignPx =
        QMargins(page.margins.left, page.margins.top, page.margins.right, page.margins.bottom);
    // A page printed without its margins is the one spread over the printable area.
    setup.stretchToPrintArea = !page.useMargins;
    return setup;
}

void EmfPagesPrintSource::setPageMetrics(int index, const model::TqxPageMetrics &metrics)
{
    m_pages.Page(index).metrics = metrics;
}

void EmfPagesPrintSource::drawPage(int index, QPainter &painter, const QRect &targetDevicePixels)
{
    m_pages.Page(index).visible = true;
    m_pages.Draw(index, painter, targetDevicePixels, true);
}

void EmfPagesPrintSource::releasePage(int index)
{
    engine::TqxPreparedPage &page = m_pages.Page(index);
    page.visible = false;
    page.unpacked.reset();
}

} // namespace tovren::preview
