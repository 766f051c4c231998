#pragma once

#include "app/db/DatabaseError.h"

#include <vector>

namespace tovren::db {

class TDbQuery;

/// A save another desk got to first, as the clerk settles it: keep one's own values or take the
/// other desk's.
///
/// It is made from the refusal of the query's post(), while the query is still editing the
/// record with the clerk's typed values over the record as the store now holds it; until the
/// clerk chooses, nothing is written and nothing typed is lost. Either choice saves again, so a
/// third desk that got in between meanwhile is refused the same way (ERecordConflict).
class EditConflict
{
public:
    /// @p query is not owned and must outlive the object.
    EditConflict(TDbQuery &query, const ERecordConflict &refusal);

    /// The fields both desks changed, the other desk's stored value beside the clerk's typed
    /// one, in the order of the record.
    const std::vector<ConflictingField> &fields() const { return m_fields; }

    /// Saves the clerk's typed values over the other desk's.
    void keepMine();
    /// Takes the other desk's values for the fields it changed and saves the clerk's changes
    /// of the fields it left alone.
    void takeTheirs();

private:
    TDbQuery &m_query;
    std::vector<ConflictingField> m_fields;
};

} // namespace tovren::db
