#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace tovren::engine {
class TqxExportFilter;
}

namespace tovren::preview {

/// The file types the preview can save besides prepared-report files, each written by an
/// export filter made on demand. PDF is always offered.
class PreviewExportFilters
{
public:
    using Factory = std::function<std::unique_ptr<engine::TqxExportFilter>()>;

    PreviewExportFilters();

    /// Offers files ending in @p extension (no dot) under @p description; a later
    /// registration for the same extension replaces the earlier one.
    void registerFilter(const QString &description, const QString &extension, Factory factory);

    /// The save dialog's filter: prepared-report files first, then every export type.
    QString dialogFilter() const;
    /// A filter for @p fileName's extension, or null when it names no export type.
    std::unique_ptr<engine::TqxExportFilter> filterFor(const QString &fileName) const;

private:
    struct Entry
    {
        QString description;
        QString extension;
        Factory factory;
    };
    QList<Entry> m_entries;
};

} // namespace tovren::preview
