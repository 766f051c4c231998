#pragma once

#include "report/script/TqxInstalledFunctions.h"

#include <QString>
#include <QStringList>

namespace tovren::engine {
class TqxReport;
class TqxRecordSet;
} // namespace tovren::engine
namespace tovren::script {
class TqxVariables;
}

namespace tovren::dialogs {

/// The keys of field entries in the dictionary's alias list. They are written one way,
/// source + "." + the field in double quotes; older lists also hold bare source.field keys,
/// and both are read.
namespace FieldAliasKeys {

QString key(const QString &source, const QString &field);
/// Index of the entry of that field in either form, or -1.
qsizetype find(const script::TqxVariables &aliases, const QString &source, const QString &field);
/// True for a key that names a field rather than a data set.
bool isFieldKey(const QString &key, const QString &source);

} // namespace FieldAliasKeys

/// What the expression builder, its pickers and the dictionary editor offer for a report: the
/// data sets of the report's owner with their fields, the report data sources, the dictionary's
/// variables under their categories, and the installed functions. Names are shown by their
/// aliases; hidden data sets and fields are left out.
///
/// It reads the report when asked and keeps nothing of it, except the function descriptions,
/// which are collected once when it is made.
class ReportCatalogue
{
public:
    explicit ReportCatalogue(engine::TqxReport &report);

    engine::TqxReport &report() const { return m_report; }

    /// Every data set of the owner the dictionary does not hide, by component name, sorted.
    QStringList dataSetNames() const;
    /// The field names a data set lists, as stored; none when it cannot list them.
    QStringList dataSetFields(const QString &dataSetName) const;
    /// Every report data source of the owner, by component name, sorted.
    QStringList reportSourceNames() const;

    /// The data sets the pickers offer: only those with an alias entry when there are any,
    /// shown by the alias when it is not empty; sorted.
    QStringList sourceNames() const;
    /// The fields offered for a source (a name or an alias): shown by alias, hidden ones out.
    QStringList fieldNames(const QString &source) const;
    /// The stored names behind the names sourceNames() and fieldNames() show.
    QString realSourceName(const QString &shown) const;
    QString realFieldName(const QString &source, const QString &shownField) const;

    QStringList categories() const;
    QStringList categoryVariables(const QString &category) const;

    const script::TqxInstalledFunctions &functions() const { return m_functions; }

private:
    engine::TqxRecordSet *dataSet(const QString &name) const;
    bool isHidden(const QString &dataSetName) const;

    engine::TqxReport &m_report;
    script::TqxInstalledFunctions m_functions;
};

} // namespace tovren::dialogs
