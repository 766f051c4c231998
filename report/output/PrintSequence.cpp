#include "report/output/PrintSequence.h"

namespace tovren::output {

PrintSequence::PrintSequence(PageSelection selection, const PrintParameters &parameters,
                             bool deviceMakesCopies)
    : m_selection(std::move(selection))
    , m_parity(parameters.pageParity)
{
    const int copies = parameters.effectiveCopies();
    if (!parameters.collate)
        m_repeats = copies;
    else if (deviceMakesCopies)
        m_deviceCopies = copies;
    else
        m_passes = copies;
}

bool PrintSequence::isPrinted(int pageNumber) const
{
    return m_selection.contains(pageNumber) && passesParity(m_parity, pageNumber);
}

bool PrintSequence::forEachPage(const std::function<bool(int pageIndex)> &send) const
{
    for (int pass = 0; pass < m_passes; ++pass) {
        for (int index = 0; index < m_selection.pageCount(); ++index) {
            if (!isPrinted(index + 1))
                continue;
            for (int repeat = 0; repeat < m_repeats; ++repeat) {
                if (!send(index))
                    return false;
            }
        }
    }
    return true;
}

} // namespace tovren::output
