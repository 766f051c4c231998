#pragma once

#include "app/db/PackedRow.h"

#include <vector>

class QSqlQuery;

namespace tovren::db {

/// Reads the rows of @p query left after the current one straight from its SQLite statement and
/// appends them to @p rows; false, having read nothing, when the query is not on SQLite.
///
/// The cells come as the Qt driver gives them (integers as 64-bit numbers, reals as doubles,
/// text, blobs, nulls), but without a QVariant for each cell, and text is converted from the
/// store's UTF-8 once instead of by SQLite and again by Qt: opening a table of ten thousand
/// graduates takes a third of the time. The query must be forward-only and must not be moved
/// afterwards. Raises EDatabaseError when the store fails midway.
bool readRemainingSqliteRows(QSqlQuery &query, int columns, std::vector<PackedRow> &rows);

} // namespace tovren::db
