#include "report/engine/DefaultDataSet.h"

#include "report/model/BandType.h"

namespace tovren::engine {

std::optional<int> dataBandForUnqualifiedFields(std::optional<int> activeBandType)
{
    if (!activeBandType)
        return std::nullopt;
    switch (*activeBandType) {
    case model::btReportTitle:
    case model::btReportSummary:
    case model::btPageHeader:
    case model::btPageFooter:
    case model::btMasterHeader:
    case model::btMasterData:
    case model::btMasterFooter:
    case model::btGroupHeader:
    case model::btGroupFooter:
        return model::btMasterData;
    case model::btDetailData:
    case model::btDetailFooter:
        return model::btDetailData;
    case model::btSubDetailData:
    case model::btSubDetailFooter:
        return model::btSubDetailData;
    case model::btCrossData:
    case model::btCrossFooter:
        return model::btCrossData;
    default:
        return std::nullopt;
    }
}

} // namespace tovren::engine
