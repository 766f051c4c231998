#include "app/db/ControlsSuspension.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"

namespace tovren::db {

BatchTransaction::BatchTransaction(TDbConnection &connection)
    : m_connection(connection)
{
    try {
        m_connection.beginTransaction();
        m_open = true;
    } catch (const EDatabaseError &) {
        // Without a transaction every post still commits by itself: slower, equally correct.
    }
}

BatchTransaction::~BatchTransaction()
{
    if (!m_open)
        return;
    try {
        m_connection.commit();
    } catch (const EDatabaseError &) {
        m_connection.rollback();
    }
}

} // namespace tovren::db
