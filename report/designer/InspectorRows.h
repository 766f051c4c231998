#pragma once

#include "report/designer/DesignUnits.h"
#include "report/dialogs/InspectorRow.h"

#include <vector>

namespace tovren::model {
class TqxObject;
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// What the inspector lists: the rows (without their editors, which the window adds) and the
/// object they belong to when exactly one is shown.
struct InspectorContent
{
    std::vector<dialogs::InspectorRow> rows;
    /// The page or the single selected object; null for several objects.
    model::TqxObject *shownObject = nullptr;
    /// The object's name, "Page" and the page number for a page, empty for several objects.
    QString shownName;
    QString shownClass;
};

/// Which properties the inspector lists for the designer's selection and the values it shows.
///
/// Nothing selected shows the page; objects show the properties all of them have, sorted, with
/// those that belong to a single object (such as Name) dropped for several, and a value only
/// where every object has the same. Lengths are shown in the designer's unit with two decimals
/// on report pages, in whole pixels otherwise.
class InspectorRows
{
public:
    static InspectorContent forPage(model::TqxPage &page, int pageIndex, DesignUnit units);
    static InspectorContent forObjects(const std::vector<model::TqxView *> &objects,
                                       const model::TqxPage &page, DesignUnit units);

    /// Whether lengths on @p page are shown in @p units rather than in pixels.
    static bool lengthsInUnit(const model::TqxPage &page, DesignUnit units);
    /// The kind a row gets: a length becomes a fraction in a unit and an integer in pixels.
    static quint16 shownKind(quint16 propertyKind, bool inUnit);
};

} // namespace tovren::designer
