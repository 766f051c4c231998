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
/// (counted from 0) of the query, for @p recordCount records. The student number and name are
/// the ones the page shows; the field is the one the template's text object shows, titled as the
/// grid titles it. An overflow whose object shows no field keeps its object's name only. A report
/// that did not make one page per record (another template, a list of many records a page)
/// names no records, as its pages say nothing reliable about them; its overflows keep their page.
void nameOverflowRecords(std::vector<engine::TextOverflow> &overflows, engine::TqxReport &report,
                         qsizetype firstRecordRow, qsizetype recordCount);

} // namespace tovren::app
