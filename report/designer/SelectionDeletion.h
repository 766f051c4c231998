#pragma once

#include <QRegion>

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// Deleting the selected objects of a page. Objects that may not be deleted stay, selected or
/// not; a deleted child band is first cleared from every band that named it as its child.
class SelectionDeletion
{
public:
    struct Result
    {
        int deleted = 0;
        bool subReportDeleted = false;
        /// The drawn areas of the selection before the deletion, to repaint.
        QRegion area;
    };

    static Result deleteSelected(model::TqxPage &page);
};

} // namespace tovren::designer
