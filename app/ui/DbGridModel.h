#pragma once

#include <QAbstractTableModel>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// Presents the browse query to a table view: one row per snapshot row, column titles from the
/// fields' display labels. Edits made in the view go into the query's edit buffer of that row;
/// the query writes them to the table when the record is posted.
class DbGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DbGridModel(db::TDbQuery &query, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

Q_SIGNALS:
    /// An edit could not be stored; the text is the database's message.
    void editFailed(const QString &message);
    /// The clerk typed a new value into @p column of the current record's edit buffer.
    void cellEdited(int column);

private:
    db::TDbQuery &m_query;
};

} // namespace tovren::app
