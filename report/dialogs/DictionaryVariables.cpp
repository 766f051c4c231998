#include "report/dialogs/DictionaryVariables.h"

namespace tovren::dialogs {

DictionaryVariables::DictionaryVariables(const script::TqxVariables &variables)
{
    m_list.Assign(variables);
}

std::vector<DictionaryVariables::Category> DictionaryVariables::categories() const
{
    std::vector<Category> result;
    for (qsizetype i = 0; i < m_list.count(); ++i) {
        const QString key = m_list.nameAt(i);
        if (isHeader(key))
            result.push_back({key.mid(1), {}});
        else if (!result.empty() && !key.isEmpty())
            result.back().variables.append(key);
    }
    return result;
}

QString DictionaryVariables::uniqueName(const QString &stem, const QString &keyPrefix) const
{
    // Counting on until a number is free: a name that clashes would merge two entries.
    for (int number = 1;; ++number) {
        const QString name = stem + QString::number(number);
        if (!m_list.contains(keyPrefix + name))
            return name;
    }
}

QString DictionaryVariables::addCategory()
{
    const QString name = uniqueName(QStringLiteral("Category"), QStringLiteral(" "));
    m_list.setValue(headerKey(name), script::Variant(QString()));
    return name;
}

qsizetype DictionaryVariables::endOfCategory(qsizetype header) const
{
    qsizetype end = header + 1;
    while (end < m_list.count() && !isHeader(m_list.nameAt(end)))
        ++end;
    return end;
}

QString DictionaryVariables::addVariable(const QString &category)
{
    const QString name = uniqueName(QStringLiteral("Variable"), QString());
    const qsizetype header = m_list.indexOf(headerKey(category));
    const qsizetype at = header < 0 ? m_list.count() : endOfCategory(header);
    m_list.insert(at, name);
    m_list.setValueAt(at, script::Variant(QString()));
    return name;
}

void DictionaryVariables::removeCategory(const QString &category)
{
    const qsizetype header = m_list.indexOf(headerKey(category));
    if (header < 0)
        return;
    for (qsizetype i = endOfCategory(header) - 1; i >= header; --i)
        m_list.removeAt(i);
}

void DictionaryVariables::removeVariable(const QString &variable)
{
    m_list.removeAt(m_list.indexOf(variable));
}

bool DictionaryVariables::renameEntry(const QString &fromKey, const QString &toKey)
{
    const qsizetype index = m_list.indexOf(fromKey);
    if (index < 0)
        return false;
    if (fromKey.compare(toKey, Qt::CaseInsensitive) != 0 && m_list.contains(toKey))
        return false;
    return m_list.setNameAt(index, toKey);
}

bool DictionaryVariables::renameCategory(const QString &from, const QString &to)
{
    return !to.trimmed().isEmpty() && renameEntry(headerKey(from), headerKey(to));
}

bool DictionaryVariables::renameVariable(const QString &from, const QString &to)
{
    return !to.isEmpty() && !isHeader(to) && renameEntry(from, to);
}

QString DictionaryVariables::valueOf(const QString &variable) const
{
    return m_list.value(variable).toString();
}

void DictionaryVariables::setValue(const QString &variable, const QString &value)
{
    const qsizetype index = m_list.indexOf(variable);
    if (index >= 0)
        m_list.setValueAt(index, script::Variant(value));
}

} // namespace tovren::dialogs
