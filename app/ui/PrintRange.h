#pragma once

#include <QString>

namespace tovren::app {

/// How many records of the browse query a print or design run uses: all of them, or the first
/// `count`. The runs always start at the query's first record.
struct PrintRange
{
    enum class End { Last, Count };
    End end = End::Last;
    int count = 0;

    friend bool operator==(const PrintRange &, const PrintRange &) = default;
};

/// Applies the record-count box to the range: text that is not an integer reads as 0, which
/// means every record; a positive number limits the run; a negative number leaves the range
/// the previous run set.
void applyRecordCountText(const QString &boxText, PrintRange &range);

} // namespace tovren::app
