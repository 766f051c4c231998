#pragma once

#include "app/db/DbQuery.h"

namespace tovren::db {

/// Detaches the grid from a query for the lifetime of the guard, and attaches it again on every
/// path out, errors included, so a failed long run never leaves the grid frozen.
class ControlsSuspension
{
public:
    explicit ControlsSuspension(TDbQuery &query)
        : m_query(query)
    {
        m_query.disableControls();
    }
    ~ControlsSuspension() { m_query.enableControls(); }
    ControlsSuspension(const ControlsSuspension &) = delete;
    ControlsSuspension &operator=(const ControlsSuspension &) = delete;

private:
    TDbQuery &m_query;
};

/// Runs a batch of posts in one transaction: the batch is committed when it ends, also when it
/// ends with an error, because the records posted before the error are meant to stay.
class BatchTransaction
{
public:
    explicit BatchTransaction(TDbConnection &connection);
    ~BatchTransaction();
    BatchTransaction(const BatchTransaction &) = delete;
    BatchTransaction &operator=(const BatchTransaction &) = delete;

private:
    TDbConnection &m_connection;
    bool m_open = false;
};

} // namespace tovren::db
