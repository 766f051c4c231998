#include "report/preview/PreviewPagesFile.h"

#include "report/engine/TqxReport.h"

namespace tovren::preview {

bool PreviewPagesFile::load(engine::TqxReport &report, const QString &fileName)
{
    // The reader empties the store before it reads, and a damaged file leaves it half read;
    // the pages shown so far wait aside until the new ones are known to be whole.
    engine::TqxEMFPages previous;
    previous.swapPages(report.EMFPages());
    const bool rebuildable = report.PagesRebuildable;
    if (report.LoadPagesFile(fileName))
        return true;
    report.EMFPages().swapPages(previous);
    report.PagesRebuildable = rebuildable;
    return false;
}

} // namespace tovren::preview
