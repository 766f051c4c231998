#pragma once

#include "report/engine/TqxRecordSet.h"

#include <QList>
#include <QVariant>

namespace tovren::test {

/// A record set of rows held in memory, one integer field "N" (1, 2, 3, ...) and a nullable
/// string field "NAME", with the end-of-data rules of the browse query.
class MemoryRecordSet : public engine::TqxRecordSet
{
public:
    MemoryRecordSet(int rows, const QString &name = QStringLiteral("Memory"),
                    engine::TqxComponent *owner = nullptr)
        : engine::TqxRecordSet(name, owner)
        , m_rows(rows)
    {}

    void open() override { m_active = true, ++openCalls; }
    void close() override { m_active = false, ++closeCalls; }
    bool isActive() const override { return m_active; }
    void first() override { m_current = m_rows ? 0 : -1, m_eof = m_rows == 0; }
    void next() override
    {
        if (m_current + 1 < m_rows)
            ++m_current;
        else
            m_eof = true;
    }
    void prior() override { m_current = std::max(0, m_current - 1), m_eof = false; }
    bool eof() const override { return !m_active || m_eof; }
    bool bof() const override { return m_current <= 0; }
    qint64 recordCount() const override { return m_active ? m_rows : 0; }
    Bookmark bookmark() const override { return m_current; }
    void gotoBookmark(Bookmark mark) override { m_current = static_cast<int>(mark), m_eof = false; }

    QStringList fieldNames() const override
    {
        return {QStringLiteral("N"), QStringLiteral("NAME")};
    }
    int fieldIndex(QStringView name) const override
    {
        return static_cast<int>(fieldNames().indexOf(name.toString().toUpper()));
    }
    engine::TqxFieldType fieldType(int index) const override
    {
        return index == 0 ? engine::TqxFieldType::Integer : engine::TqxFieldType::String;
    }
    bool fieldIsNull(int index) const override { return index == 1 && row() % 2 == 0; }
    script::Variant fieldValue(int index) const override
    {
        if (fieldIsNull(index))
            return script::Variant::null();
        return index == 0 ? script::Variant(row()) : script::Variant(QStringLiteral("odd"));
    }
    QString fieldDisplayText(int index) const override { return fieldValue(index).toString(); }
    QByteArray fieldBytes(int) const override { return {}; }

    /// The 1-based number of the current row.
    int row() const { return m_current + 1; }
    void moveToRow(int row) { m_current = row - 1, m_eof = false; }

    int openCalls = 0;
    int closeCalls = 0;

private:
    int m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_active = false;
};

} // namespace tovren::test
