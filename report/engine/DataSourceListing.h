#pragma once

#include <QStringList>

namespace tovren::engine {

class TqxDataDictionary;
class TqxRecordSet;
class TqxReport;

/// The data sets, fields and report data sources a report can use, named as the designer shows
/// them: through the dictionary's aliases, hidden entries left out, sorted.
///
/// Only the components the report's owner holds directly are listed; a report reaches other
/// forms' components by a qualified name, which the designer's lists never offer. The listing
/// reads the report when asked and keeps nothing.
class DataSourceListing
{
public:
    explicit DataSourceListing(const TqxReport &report);

    /// The owner's record sets, by alias where the dictionary gives one.
    QStringList SourceNames() const;
    /// The fields of the record set @p shownName names (by its name or its alias), each shown by
    /// its alias; fields whose alias is empty are left out.
    QStringList FieldNames(const QString &shownName) const;
    /// The owner's report data sources, by alias where the dictionary gives one.
    QStringList ReportSourceNames() const;

    /// The record set @p shownName names, or none.
    TqxRecordSet *findDataSet(const QString &shownName) const;
    /// The name of the first report data source that walks @p dataSet; empty when none does.
    QString reportSourceFor(const TqxRecordSet &dataSet) const;

private:
    const TqxDataDictionary &dictionary() const;
    bool isHidden(const QString &name) const;

    const TqxReport &m_report;
};

} // namespace tovren::engine
