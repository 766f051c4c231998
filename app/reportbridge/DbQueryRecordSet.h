#pragma once

#include "report/engine/TqxRecordSet.h"

#include <QPointer>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// Lets reports walk the browse query: the report's record set and the grid's query are one, so
/// a report starts from, moves and leaves the same current record the operator sees.
///
/// The query stays owned by the main window; when it is destroyed this record set behaves as a
/// closed, empty set instead of reaching a dangling query. Database errors pass through as
/// EDatabaseError.
class DbQueryRecordSet : public engine::TqxRecordSet
{
    Q_OBJECT
public:
    DbQueryRecordSet(db::TDbQuery &query, const QString &name,
                     engine::TqxComponent *owner = nullptr);

    void open() override;
    void close() override;
    bool isActive() const override;

    void first() override;
    void next() override;
    void prior() override;
    bool eof() const override;
    bool bof() const override;
    qint64 recordCount() const override;

    Bookmark bookmark() const override;
    void gotoBookmark(Bookmark mark) override;
    void freeBookmark(Bookmark mark) override;

    QStringList fieldNames() const override;
    int fieldIndex(QStringView name) const override;
    engine::TqxFieldType fieldType(int index) const override;
    bool fieldIsNull(int index) const override;
    script::Variant fieldValue(int index) const override;
    QString fieldDisplayText(int index) const override;
    QByteArray fieldBytes(int index) const override;

private:
    db::TDbQuery &query() const;

    QPointer<db::TDbQuery> m_query;
};

} // namespace tovren::app
