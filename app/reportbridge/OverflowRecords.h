#pragma once

#include <QtGlobal>
#include <vector>

namespace tovren::engine {
class TqxReport;
struct TextOverflow;
} // namespace tovren::engine

namespace tovren::app {

/// Names the record and the field of each value @p report's certificate pages would print cut
/// off, so the clerk can find the graduate to correct: "第 3 条记录 200400003 曾华" and "市县".
///
/// The certificate prints one page per record, page 1 being the record at @p firstRecordRow
/// (counted from 0) of the query. The student number and name are the ones the page shows; the
/// field is the one the template's text object shows, titled as the grid titles it. An overflow
/// whose object shows no field keeps its object's name only.
void nameOverflowRecords(std::vector<engine::TextOverflow> &overflows, engine::TqxReport &report,
                         qsizetype firstRecordRow);

} // namespace tovren::app
