#pragma once

#include "report/model/FormImageBackdrop.h"
#include "report/preview/PreviewLayout.h"

#include <QAbstractScrollArea>

namespace tovren::engine {
class TqxEMFPages;
}

namespace tovren::preview {

/// The scrolled page area of the preview: every prepared page at its laid-out place on grey.
///
/// The pages are painted straight into the viewport at an origin taken from the scroll bars,
/// so no widget ever has to be as large as the whole report (a long report is far taller than
/// a widget may be). Only pages that meet the painted area are drawn; the others give back
/// their loaded objects, so memory stays bounded by what is on screen. The pages are not owned.
class PreviewPageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kSmallStep = 10;
    static constexpr int kLargeStep = 200;

    explicit PreviewPageView(engine::TqxEMFPages &pages, QWidget *parent = nullptr);

    /// Takes new page places and sets the scroll ranges to the overhang plus a margin.
    void setPagePlaces(const PreviewLayout::Result &layout);
    const PreviewLayout::Result &pageLayout() const { return m_layout; }

    /// Content point shown at the viewport's top-left corner.
    QPoint scrollPosition() const;
    void setScrollPosition(const QPoint &position);
    /// Brings the top of page @p index to just below the top of the view.
    void scrollToPage(int index);
    /// Index of the page under @p viewportPoint, or -1 over the grey.
    int pageAt(const QPoint &viewportPoint) const;
    /// Index of the page crossing the line just below the top of the view, or -1.
    int pageAtTop() const;

    /// Marks a content rectangle as found text: it is shown inverted until cleared.
    void setHighlight(const QRect &contentRect);
    void clearHighlight();
    QRect highlight() const { return m_highlight; }

    /// Notches of the mouse wheel scroll by this many small steps each.
    void setWheelStep(int steps) { m_wheelStep = steps; }

    /// Draws the scan of the blank form under every page built from a page that has one. Off
    /// by default: the preview shows what prints, and the scan never prints.
    void setShowFormImages(bool show);
    bool showsFormImages() const { return m_showFormImages; }
    /// Whether any page has a scan to show.
    bool hasFormImages() const;

    /// Frees the loaded objects of every page.
    void releaseAllPages();

signals:
    void viewportResized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    engine::TqxEMFPages &m_pages;
    PreviewLayout::Result m_layout;
    QRect m_highlight;
    int m_wheelStep = 1;
    bool m_showFormImages = false;
    model::FormImageBackdrop m_formImage;
};

} // namespace tovren::preview
