#pragma once

#include "report/designer/DesignerHost.h"
#include "report/designer/TrackingRect.h"

#include <QSize>

namespace tovren::model {
class ObjectRegistry;
class TqxPage;
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// Creates the objects that the insertion tools and the line tool put on a page of a report.
///
/// A created object is appended to the page (the top of the z-order) and named with its base
/// name and the smallest number no object of the report uses. place() then gives it its frame
/// and the last-used formatting values; the caller selects it and records the undo step.
class ObjectInsertion
{
public:
    ObjectInsertion(model::TqxPages &pages, qsizetype pageIndex, model::ObjectRegistry &registry,
                    DesignerHost &host);

    /// Width 96 and height 20 (108 and 18 on the 18-pixel grid); last font sizes of 12 or 13
    /// points give height 20, 14 to 16 points height 24.
    static QSize defaultObjectSize(int gridStepPixels, int lastFontSizePoints);
    /// The band type's title without blanks, each word after a blank capitalised.
    static QString bandBaseName(int bandType);

    /// Creates the object of @p tool. Nothing is created, and null returned, when the band
    /// type chooser is cancelled, when the page already holds the one object its add-in class
    /// allows (the person is told why) or when the tool names no object kind.
    model::TqxView *create(ObjectTool tool);
    /// Gives a new object its place: @p frame, or a default size at the frame's corner when
    /// the frame has no width or height; then the last-used formatting values. Returns the
    /// frame used.
    TrackingRect place(model::TqxView &view, TrackingRect frame, int canvasWidthPixels) const;
    /// Creates a line along the longer extent of @p drawn, from its start point.
    model::TqxView *createLine(TrackingRect drawn);

private:
    model::TqxView &append(std::unique_ptr<model::TqxView> view);
    bool pageIsSubReportTarget() const;
    model::TqxPage &page() const;

    model::TqxPages &m_pages;
    qsizetype m_pageIndex;
    model::ObjectRegistry &m_registry;
    DesignerHost &m_host;
};

} // namespace tovren::designer
