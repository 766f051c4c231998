#pragma once

#include "report/engine/TqxComponent.h"
#include "report/script/Variant.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>

namespace tovren::engine {

/// The kinds of field a report tells apart when it reads a value.
enum class TqxFieldType {
    String,
    Integer,
    LargeInt,
    Float,
    Boolean,
    Date,
    DateTime,
    Blob,
    /// Long text kept as a large object.
    Memo,
    Unknown
};

/// A navigable set of records with a current record: what a report data source walks.
///
/// The engine sees the application's data only through this interface, so the same walk runs
/// over the browse query of the main window, over a test double, or over any other store. The
/// implementation promises the usual data-set behaviour: next() past the last record leaves the
/// last record current and sets eof(); a bookmark names one record and equal bookmarks name the
/// same record; field indexes are valid while the set stays open.
class TqxRecordSet : public TqxComponent
{
    Q_OBJECT
public:
    using Bookmark = qint64;

    using TqxComponent::TqxComponent;

    /// Opening an open set does nothing.
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isActive() const = 0;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    virtual qint64 recordCount() const = 0;

    virtual Bookmark bookmark() const = 0;
    virtual void gotoBookmark(Bookmark mark) = 0;
    virtual void freeBookmark(Bookmark) {}

    virtual QStringList fieldNames() const = 0;
    /// Index of the field named @p name (ignoring case), or -1.
    virtual int fieldIndex(QStringView name) const = 0;
    virtual TqxFieldType fieldType(int index) const = 0;
    virtual bool fieldIsNull(int index) const = 0;
    /// The native value of the current record's field; null when the field is null.
    virtual script::Variant fieldValue(int index) const = 0;
    virtual QString fieldDisplayText(int index) const = 0;
    /// Large-object content of the current record's field.
    virtual QByteArray fieldBytes(int index) const = 0;
};

/// A data source component: links a record set to the controls and report sources that show it.
/// It owns nothing; when its record set is destroyed the link becomes empty.
class TqxDataSource : public TqxComponent
{
    Q_OBJECT
public:
    using TqxComponent::TqxComponent;

    TqxRecordSet *dataSet() const { return m_dataSet; }
    void setDataSet(TqxRecordSet *dataSet) { m_dataSet = dataSet; }

private:
    QPointer<TqxRecordSet> m_dataSet;
};

} // namespace tovren::engine
