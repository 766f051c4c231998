#include "app/ui/DbGridModel.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"

namespace tovren::app {

DbGridModel::DbGridModel(db::TDbQuery &query, QObject *parent)
    : QAbstractTableModel(parent)
    , m_query(query)
{
    connect(&m_query, &db::TDbQuery::resultReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_query, &db::TDbQuery::rowChanged, this, [this](qsizetype row) {
        if (row >= 0)
            Q_EMIT dataChanged(index(int(row), 0), index(int(row), columnCount() - 1));
    });
    connect(&m_query, &db::TDbQuery::rowInserted, this, [this](qsizetype row) {
        beginInsertRows({}, int(row), int(row));
        endInsertRows();
    });
    connect(&m_query, &db::TDbQuery::rowRemoved, this, [this](qsizetype row) {
        beginRemoveRows({}, int(row), int(row));
        endRemoveRows();
    });
    // The row header marks the current record and its editing state.
    const auto refreshMarks = [this] {
        if (rowCount() > 0)
            Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    };
    connect(&m_query, &db::TDbQuery::currentChanged, this, refreshMarks);
    connect(&m_query, &db::TDbQuery::stateChanged, this, refreshMarks);
}

int DbGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_query.recordCount());
}

int DbGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_query.fieldCount();
}

QVariant DbGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (m_query.field(index.column()).isBlob())
        return m_query.cellValue(index.row(), index.column()).isNull() ? QString()
                                                                       : QStringLiteral("(BLOB)");
    return m_query.cellText(index.row(), index.column());
}

QVariant DbGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_query.fieldCount() ? m_query.field(section).displayLabel() : QVariant();
    if (section == m_query.recNo()) {
        switch (m_query.state()) {
        case db::DataSetState::Edit:
            return QStringLiteral("✎");
        case db::DataSetState::Insert:
            return QStringLiteral("*");
        default:
            return QStringLiteral("▶");
        }
    }
    return QString();
}

Qt::ItemFlags DbGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && m_query.canModify() && !m_query.field(index.column()).isBlob())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DbGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    if (m_query.cellText(index.row(), index.column()) == value.toString() &&
        m_query.recNo() == index.row())
        return true;
    try {
        if (m_query.recNo() != index.row())
            m_query.moveTo(index.row());
        m_query.edit();
        m_query.field(index.column()).setAsString(value.toString());
        Q_EMIT cellEdited(index.column());
        return true;
    } catch (const db::EDatabaseError &error) {
        Q_EMIT editFailed(error.message());
        return false;
    }
}

} // namespace tovren::app
