#include "app/ui/RangeStep.h"

#include "report/engine/TqxDataset.h"

#include <algorithm>
#include <climits>

namespace tovren::app {

void applyRecordCountText(const QString &boxText, engine::TqxDataset &reportDataSet)
{
    bool ok = false;
    int value = boxText.trimmed().toInt(&ok);
    if (!ok)
        value = 0;
    reportDataSet.setRangeBegin(engine::rbFirst);
    if (value == 0) {
        reportDataSet.setRangeEnd(engine::reLast);
        reportDataSet.setRangeEndCount(0);
    } else if (value > 0) {
        reportDataSet.setRangeEnd(engine::reCount);
        reportDataSet.setRangeEndCount(value);
    }
}

} // namespace tovren::app

namespace tovren::app {

std::optional<RecordSpan> recordSpan(qsizetype first, qsizetype last, qsizetype recordCount)
{
    first = std::max<qsizetype>(first, 1);
    last = std::min(last, recordCount);
    if (first > last)
        return std::nullopt;
    return RecordSpan{first - 1, last - first + 1};
}

void applyRecordSpan(const RecordSpan &span, engine::TqxDataset &reportDataSet)
{
    reportDataSet.setRangeBegin(engine::rbCurrent);
    reportDataSet.setRangeEnd(engine::reCount);
    reportDataSet.setRangeEndCount(int(std::min<qsizetype>(span.count, INT_MAX)));
}

int followRecordCount(int boxValue, qsizetype previousCount, qsizetype newCount)
{
    if (boxValue <= 0)
        return boxValue;
    if (boxValue == previousCount || boxValue > newCount)
        return int(std::min<qsizetype>(newCount, INT_MAX));
    return boxValue;
}

} // namespace tovren::app
