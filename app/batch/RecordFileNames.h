#pragma once

#include <QStringList>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// The expression the clerk is offered for per-record file names.
QString defaultRecordNameExpression();

/// One file name per record of @p query, from @p expression: a text whose bracketed parts are
/// evaluated on the record as a text object would ("[Aqy."StudID"]_[Aqy."Name"]"), made safe for
/// file names and numbered where two records give the same name; each ends in @p suffix.
///
/// Every record is named before anything is written, so a bad expression costs no forms: it
/// raises std::runtime_error with the record's number (counted from 1) and the evaluator's
/// message. The query's current record is where it was before.
QStringList recordFileNames(db::TDbQuery &query, const QString &expression, const QString &suffix);

} // namespace tovren::app
