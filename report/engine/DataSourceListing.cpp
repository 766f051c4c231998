#include "report/engine/DataSourceListing.h"

#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/engine/TqxDataset.h"
#include "report/engine/TqxRecordSet.h"
#include "report/engine/TqxReport.h"

#include <optional>

namespace tovren::engine {

namespace {

template<typename T>
QList<T *> ownedComponents(const TqxReport &report)
{
    const TqxComponent *owner = report.owner();
    return owner ? owner->findChildren<T *>(QString(), Qt::FindDirectChildrenOnly) : QList<T *>();
}

/// The alias of @p name in @p aliases: the name itself without an entry, empty when hidden.
/// With a non-empty list only names that have an entry are offered at all.
std::optional<QString> shownName(const script::TqxVariables &aliases, const QString &name)
{
    if (aliases.count() == 0)
        return name;
    if (!aliases.contains(name))
        return std::nullopt;
    const QString alias = aliases.value(name).toString();
    return alias.isEmpty() ? name : alias;
}

} // namespace

DataSourceListing::DataSourceListing(const TqxReport &report)
    : m_report(report)
{}

const TqxDataDictionary &DataSourceListing::dictionary() const
{
    return const_cast<TqxReport &>(m_report).Dictionary();
}

bool DataSourceListing::isHidden(const QString &name) const
{
    for (const QString &hidden : dictionary().HiddenSources) {
        if (hidden.endsWith(u'*') ? name.startsWith(hidden.chopped(1), Qt::CaseInsensitive)
                                  : name.compare(hidden, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList DataSourceListing::SourceNames() const
{
    QStringList names;
    for (const TqxRecordSet *dataSet : ownedComponents<TqxRecordSet>(m_report)) {
        if (isHidden(dataSet->name()))
            continue;
        if (const std::optional<QString> shown = shownName(dictionary().AliasList, dataSet->name()))
            names << *shown;
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList DataSourceListing::FieldNames(const QString &shownName) const
{
    const TqxRecordSet *dataSet = findDataSet(shownName);
    if (!dataSet)
        return {};
    const script::TqxVariables &aliases = dictionary().AliasList;
    QStringList fields;
    for (const QString &field : dataSet->fieldNames()) {
        // Field aliases are keyed with or without quotes around the field name.
        const QString plainKey = dataSet->name() + u'.' + field;
        const QString quotedKey = dataSet->name() + QStringLiteral(".\"") + field + u'"';
        const QString key = aliases.contains(plainKey)    ? plainKey
                            : aliases.contains(quotedKey) ? quotedKey
                                                          : QString();
        if (key.isEmpty()) {
            fields << field;
            continue;
        }
        const QString alias = aliases.value(key).toString();
        if (!alias.isEmpty())
            fields << alias;
    }
    return fields;
}

QStringList DataSourceListing::ReportSourceNames() const
{
    QStringList names;
    for (const TqxDataset *source : ownedComponents<TqxDataset>(m_report)) {
        if (const std::optional<QString> shown =
                shownName(dictionary().SourceAliasList, source->name()))
            names << *shown;
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

TqxRecordSet *DataSourceListing::findDataSet(const QString &shownName) const
{
    const QString real = dictionary().RealSourceName(shownName);
    for (TqxRecordSet *dataSet : ownedComponents<TqxRecordSet>(m_report)) {
        if (dataSet->name().compare(real, Qt::CaseInsensitive) == 0)
            return dataSet;
    }
    return nullptr;
}

QString DataSourceListing::reportSourceFor(const TqxRecordSet &dataSet) const
{
    for (const TqxDBDataSet *source : ownedComponents<TqxDBDataSet>(m_report)) {
        if (source->effectiveDataSet() == &dataSet)
            return source->name();
    }
    return {};
}

} // namespace tovren::engine
