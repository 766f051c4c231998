#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <vector>

namespace tovren::script {

/// Named values with unique names that compare ignoring case; each name owns one value. A name
/// keeps the spelling it was first given. Script variables, dictionary entries and constants
/// live in such lists. When the list is sorted, new names go to their place in name order;
/// otherwise they are appended.
///
/// Out-of-range indexes are forgiven as the callers expect: reading gives the integer 0, writing
/// and deleting are ignored.
class TqxVariables
{
public:
    qsizetype count() const { return static_cast<qsizetype>(m_entries.size()); }
    void Clear() { m_entries.clear(); }
    void Assign(const TqxVariables &other);

    bool isSorted() const { return m_sorted; }
    /// Turning sorting on puts the present names in order.
    void setSorted(bool sorted);

    /// Adds the name when it is new, otherwise replaces its value.
    void setValue(const QString &name, const Variant &value);
    /// The empty value when the name is absent.
    Variant value(const QString &name) const;
    bool contains(const QString &name) const { return indexOf(name) >= 0; }
    qsizetype indexOf(const QString &name) const;

    Variant valueAt(qsizetype index) const;
    void setValueAt(qsizetype index, const Variant &value);
    QString nameAt(qsizetype index) const;
    /// Renames the entry; refused (returns false) when another entry has the name already.
    bool setNameAt(qsizetype index, const QString &name);
    /// Inserts a new name with the value 0; refused when the name exists. A sorted list puts it
    /// in its sorted place instead.
    bool insert(qsizetype index, const QString &name);
    void removeAt(qsizetype index);

private:
    struct Entry
    {
        QString name;
        Variant value;
    };

    bool inRange(qsizetype index) const { return index >= 0 && index < count(); }
    qsizetype sortedPosition(const QString &name) const;
    void sortEntries();

    std::vector<Entry> m_entries;
    bool m_sorted = false;
};

} // namespace tovren::script
