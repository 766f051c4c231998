#include "report/designer/SelectionDeletion.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

namespace tovren::designer {

namespace {

void forgetChildBand(model::TqxPage &page, const model::TqxBandView &child)
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        auto *band = dynamic_cast<model::TqxBandView *>(page.object(i));
        if (band && band != &child && band->ChildBand == child.Name)
            band->ChildBand.clear();
    }
}

} // namespace

SelectionDeletion::Result SelectionDeletion::deleteSelected(model::TqxPage &page)
{
    Result result;
    for (qsizetype i = page.objectCount() - 1; i >= 0; --i) {
        model::TqxView &view = *page.object(i);
        if (!view.Selected)
            continue;
        result.area += view.GetClipRegion(true);
        if (!mayDelete(view))
            continue;
        const auto *band = dynamic_cast<const model::TqxBandView *>(&view);
        if (band && band->bandType() == model::btChild)
            forgetChildBand(page, *band);
        result.subReportDeleted |= view.ObjectKind == model::okSubReport;
        page.Delete(i);
        ++result.deleted;
    }
    return result;
}

} // namespace tovren::designer
