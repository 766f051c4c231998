#pragma once

#include "report/engine/DataFieldResolver.h"
#include "report/script/TqxVariables.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <array>
#include <optional>

namespace tovren::model {
class RecordReader;
class RecordWriter;
} // namespace tovren::model

namespace tovren::engine {

class TqxRecordSet;

/// What the dictionary needs of a running report to answer for a name: the data fields it can
/// see, the script's global variables and an expression evaluator. Value resolution supplies it.
class TqxDictionaryContext
{
public:
    virtual ~TqxDictionaryContext() = default;
    /// The field that @p text names ("source.field", or a bare field of the default data set);
    /// an empty reference when there is none.
    virtual DataFieldReference findField(const QString &text) const = 0;
    virtual const script::TqxVariables &scriptGlobals() const = 0;
    virtual script::Variant evaluate(const QString &expression) const = 0;
};

/// A report's data dictionary: named variables under categories, aliases of data sets, fields
/// and report data sources, and the per-pass cache of names already resolved to a field.
///
/// Only the three named-value lists are stored (with the template and in .qxd files); the
/// hidden-source list and the cache are not. A failed read leaves the dictionary as it was, so
/// a damaged file never costs the report its variables.
class TqxDataDictionary
{
public:
    /// Version byte written at the start of a .qxd file.
    static constexpr quint8 fileVersion = 25;

    script::TqxVariables VariableList;
    script::TqxVariables AliasList;
    script::TqxVariables SourceAliasList;
    QStringList HiddenSources;

    void Clear();
    void ClearCache()
    {
        m_fieldCache.clear();
        m_spelledFields.clear();
        m_recentNames = {};
    }

    bool Knows(const QString &name, const TqxDictionaryContext &context);
    script::Variant ValueOf(const QString &name, const TqxDictionaryContext &context) const;
    /// ValueOf(@p name) when the dictionary Knows it, nothing when not; a field already
    /// resolved in this pass is found with one look-up.
    std::optional<script::Variant> KnownValue(const QString &name,
                                              const TqxDictionaryContext &context);
    void SetVariable(const QString &name, const script::Variant &value);
    /// The field @p name was resolved to in this pass; empty when it is not cached as a field.
    DataFieldReference cachedField(const QString &name) const;

    /// Reads the dictionary block; raises model::ERecordFormat when it is damaged. With
    /// @p existingFields, entries of an older dictionary that hide fields no longer present
    /// are dropped.
    void ReadFromStream(model::RecordReader &reader,
                        const DataFieldResolver *existingFields = nullptr);
    void WriteToStream(model::RecordWriter &writer) const;
    /// Raises EReportError with a message naming the file when it cannot be read or is damaged.
    void LoadFile(const QString &fileName, const DataFieldResolver *existingFields = nullptr);
    /// Writes the whole file or nothing; raises EReportError on failure.
    void SaveFile(const QString &fileName) const;

    QStringList Categories() const;
    QStringList CategoryVariables(const QString &category) const;
    QString DisplayName(const QString &name) const;
    QString RealSourceName(const QString &alias) const;
    QString RealReportSourceName(const QString &alias) const;
    QString RealFieldName(const QString &alias) const;
    /// The data-set part and the unquoted field part around the last "." outside quotes.
    static std::optional<DataFieldName> SplitFieldName(const QString &name);

private:
    struct CachedField
    {
        QPointer<TqxRecordSet> dataSet;
        QString fieldName;
    };

    enum class Known { No, Field, Variable };
    /// Whether @p name is a variable or names a field, which is then cached.
    Known learn(const QString &name, const TqxDictionaryContext &context);
    script::Variant variableValue(const QString &name, const TqxDictionaryContext &context) const;
    void cacheField(const QString &name, const DataFieldReference &field);
    const CachedField *findCachedField(const QString &name) const;
    script::Variant valueOf(const CachedField &cached, const QString &name) const;
    QString lookupText(const QString &name) const;

    QHash<QString, CachedField> m_fieldCache; // keyed by the upper-cased name
    /// The same entries under the spellings asked for. Upper-casing a name costs more than
    /// looking it up, and a report asks for the same few names, spelt the same way, for every
    /// value it prints.
    mutable QHash<QString, CachedField> m_spelledFields;

    /// Entries found lately, by the address of the name's characters. The text of a bracket is
    /// held by the object that prints it and asked for on every record; its address finds the
    /// entry without hashing the name. Holding the name keeps the address from being reused.
    struct RecentName
    {
        QString name;
        CachedField field;
    };
    static constexpr std::size_t kRecentNames = 256; // a power of two
    static constexpr std::size_t kRecentNameProbes = 4;
    mutable std::array<RecentName, kRecentNames> m_recentNames;
};

} // namespace tovren::engine
