#pragma once

#include <QString>

namespace tovren::model {
class TqxView;
}

namespace tovren::engine {

struct TqxPreparedPage;

/// What an export run asks of a file format: a file name, a chance to veto or rename, its own
/// options, and the pages handed over one object at a time.
///
/// The run opens and closes the file around beginDocument and endDocument; a filter that
/// writes the file itself does so under the name it is given and reports failure by throwing
/// EReportError.
class TqxExportFilter
{
public:
    virtual ~TqxExportFilter() = default;

    QString FileName;

    /// May change @p fileName; returning false vetoes the export.
    virtual bool beforeExport(QString &fileName)
    {
        Q_UNUSED(fileName);
        return true;
    }
    /// The filter's options dialog; false is its cancel result.
    virtual bool showOptions() { return true; }
    virtual void beginDocument() {}
    virtual void beginPage(const TqxPreparedPage &page) { Q_UNUSED(page); }
    virtual void exportObject(model::TqxView &view) = 0;
    virtual void endPage() {}
    virtual void endDocument() {}
    virtual void afterExport(const QString &fileName) { Q_UNUSED(fileName); }
};

} // namespace tovren::engine
