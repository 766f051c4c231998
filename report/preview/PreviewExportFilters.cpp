#include "report/preview/PreviewExportFilters.h"

#include "report/engine/PdfExportFilter.h"

#include <QFileInfo>

namespace tovren::preview {

PreviewExportFilters::PreviewExportFilters()
{
    registerFilter(QStringLiteral("PDF 文件"), QStringLiteral("pdf"),
                   [] { return std::make_unique<engine::PdfExportFilter>(); });
}

void PreviewExportFilters::registerFilter(const QString &description, const QString &extension,
                                          Factory factory)
{
    for (Entry &entry : m_entries) {
        if (entry.extension.compare(extension, Qt::CaseInsensitive) == 0) {
            entry = {description, extension, std::move(factory)};
            return;
        }
    }
    m_entries.append({description, extension, std::move(factory)});
}

QString PreviewExportFilters::dialogFilter() const
{
    QString filter = QStringLiteral("预备报表文件 (*.qxp)");
    for (const Entry &entry : m_entries)
        filter += QStringLiteral(";;%1 (*.%2)").arg(entry.description, entry.extension);
    return filter;
}

std::unique_ptr<engine::TqxExportFilter>
PreviewExportFilters::filterFor(const QString &fileName) const
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const Entry &entry : m_entries) {
        if (entry.extension.compare(suffix, Qt::CaseInsensitive) == 0 && entry.factory)
            return entry.factory();
    }
    return nullptr;
}

} // namespace tovren::preview
