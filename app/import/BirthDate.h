#pragma once

#include <QDate>
#include <QString>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::import {

/// The three part fields derived from `Birth`.
enum class BirthPart { Year, Month, Day };

/// The part as decimal text; month and day padded to two digits when @p padded.
QString birthPartText(const QDate &date, BirthPart part, bool padded);

/// The part a field name stands for (BirthYear, BirthMonth, BirthDay, ignoring case), if any.
bool birthPartOf(const QString &fieldName, BirthPart *part);

/// Reopens the query on the whole table and fills BirthYear, BirthMonth and BirthDay of every
/// record from its Birth, padded. A Birth that is not a date stops the run with an error naming
/// the record; records done before it stay done. Returns the number of records filled.
qsizetype fillBirthDateParts(db::TDbQuery &query);

/// "year\rmonth\rday" of the current record's Birth, unpadded; throws when it is not a date.
QString describeBirthDate(db::TDbQuery &query);

} // namespace tovren::import
