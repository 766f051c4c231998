#include "report/engine/TqxDataset.h"

namespace tovren::engine {

void TqxDataset::First()
{
    m_recordNo = 0;
    if (m_onFirst)
        m_onFirst(*this);
}

void TqxDataset::Next()
{
    ++m_recordNo;
    // The handler is not asked to move past the last counted record.
    const bool countReached = m_rangeEnd == reCount && m_recordNo >= m_rangeEndCount;
    if (m_onNext && !countReached)
        m_onNext(*this);
}

void TqxDataset::Prior()
{
    --m_recordNo;
    if (m_onPrior)
        m_onPrior(*this);
}

bool TqxDataset::Eof()
{
    bool eof = m_rangeEnd == reCount && m_recordNo >= m_rangeEndCount;
    if (m_onCheckEof)
        m_onCheckEof(*this, eof);
    return eof;
}

} // namespace tovren::engine
