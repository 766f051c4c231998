#pragma once

#include <QString>

namespace tovren::engine {
class TqxDataset;
}

namespace tovren::app {

/// Applies the record-count box to the report data source's range before a print or design run:
/// text that is not an integer reads as 0, which means every record (reLast); a positive number
/// limits the run to that many records (reCount); a negative number leaves the range the previous
/// run set. The runs always start at the first record: the range's beginning is never touched.
void applyRecordCountText(const QString &boxText, engine::TqxDataset &reportDataSet);

} // namespace tovren::app
