#include "report/dialogs/EditSnapshots.h"

namespace tovren::dialogs {

void EditSnapshots::push(Snapshot snapshot)
{
    m_snapshots.push_back(std::move(snapshot));
    if (int(m_snapshots.size()) > kMaximumSnapshots)
        m_snapshots.pop_front();
}

std::optional<EditSnapshots::Snapshot> EditSnapshots::pop()
{
    if (m_snapshots.empty())
        return std::nullopt;
    Snapshot last = std::move(m_snapshots.back());
    m_snapshots.pop_back();
    return last;
}

} // namespace tovren::dialogs
