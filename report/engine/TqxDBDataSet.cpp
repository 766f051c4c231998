#include "report/engine/TqxDBDataSet.h"

#include "report/engine/EngineErrors.h"

namespace tovren::engine {

namespace {

bool hasCurrentRecord(const TqxRecordSet &dataSet)
{
    return dataSet.isActive() && dataSet.recordCount() > 0;
}

} // namespace

void TqxDBDataSet::setDataSet(TqxRecordSet *dataSet)
{
    m_dataSet = dataSet;
    m_dataSource = nullptr;
}

void TqxDBDataSet::setDataSource(TqxDataSource *dataSource)
{
    m_dataSource = dataSource;
    if (dataSource)
        m_dataSet = nullptr;
}

TqxRecordSet *TqxDBDataSet::effectiveDataSet() const
{
    if (m_dataSource && m_dataSource->dataSet())
        return m_dataSource->dataSet();
    return m_dataSet;
}

TqxRecordSet &TqxDBDataSet::requireDataSet() const
{
    TqxRecordSet *const dataSet = effectiveDataSet();
    if (!dataSet)
        throw EReportError(QStringLiteral("Unable to open dataset ") + name());
    return *dataSet;
}

bool TqxDBDataSet::isOnSavedPosition(const TqxRecordSet &dataSet) const
{
    return m_savedPosition && dataSet.bookmark() == *m_savedPosition;
}

void TqxDBDataSet::Prepare()
{
    TqxRecordSet &dataSet = requireDataSet();
    if (m_openDataSource)
        dataSet.open();
    if (m_onOpen)
        m_onOpen(*this);
    m_savedPosition.reset();
    // An empty set has no record to come back to; its walk simply finds no records.
    if ((rangeBegin() == rbCurrent || rangeEnd() == reCurrent) && hasCurrentRecord(dataSet))
        m_savedPosition = dataSet.bookmark();
    m_atEnd = false;
}

void TqxDBDataSet::Release()
{
    TqxRecordSet &dataSet = requireDataSet();
    if (m_savedPosition) {
        const TqxRecordSet::Bookmark saved = *m_savedPosition;
        m_savedPosition.reset();
        if (dataSet.isActive()) {
            dataSet.gotoBookmark(saved);
            dataSet.freeBookmark(saved);
        }
    }
    if (m_onClose)
        m_onClose(*this);
    if (m_closeDataSource)
        dataSet.close();
}

void TqxDBDataSet::First()
{
    TqxRecordSet &dataSet = requireDataSet();
    if (rangeBegin() == rbCurrent && m_savedPosition)
        dataSet.gotoBookmark(*m_savedPosition);
    else
        dataSet.first();
    m_atEnd = false;
    TqxDataset::First();
}

void TqxDBDataSet::Next()
{
    TqxRecordSet &dataSet = requireDataSet();
    m_atEnd = false;
    if (rangeEnd() == reCurrent && isOnSavedPosition(dataSet)) {
        m_atEnd = true;
        return;
    }
    dataSet.next();
    TqxDataset::Next();
}

void TqxDBDataSet::Prior()
{
    requireDataSet().prior();
    TqxDataset::Prior();
}

bool TqxDBDataSet::Eof()
{
    TqxRecordSet &dataSet = requireDataSet();
    return TqxDataset::Eof() || dataSet.eof() || m_atEnd;
}

} // namespace tovren::engine
