#include "report/engine/TqxDataDictionary.h"

#include "report/engine/FieldValue.h"
#include "report/engine/TqxRecordSet.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

using script::Variant;

namespace {

bool isCategoryHeader(const QString &name)
{
    return name.startsWith(u' ');
}

/// The key of the first entry whose value equals @p alias ignoring case, or @p alias.
QString keyOfAlias(const script::TqxVariables &list, const QString &alias)
{
    for (qsizetype i = 0; i < list.count(); ++i) {
        if (list.valueAt(i).toString().compare(alias, Qt::CaseInsensitive) == 0)
            return list.nameAt(i);
    }
    return alias;
}

} // namespace

void TqxDataDictionary::Clear()
{
    VariableList.Clear();
    AliasList.Clear();
    SourceAliasList.Clear();
}

std::optional<DataFieldName> TqxDataDictionary::SplitFieldName(const QString &name)
{
    bool inQuotes = false;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        const QChar c = name.at(i);
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == u'.' && !inQuotes)
            return DataFieldName{name.left(i), name.mid(i + 1).remove(u'"')};
    }
    return std::nullopt;
}

QString TqxDataDictionary::RealSourceName(const QString &alias) const
{
    return keyOfAlias(AliasList, alias);
}

QString TqxDataDictionary::RealReportSourceName(const QString &alias) const
{
    return keyOfAlias(SourceAliasList, alias);
}

QString TqxDataDictionary::RealFieldName(const QString &alias) const
{
    const QString real = RealSourceName(alias);
    return real.mid(real.lastIndexOf(u'.') + 1);
}

QString TqxDataDictionary::DisplayName(const QString &name) const
{
    if (AliasList.contains(name))
        return AliasList.value(name).toString();
    if (SourceAliasList.contains(name))
        return SourceAliasList.value(name).toString();
    return name;
}

QStringList TqxDataDictionary::Categories() const
{
    QStringList categories;
    for (qsizetype i = 0; i < VariableList.count(); ++i) {
        const QString name = VariableList.nameAt(i);
        if (isCategoryHeader(name))
            categories.append(name.mid(1));
    }
    return categories;
}

QStringList TqxDataDictionary::CategoryVariables(const QString &category) const
{
    QStringList variables;
    qsizetype i = VariableList.indexOf(QStringLiteral(" ") + category);
    if (i < 0)
        return variables;
    for (++i; i < VariableList.count(); ++i) {
        const QString name = VariableList.nameAt(i);
        if (name.isEmpty() || isCategoryHeader(name))
            break;
        variables.append(name);
    }
    return variables;
}

QString TqxDataDictionary::lookupText(const QString &name) const
{
    const std::optional<DataFieldName> split = SplitFieldName(name);
    if (!split)
        return name;
    const QString source = RealSourceName(split->source);
    QString field = split->field;
    for (qsizetype i = 0; i < AliasList.count(); ++i) {
        const QString key = AliasList.nameAt(i);
        if (AliasList.valueAt(i).toString().compare(field, Qt::CaseInsensitive) == 0 &&
            key.startsWith(source, Qt::CaseInsensitive)) {
            if (const std::optional<DataFieldName> real = SplitFieldName(key))
                field = real->field;
            break;
        }
    }
    return source + QStringLiteral(".\"") + field + u'"';
}

QString TqxDataDictionary::cacheKey(const QString &name) const
{
    const auto known = m_upperNames.constFind(name);
    if (known != m_upperNames.cend())
        return *known;
    constexpr qsizetype kMaxRememberedNames = 4096;
    if (m_upperNames.size() >= kMaxRememberedNames)
        m_upperNames.clear();
    return *m_upperNames.insert(name, name.toUpper());
}

void TqxDataDictionary::cacheField(const QString &name, const DataFieldReference &field)
{
    m_fieldCache.insert(cacheKey(name),
                        CachedField{field.dataSet, field.dataSet->fieldNames().value(field.index)});
}

DataFieldReference TqxDataDictionary::cachedField(const QString &name) const
{
    const auto cached = m_fieldCache.constFind(cacheKey(name));
    if (cached == m_fieldCache.cend() || !cached->dataSet)
        return {};
    return {cached->dataSet, cached->dataSet->fieldIndex(cached->fieldName)};
}

bool TqxDataDictionary::Knows(const QString &name, const TqxDictionaryContext &context)
{
    if (m_fieldCache.contains(cacheKey(name)))
        return true;
    const qsizetype variable = VariableList.indexOf(name);
    if (variable >= 0) {
        const Variant value = VariableList.valueAt(variable);
        if (!value.isNull() && value.toString().contains(u'.')) {
            if (const DataFieldReference field = context.findField(value.toString()))
                cacheField(name, field);
        }
        return true;
    }
    const DataFieldReference field = context.findField(lookupText(name));
    if (!field)
        return false;
    cacheField(name, field);
    return true;
}

Variant TqxDataDictionary::ValueOf(const QString &name, const TqxDictionaryContext &context) const
{
    const auto cached = m_fieldCache.constFind(cacheKey(name));
    if (cached != m_fieldCache.cend()) {
        TqxRecordSet *const dataSet = cached->dataSet;
        if (!dataSet)
            throw script::EvaluationError(QStringLiteral("找不到字段 '%1'").arg(name));
        if (!dataSet->isActive())
            dataSet->open();
        const int index = dataSet->fieldIndex(cached->fieldName);
        if (index < 0) {
            throw script::EvaluationError(QStringLiteral("找不到字段 '%1'").arg(cached->fieldName));
        }
        return FieldValue(*dataSet, index);
    }
    const qsizetype variable = VariableList.indexOf(name);
    if (variable < 0)
        return Variant::null();
    // A script may have taken the name over at run time.
    if (context.scriptGlobals().contains(name))
        return context.scriptGlobals().value(name);
    const Variant value = VariableList.valueAt(variable);
    if (value.isString() && !value.toString().isEmpty())
        return context.evaluate(value.toString());
    return value;
}

void TqxDataDictionary::SetVariable(const QString &name, const Variant &value)
{
    VariableList.setValue(name, value);
    // The new text is read as an expression from now on, not as the field it may have named.
    m_fieldCache.remove(cacheKey(name));
}

} // namespace tovren::engine
