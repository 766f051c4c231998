#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace tovren::db {

class TDbQuery;

/// The kinds of column the report library tells apart.
enum class FieldType { String, Integer, LargeInt, Float, Boolean, Date, DateTime, Blob, Unknown };

/// One column of an open query, read and written at the query's current record.
///
/// A field belongs to its query and lives until the query closes; its display label is what
/// the grid shows as the column title and does not change the name the SQL and reports use.
class TDbField
{
public:
    TDbField(TDbQuery &query, int index, QString name, FieldType type);

    int index() const { return m_index; }
    const QString &fieldName() const { return m_name; }
    FieldType dataType() const { return m_type; }
    bool isBlob() const { return m_type == FieldType::Blob; }

    /// The label defaults to the name; an empty label falls back to the name as well.
    QString displayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void setDisplayLabel(const QString &label) { m_label = label; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    /// Text shown in the grid: the same as asString except for large objects.
    QString displayText() const;
    /// Converts @p text to the field's type; throws EDatabaseError when it does not convert.
    /// Only allowed while the query is editing or inserting a record.
    void setAsString(const QString &text);
    void setValue(const QVariant &value);
    /// Large-object content; text is given in the stored 8-bit code page.
    QByteArray asBytes() const;

    /// Converts @p text the way setAsString does; exposed for the grid's validation.
    static QVariant convertText(const QString &text, FieldType type, const QString &fieldName);

private:
    TDbQuery &m_query;
    int m_index;
    QString m_name;
    QString m_label;
    FieldType m_type;
};

} // namespace tovren::db
