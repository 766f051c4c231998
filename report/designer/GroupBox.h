#pragma once

#include "report/designer/TrackingRect.h"

#include <QRect>
#include <QtGlobal>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The box around a multiple selection (ComputeGroupBox): from the smallest Left and Top of the
/// selected objects to the bottom-right corner of the corner object (the one reaching furthest
/// right, then furthest down), and the bounds every selected object had when it was computed,
/// from which a group resize scales them.
///
/// It is valid only while two or more objects are selected; whoever changes the selection or
/// deletes objects computes it again, so the saved objects are never stale.
class GroupBox
{
public:
    struct SavedBounds
    {
        model::TqxView *view;
        QRect bounds; ///< Left, Top, Width, Height when the box was computed
    };

    void compute(const model::TqxPage &page);
    void reset();

    bool isValid() const { return m_valid; }
    /// List index of the corner object, or -1.
    qsizetype cornerIndex() const { return m_cornerIndex; }
    QPoint origin() const { return m_origin; }
    /// The box when it was computed (GroupStartRect).
    TrackingRect startRect() const { return m_start; }
    const std::vector<SavedBounds> &savedBounds() const { return m_saved; }

private:
    static constexpr int kNoOrigin = 10000;

    bool m_valid = false;
    qsizetype m_cornerIndex = -1;
    QPoint m_origin{kNoOrigin, kNoOrigin};
    TrackingRect m_start;
    std::vector<SavedBounds> m_saved;
};

} // namespace tovren::designer
