#include "app/batch/PerRecordPdfExport.h"

#include "app/db/DbQuery.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <stdexcept>

namespace tovren::app {

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

PerRecordPdfExport::PerRecordPdfExport(engine::TqxReport &report, engine::TqxDBDataSet &source,
                                       db::TDbQuery &query)
    : m_report(report)
    , m_source(source)
    , m_query(query)
{}

void PerRecordPdfExport::buildRecord(qsizetype row)
{
    m_query.moveTo(row);
    if (!m_report.BuildPages() || !m_report.lastMessage().isEmpty())
        fail(QStringLiteral("第 %1 条记录的证书生成失败%2")
                 .arg(row + 1)
                 .arg(m_report.lastMessage().isEmpty()
                          ? QString()
                          : QStringLiteral(": ") + m_report.lastMessage()));
    if (m_report.EMFPages().Count() == 0)
        fail(QStringLiteral("第 %1 条记录没有生成任何页").arg(row + 1));
}

QStringList PerRecordPdfExport::write(const QString &folder, const QStringList &fileNames,
                                      qsizetype firstRow)
{
    if (firstRow < 0 || fileNames.isEmpty() || firstRow + fileNames.size() > m_query.recordCount())
        fail(QStringLiteral("从第 %1 条记录起的 %2 个文件名超出了记录数 (%3)")
                 .arg(firstRow + 1)
                 .arg(fileNames.size())
                 .arg(m_query.recordCount()));
    const QDir target(folder);
    if (!target.exists() && !QDir().mkpath(folder))
        fail(QStringLiteral("无法建立文件夹 %1").arg(folder));
    QTemporaryDir staging(target.filePath(QStringLiteral(".tovren-XXXXXX")));
    if (!staging.isValid())
        fail(QStringLiteral("无法在文件夹 %1 中写入: %2").arg(folder, staging.errorString()));

    const engine::TRangeBegin savedBegin = m_source.rangeBegin();
    const engine::TRangeEnd savedEnd = m_source.rangeEnd();
    const qsizetype savedRow = m_query.recNo();
    const bool savedShowProgress = m_report.ShowProgress;
    const auto restore = qScopeGuard([&] {
        m_source.setRangeBegin(savedBegin);
        m_source.setRangeEnd(savedEnd);
        m_report.ShowProgress = savedShowProgress;
        if (savedRow >= 0 && savedRow < m_query.recordCount())
            m_query.moveTo(savedRow);
    });
    // Each build walks the current record alone.
    m_source.setRangeBegin(engine::rbCurrent);
    m_source.setRangeEnd(engine::reCurrent);
    m_report.ShowProgress = false;

    engine::PdfExportFilter filter;
    // The staging folder makes the set appear at once; each file needs no safeguard of its own.
    filter.setWritesInPlace(true);
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        const qsizetype row = firstRow + i;
        buildRecord(row);
        if (!m_report.ExportPages(filter, staging.filePath(fileNames[i])))
            fail(QStringLiteral("第 %1 条记录的文件 %2 无法写入%3")
                     .arg(row + 1)
                     .arg(fileNames[i])
                     .arg(m_report.lastMessage().isEmpty()
                              ? QString()
                              : QStringLiteral(": ") + m_report.lastMessage()));
        if (progress)
            progress(int(i + 1));
        if (stopRequested && stopRequested())
            fail(QStringLiteral("已停止, 未写入任何文件"));
    }

    QStringList placed;
    for (const QString &name : fileNames) {
        const QString destination = target.filePath(name);
        if (QFile::exists(destination))
            QFile::remove(destination); // a set written again replaces the earlier one
        if (!QFile::rename(staging.filePath(name), destination)) {
            fail(QStringLiteral("无法把 %1 移入文件夹 %2。已放入的 %3 个文件: %4")
                     .arg(name, folder)
                     .arg(placed.size())
                     .arg(placed.isEmpty() ? QStringLiteral("无") : placed.join(u", ")));
        }
        placed << destination;
    }
    return placed;
}

} // namespace tovren::app
