#pragma once

#include "report/engine/ComponentLookup.h"

#include <QString>
#include <optional>

namespace tovren::engine {

class TqxRecordSet;

/// A data field named in an expression: the record set that holds it and the field's index.
struct DataFieldReference
{
    TqxRecordSet *dataSet = nullptr;
    int index = -1;

    explicit operator bool() const { return dataSet != nullptr && index >= 0; }
};

/// The two parts of a field text "source.field": the data-source name (which may itself hold
/// dots, as in Form1.Aqy) and the field name without its optional double quotes.
struct DataFieldName
{
    QString source;
    QString field;

    /// nullopt when the text has no "." or an empty part.
    static std::optional<DataFieldName> parse(const QString &text);
};

/// Finds the data field that a field text names. Value resolution answers through the data
/// dictionary, which caches what it found; this interface lets the function libraries ask
/// without knowing which.
class DataFieldResolver
{
public:
    virtual ~DataFieldResolver() = default;
    /// An empty reference when the source or the field does not exist; never raises.
    virtual DataFieldReference resolveField(const QString &text) const = 0;
};

/// Resolves field texts by component name: the source may be a record set, a data source or a
/// report data source bound to a record set. A closed record set has no fields to find.
class ComponentFieldResolver : public DataFieldResolver
{
public:
    explicit ComponentFieldResolver(const TqxComponentLookup &lookup)
        : m_lookup(lookup)
    {}

    DataFieldReference resolveField(const QString &text) const override;

private:
    TqxComponentLookup m_lookup;
};

} // namespace tovren::engine
