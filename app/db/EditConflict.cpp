#include "app/db/EditConflict.h"

#include "app/db/DbQuery.h"

namespace tovren::db {

EditConflict::EditConflict(TDbQuery &query, const ERecordConflict &refusal)
    : m_query(query)
{
    for (const ConflictingField &field : refusal.fields()) {
        if (field.changedByOtherDesk)
            m_fields.push_back(field);
    }
    // A value the store gives back in another form than it was read (a number read as text)
    // conflicts with nothing visible; then every field of the save is shown.
    if (m_fields.empty())
        m_fields = refusal.fields();
}

void EditConflict::keepMine()
{
    // The query's record is the store's now, so the save writes over exactly what is shown.
    m_query.post();
}

void EditConflict::takeTheirs()
{
    for (const ConflictingField &field : m_fields)
        m_query.field(field.column).setValue(field.theirs);
    m_query.post();
}

} // namespace tovren::db
