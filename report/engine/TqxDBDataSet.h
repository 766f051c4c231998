#pragma once

#include "report/engine/TqxDataset.h"
#include "report/engine/TqxRecordSet.h"

#include <QPointer>
#include <optional>

namespace tovren::engine {

/// A report data source bound to a record set, directly or through a data source component, so
/// that the report walks the same records and sees the same current record as the grid.
///
/// Every operation first finds its record set and raises EReportError "Unable to open dataset "
/// plus the component name when there is none. When a range bound is "current", Prepare saves
/// the current record and Release returns to it, so a print run leaves the grid where it was.
class TqxDBDataSet : public TqxDataset
{
    Q_OBJECT
public:
    using TqxDataset::TqxDataset;

    TqxRecordSet *dataSet() const { return m_dataSet; }
    /// Also clears DataSource.
    void setDataSet(TqxRecordSet *dataSet);
    TqxDataSource *dataSource() const { return m_dataSource; }
    /// A non-null data source clears DataSet.
    void setDataSource(TqxDataSource *dataSource);

    bool openDataSource() const { return m_openDataSource; }
    void setOpenDataSource(bool open) { m_openDataSource = open; }
    bool closeDataSource() const { return m_closeDataSource; }
    void setCloseDataSource(bool close) { m_closeDataSource = close; }

    void setOnOpen(NotifyEvent handler) { m_onOpen = std::move(handler); }
    void setOnClose(NotifyEvent handler) { m_onClose = std::move(handler); }

    /// The record set the operations walk: DataSource's when it has one, else DataSet; nullptr
    /// when neither gives one.
    TqxRecordSet *effectiveDataSet() const;

    void Prepare() override;
    void Release() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;

private:
    TqxRecordSet &requireDataSet() const;
    bool isOnSavedPosition(const TqxRecordSet &dataSet) const;

    QPointer<TqxRecordSet> m_dataSet;
    QPointer<TqxDataSource> m_dataSource;
    bool m_openDataSource = true;
    bool m_closeDataSource = false;
    NotifyEvent m_onOpen;
    NotifyEvent m_onClose;
    std::optional<TqxRecordSet::Bookmark> m_savedPosition;
    bool m_atEnd = false;
};

} // namespace tovren::engine
