#pragma once

#include "report/preview/PreviewLayout.h"

#include <QWidget>

namespace tovren::engine {
class TqxEMFPages;
}

namespace tovren::preview {

/// The drawing surface of the preview: every prepared page at its laid-out place on grey.
///
/// Only pages that meet the painted area are drawn; the others give back their loaded objects,
/// so memory stays bounded by what is on screen. The pages are not owned.
class PreviewPageView : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewPageView(engine::TqxEMFPages &pages, QWidget *parent = nullptr);

    /// Takes new page places; the widget grows to hold them all.
    void setPagePlaces(const PreviewLayout::Result &layout);
    const PreviewLayout::Result &pageLayout() const { return m_layout; }
    /// Frees the loaded objects of every page.
    void releaseAllPages();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    engine::TqxEMFPages &m_pages;
    PreviewLayout::Result m_layout;
};

} // namespace tovren::preview
