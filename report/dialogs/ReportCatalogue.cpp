#include "report/dialogs/ReportCatalogue.h"

#include "report/engine/TDatabaseFunctionLibrary.h"
#include "report/engine/TqxDataset.h"
#include "report/engine/TqxRecordSet.h"
#include "report/engine/TqxReport.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"

#include <algorithm>

namespace tovren::dialogs {

namespace FieldAliasKeys {

QString key(const QString &source, const QString &field)
{
    return source + QStringLiteral(".\"") + field + u'"';
}

qsizetype find(const script::TqxVariables &aliases, const QString &source, const QString &field)
{
    const qsizetype quoted = aliases.indexOf(key(source, field));
    return quoted >= 0 ? quoted : aliases.indexOf(source + u'.' + field);
}

bool isFieldKey(const QString &key, const QString &source)
{
    return key.size() > source.size() + 1 && key.startsWith(source + u'.', Qt::CaseInsensitive);
}

} // namespace FieldAliasKeys

namespace {

QStringList sortedNames(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

template<typename T>
QStringList componentNames(const engine::TqxComponent *owner)
{
    QStringList names;
    if (!owner)
        return names;
    for (const T *component : owner->findChildren<T *>(Qt::FindDirectChildrenOnly))
        names.append(component->name());
    return sortedNames(names);
}

} // namespace

ReportCatalogue::ReportCatalogue(engine::TqxReport &report)
    : m_report(report)
{
    // The descriptions come from the libraries a build installs; they are only listed here.
    const script::TqxParser parser;
    script::TqxStdFunctionLibrary(parser).describeFunctions(m_functions);
    const engine::ComponentFieldResolver fields(report.components());
    engine::TDatabaseFunctionLibrary(parser, fields).describeFunctions(m_functions);
}

bool ReportCatalogue::isHidden(const QString &dataSetName) const
{
    for (const QString &hidden : m_report.Dictionary().HiddenSources) {
        if (hidden.endsWith(u'*') ? dataSetName.startsWith(hidden.chopped(1), Qt::CaseInsensitive)
                                  : dataSetName.compare(hidden, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

engine::TqxRecordSet *ReportCatalogue::dataSet(const QString &name) const
{
    const engine::TqxComponent *owner = m_report.owner();
    if (!owner)
        return nullptr;
    for (engine::TqxRecordSet *set :
         owner->findChildren<engine::TqxRecordSet *>(Qt::FindDirectChildrenOnly)) {
        if (set->name().compare(name, Qt::CaseInsensitive) == 0)
            return set;
    }
    return nullptr;
}

QStringList ReportCatalogue::dataSetNames() const
{
    QStringList names = componentNames<engine::TqxRecordSet>(m_report.owner());
    names.removeIf([this](const QString &name) { return isHidden(name); });
    return names;
}

QStringList ReportCatalogue::dataSetFields(const QString &dataSetName) const
{
    const engine::TqxRecordSet *set = dataSet(dataSetName);
    return set ? set->fieldNames() : QStringList();
}

QStringList ReportCatalogue::reportSourceNames() const
{
    return componentNames<engine::TqxDataset>(m_report.owner());
}

QStringList ReportCatalogue::sourceNames() const
{
    const script::TqxVariables &aliases = m_report.Dictionary().AliasList;
    QStringList shown;
    for (const QString &name : dataSetNames()) {
        if (aliases.count() == 0) {
            shown.append(name);
            continue;
        }
        const qsizetype entry = aliases.indexOf(name);
        if (entry < 0)
            continue;
        const QString alias = aliases.valueAt(entry).toString();
        shown.append(alias.isEmpty() ? name : alias);
    }
    return sortedNames(shown);
}

QString ReportCatalogue::realSourceName(const QString &shown) const
{
    return m_report.Dictionary().RealSourceName(shown);
}

QStringList ReportCatalogue::fieldNames(const QString &source) const
{
    const QString dataSetName = realSourceName(source);
    const script::TqxVariables &aliases = m_report.Dictionary().AliasList;
    QStringList shown;
    for (const QString &field : dataSetFields(dataSetName)) {
        const qsizetype entry = FieldAliasKeys::find(aliases, dataSetName, field);
        if (entry < 0) {
            shown.append(field);
            continue;
        }
        const QString alias = aliases.valueAt(entry).toString();
        if (!alias.isEmpty())
            shown.append(alias);
    }
    return shown;
}

QString ReportCatalogue::realFieldName(const QString &source, const QString &shownField) const
{
    const QString dataSetName = realSourceName(source);
    const script::TqxVariables &aliases = m_report.Dictionary().AliasList;
    for (const QString &field : dataSetFields(dataSetName)) {
        const qsizetype entry = FieldAliasKeys::find(aliases, dataSetName, field);
        if (entry >= 0 && aliases.valueAt(entry).toString() == shownField)
            return field;
    }
    return shownField;
}

QStringList ReportCatalogue::categories() const
{
    return m_report.Dictionary().Categories();
}

QStringList ReportCatalogue::categoryVariables(const QString &category) const
{
    return m_report.Dictionary().CategoryVariables(category);
}

} // namespace tovren::dialogs
