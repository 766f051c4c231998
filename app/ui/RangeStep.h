#pragma once

#include <QString>
#include <optional>

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

namespace tovren::app {

/// Which records a print run takes, beside the record-count box's "the first N".
enum class PrintScope {
    FirstRecords,  ///< the record-count box: all, or the first N
    CurrentRecord, ///< the record the grid shows
    RecordSpan,    ///< records n to m, counted from 1 in the grid's order
};

/// Records @p firstRow (zero-based) and the @p count after it.
struct RecordSpan
{
    qsizetype firstRow = 0;
    qsizetype count = 0;
};

/// Records n to m (1-based, inclusive) of a query of @p recordCount records, clipped to it; no
/// span when the numbers select no record.
std::optional<RecordSpan> recordSpan(qsizetype first, qsizetype last, qsizetype recordCount);

/// Ranges the report data source over a span that starts at the data set's current record, so
/// the caller moves the data set to the span's first row before the run.
void applyRecordSpan(const RecordSpan &span, engine::TqxDataset &reportDataSet);

/// The record-count box after the query's record count went from @p previousCount to
/// @p newCount: a box that showed every record follows the store, a smaller choice stays, and
/// no box asks for more records than there are. 0 and negative values keep their meanings.
int followRecordCount(int boxValue, qsizetype previousCount, qsizetype newCount);

} // namespace tovren::app
