#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tovren::db {
class TDbQuery;
}
namespace tovren::engine {
class TqxDBDataSet;
class TqxReport;
} // namespace tovren::engine

namespace tovren::app {

/// Writes one PDF per record of the browse query into a folder: the report is built for that
/// record alone and its pages become the record's file.
///
/// Nothing appears in the folder until every file is written: the files are written into a
/// staging folder inside it and moved into place at the end, so a failure leaves the folder as
/// it was. Only a failure while moving leaves part of the set; the error then lists the files
/// already in place. Failures raise std::runtime_error with a message for the clerk. The report
/// data source's range and the query's current record are restored afterwards.
class PerRecordPdfExport
{
public:
    PerRecordPdfExport(engine::TqxReport &report, engine::TqxDBDataSet &source,
                       db::TDbQuery &query);

    /// Called after each record's file with the number of files written so far.
    std::function<void(int written)> progress;
    /// Asked after each file; true stops the run, which then writes nothing.
    std::function<bool()> stopRequested;

    /// Writes @p fileNames (one per record, in record order, see recordFileNames) into
    /// @p folder and returns their full paths: the first name is the record at row @p firstRow
    /// of the query, and the names run on from there.
    QStringList write(const QString &folder, const QStringList &fileNames, qsizetype firstRow = 0);

private:
    void buildRecord(qsizetype row);

    engine::TqxReport &m_report;
    engine::TqxDBDataSet &m_source;
    db::TDbQuery &m_query;
};

} // namespace tovren::app
