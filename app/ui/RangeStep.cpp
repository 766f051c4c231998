#include "app/ui/RangeStep.h"

#include "report/engine/TqxDataset.h"

namespace tovren::app {

void applyRecordCountText(const QString &boxText, engine::TqxDataset &reportDataSet)
{
    bool ok = false;
    int value = boxText.trimmed().toInt(&ok);
    if (!ok)
        value = 0;
    if (value == 0) {
        reportDataSet.setRangeEnd(engine::reLast);
        reportDataSet.setRangeEndCount(0);
    } else if (value > 0) {
        reportDataSet.setRangeEnd(engine::reCount);
        reportDataSet.setRangeEndCount(value);
    }
}

} // namespace tovren::app
