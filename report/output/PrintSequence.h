#pragma once

#include "report/output/PageSelection.h"
#include "report/output/PrintParameters.h"

#include <functional>

namespace tovren::output {

/// The order in which one print sends pages to the device, and the copy count it asks the
/// device for.
///
/// Pages always go in ascending order. With collation on, a device that makes copies itself
/// gets each page once and the copy count; a device that cannot (a PDF file) gets the whole run
/// once per copy. With collation off each page is sent once per copy in a row.
class PrintSequence
{
public:
    PrintSequence(PageSelection selection, const PrintParameters &parameters,
                  bool deviceMakesCopies);

    int deviceCopyCount() const { return m_deviceCopies; }
    /// Calls @p send with the 0-based index of every page to send, in order, until it returns
    /// false. Returns false when @p send stopped the walk.
    bool forEachPage(const std::function<bool(int pageIndex)> &send) const;

private:
    bool isPrinted(int pageNumber) const;

    PageSelection m_selection;
    PageParity m_parity;
    int m_deviceCopies = 1;
    int m_passes = 1;
    int m_repeats = 1;
};

} // namespace tovren::output
