#pragma once

#include <QString>
#include <vector>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// Finds the next record a clerk means by a typed name or number: a record whose name equals
/// or contains the text, or whose student, identity or record number holds it. The search
/// starts after the current record and wraps round, so pressing Enter again finds the next one.
class RecordFinder
{
public:
    explicit RecordFinder(const db::TDbQuery &query);

    /// The row of the next match after @p afterRow, or -1.
    qsizetype findNext(const QString &text, qsizetype afterRow) const;

private:
    std::vector<int> searchedColumns() const;
    bool matches(qsizetype row, const std::vector<int> &columns, const QString &text) const;

    const db::TDbQuery &m_query;
};

} // namespace tovren::app
