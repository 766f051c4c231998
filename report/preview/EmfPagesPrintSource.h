#pragma once

#include "report/output/PrintablePages.h"

namespace tovren::engine {
class TqxEMFPages;
}

namespace tovren::preview {

/// Lets the print loop walk a report's prepared pages.
///
/// Each page is marked visible only while it is drawn and released right after, so printing a
/// long report never keeps more than one page's objects alive. The pages are not owned and must
/// outlive the adapter.
class EmfPagesPrintSource : public output::PrintablePages
{
public:
    explicit EmfPagesPrintSource(engine::TqxEMFPages &pages);

    int pageCount() const override;
    output::PrintablePageSetup pageSetup(int index) const override;
    void setPageMetrics(int index, const model::TqxPageMetrics &metrics) override;
    void drawPage(int index, QPainter &painter, const QRect &targetDevicePixels) override;
    void releasePage(int index) override;

private:
    engine::TqxEMFPages &m_pages;
};

} // namespace tovren::preview
