#pragma once

#include <QString>

namespace tovren::engine {
class TqxReport;
}

namespace tovren::preview {

/// Replaces a report's prepared pages with those of a prepared-report file, all or nothing.
class PreviewPagesFile
{
public:
    /// On failure the report keeps the pages it had and false is returned; the report's last
    /// message says why.
    static bool load(engine::TqxReport &report, const QString &fileName);
};

} // namespace tovren::preview
