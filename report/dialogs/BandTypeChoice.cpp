#include "report/dialogs/BandTypeChoice.h"

#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <array>

namespace tovren::dialogs {

namespace {

bool mayRepeat(int type)
{
    return (type >= model::btMasterHeader && type <= model::btSubDetailFooter) ||
           type == model::btGroupHeader || type == model::btGroupFooter || type == model::btChild;
}

bool belongsToOuterPage(int type)
{
    return (type >= model::btReportTitle && type <= model::btPageFooter) ||
           (type >= model::btColumnHeader && type <= model::btGroupFooter);
}

} // namespace

QList<int> enabledBandTypes(const model::TqxPage &page, bool isSubreportPage)
{
    std::array<bool, kChooserBandTypes> present{};
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const auto *band = dynamic_cast<const model::TqxBandView *>(page.object(i));
        if (band && band->bandType() < kChooserBandTypes)
            present[size_t(band->bandType())] = true;
    }
    QList<int> enabled;
    for (int type = 0; type < kChooserBandTypes; ++type) {
        if (!mayRepeat(type) && present[size_t(type)])
            continue;
        if (isSubreportPage && belongsToOuterPage(type))
            continue;
        enabled << type;
    }
    return enabled;
}

} // namespace tovren::dialogs
