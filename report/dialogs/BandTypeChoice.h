#pragma once

#include <QList>

namespace tovren::model {
class TqxPage;
}

namespace tovren::dialogs {

/// The band types the band type chooser offers, 0 (report title) to 21 (child band).
inline constexpr int kChooserBandTypes = 22;

/// The types, in ascending order, that may be inserted on @p page. Data, header and footer
/// bands of the master, detail and sub-detail levels, groups and child bands may appear any
/// number of times; every other type only once per page. A sub-report page prints inside
/// another page, so it takes no report title or summary, page header or footer, column
/// header or footer, nor group header or footer.
QList<int> enabledBandTypes(const model::TqxPage &page, bool isSubreportPage);

} // namespace tovren::dialogs
