#pragma once

#include "report/engine/TqxDataset.h"

#include <memory>

namespace tovren::engine {

class TqxComponentLookup;

/// The prepared data source of one band: either a source found by name, which belongs to its
/// form, or a counting source made for the band, which this object owns.
///
/// Destroying it does not release the source; the page engine releases it when it destroys the
/// page's bands, before the owned counting source goes.
class BandDataSource
{
public:
    BandDataSource() = default;

    /// Finds and prepares the source named by a band's data-source text. A text starting with a
    /// digit 1 to 9 is a count of records; otherwise it names a component, which must be a report
    /// data source (EInvalidCast otherwise). A name that names nothing gives no source.
    static BandDataSource find(const QString &text, const TqxComponentLookup &lookup);

    /// Prepares and borrows @p source, such as the report's own data source.
    static BandDataSource borrow(TqxDataset &source);

    TqxDataset *source() const { return m_source; }
    bool ownsSource() const { return m_owned != nullptr; }
    explicit operator bool() const { return m_source != nullptr; }

private:
    TqxDataset *m_source = nullptr;
    std::unique_ptr<TqxDataset> m_owned;
};

} // namespace tovren::engine
