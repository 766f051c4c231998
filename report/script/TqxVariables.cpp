#include "report/script/TqxVariables.h"

#include <algorithm>

namespace tovren::script {

namespace {

int compareNames(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace

void TqxVariables::Assign(const TqxVariables &other)
{
    if (this == &other)
        return;
    m_entries = other.m_entries;
    if (m_sorted && !other.m_sorted)
        sortEntries();
}

void TqxVariables::setSorted(bool sorted)
{
    if (sorted && !m_sorted)
        sortEntries();
    m_sorted = sorted;
}

void TqxVariables::sortEntries()
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) {
        return compareNames(a.name, b.name) < 0;
    });
}

qsizetype TqxVariables::sortedPosition(const QString &name) const
{
    const auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), name,
        [](const Entry &entry, const QString &key) { return compareNames(entry.name, key) < 0; });
    return it - m_entries.begin();
}

qsizetype TqxVariables::indexOf(const QString &name) const
{
    if (m_sorted) {
        const qsizetype position = sortedPosition(name);
        return position < count() && compareNames(m_entries[position].name, name) == 0 ? position
                                                                                       : -1;
    }
    for (qsizetype i = 0; i < count(); ++i) {
        if (compareNames(m_entries[i].name, name) == 0)
            return i;
    }
    return -1;
}

void TqxVariables::setValue(const QString &name, const Variant &value)
{
    const qsizetype index = indexOf(name);
    if (index >= 0) {
        m_entries[index].value = value;
        return;
    }
    const qsizetype position = m_sorted ? sortedPosition(name) : count();
    m_entries.insert(m_entries.begin() + position, Entry{name, value});
}

Variant TqxVariables::value(const QString &name) const
{
    const qsizetype index = indexOf(name);
    return index >= 0 ? m_entries[index].value : Variant();
}

Variant TqxVariables::valueAt(qsizetype index) const
{
    return inRange(index) ? m_entries[index].value : Variant(0);
}

void TqxVariables::setValueAt(qsizetype index, const Variant &value)
{
    if (inRange(index))
        m_entries[index].value = value;
}

QString TqxVariables::nameAt(qsizetype index) const
{
    return inRange(index) ? m_entries[index].name : QString();
}

bool TqxVariables::setNameAt(qsizetype index, const QString &name)
{
    if (!inRange(index))
        return false;
    const qsizetype existing = indexOf(name);
    if (existing >= 0 && existing != index)
        return false;
    m_entries[index].name = name;
    if (m_sorted)
        sortEntries();
    return true;
}

bool TqxVariables::insert(qsizetype index, const QString &name)
{
    if (indexOf(name) >= 0)
        return false;
    const qsizetype position =
        m_sorted ? sortedPosition(name) : std::clamp<qsizetype>(index, 0, count());
    m_entries.insert(m_entries.begin() + position, Entry{name, Variant(0)});
    return true;
}

void TqxVariables::removeAt(qsizetype index)
{
    if (inRange(index))
        m_entries.erase(m_entries.begin() + index);
}

} // namespace tovren::script
