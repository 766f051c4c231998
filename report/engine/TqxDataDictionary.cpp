#include "report/engine/TqxDataDictionary.h"

#include "report/engine/FieldValue.h"
#include "report/engine/TqxRecordSet.h"
#include "report/script/EvaluationError.h"

#include <bit>

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

const TqxDataDictionary::CachedField *TqxDataDictionary::findCachedField(const QString &name) const
{
    // Texts allocated one after another lie a fixed step apart; the multiplication spreads
    // their addresses over the slots, and a name whose slot is taken uses one of the next.
    const auto address = static_cast<quint64>(reinterpret_cast<quintptr>(name.constData()));
    constexpr quint64 kGoldenRatio = 0x9E3779B97F4A7C15ULL;
    constexpr int kSlotBits = std::countr_zero(kRecentNames);
    const std::size_t home = (address * kGoldenRatio) >> (64 - kSlotBits);
    RecentName *freeSlot = nullptr;
    for (std::size_t probe = 0; probe < kRecentNameProbes; ++probe) {
        RecentName &recent = m_recentNames[(home + probe) % kRecentNames];
        if (recent.name.isSharedWith(name) && recent.name.constData() == name.constData() &&
            recent.name.size() == name.size())
            return &recent.field;
        if (!freeSlot && recent.name.isNull())
            freeSlot = &recent;
    }

    const CachedField *found = nullptr;
    if (const auto spelled = m_spelledFields.constFind(name); spelled != m_spelledFields.cend()) {
        found = &*spelled;
    } else if (const auto cached = m_fieldCache.constFind(name.toUpper());
               cached != m_fieldCache.cend()) {
        constexpr qsizetype kMaxRememberedSpellings = 4096;
        if (m_spelledFields.size() >= kMaxRememberedSpellings)
            m_spelledFields.clear();
        found = &*m_spelledFields.insert(name, *cached);
    }
    if (found)
        *(freeSlot ? freeSlot : &m_recentNames[home]) = {name, *found};
    return found;
}

void TqxDataDictionary::cacheField(const QString &name, const DataFieldReference &field)
{
    const CachedField cached{field.dataSet, field.dataSet->fieldNames().value(field.index)};
    // Every spelling remembered is of a name in m_fieldCache, so none of this one's is.
    m_fieldCache.insert(name.toUpper(), cached);
    m_spelledFields.insert(name, cached);
}

DataFieldReference TqxDataDictionary::cachedField(const QString &name) const
{
    const CachedField *const cached = findCachedField(name);
    if (!cached || !cached->dataSet)
        return {};
    return {cached->dataSet, cached->dataSet->fieldIndex(cached->fieldName)};
}

bool TqxDataDictionary::Knows(const QString &name, const TqxDictionaryContext &context)
{
    return findCachedField(name) || learn(name, context) != Known::No;
}

TqxDataDictionary::Known TqxDataDictionary::learn(const QString &name,
                                                  const TqxDictionaryContext &context)
{
    const qsizetype variable = VariableList.indexOf(name);
    if (variable >= 0) {
        const Variant value = VariableList.valueAt(variable);
        if (!value.isNull() && value.toString().contains(u'.')) {
            if (const DataFieldReference field = context.findField(value.toString())) {
                cacheField(name, field);
                return Known::Field;
            }
        }
        return Known::Variable;
    }
    const DataFieldReference field = context.findField(lookupText(name));
    if (!field)
        return Known::No;
    cacheField(name, field);
    return Known::Field;
}

Variant TqxDataDictionary::valueOf(const CachedField &cached, const QString &name) const
{
    TqxRecordSet *const dataSet = cached.dataSet;
    if (!dataSet)
        throw script::EvaluationError(QStringLiteral("找不到字段 '%1'").arg(name));
    if (!dataSet->isActive())
        dataSet->open();
    const int index = dataSet->fieldIndex(cached.fieldName);
    if (index < 0)
        throw script::EvaluationError(QStringLiteral("找不到字段 '%1'").arg(cached.fieldName));
    return FieldValue(*dataSet, index);
}

std::optional<Variant> TqxDataDictionary::KnownValue(const QString &name,
                                                     const TqxDictionaryContext &context)
{
    if (const CachedField *const cached = findCachedField(name))
        return valueOf(*cached, name);
    switch (learn(name, context)) {
    case Known::No:
        return std::nullopt;
    case Known::Field:
        return valueOf(*findCachedField(name), name);
    case Known::Variable:
        break;
    }
    return variableValue(name, context);
}

Variant TqxDataDictionary::ValueOf(const QString &name, const TqxDictionaryContext &context) const
{
    if (const CachedField *const cached = findCachedField(name))
        return valueOf(*cached, name);
    return variableValue(name, context);
}

Variant TqxDataDictionary::variableValue(const QString &name,
                                         const TqxDictionaryContext &context) const
{
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
    const QString upper = name.toUpper();
    m_fieldCache.remove(upper);
    m_spelledFields.removeIf([&](const auto &entry) { return entry.key().toUpper() == upper; });
    m_recentNames = {};
}

} // namespace tovren::engine
