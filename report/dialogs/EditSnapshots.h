#pragma once

#include <QString>
#include <deque>
#include <optional>

namespace tovren::dialogs {

/// The script editor's own undo: whole-text snapshots with the caret, at most 32, the oldest
/// dropped first. A run of typed characters makes one snapshot because the editor takes one
/// only when it was armed by a caret move or a mouse press.
class EditSnapshots
{
public:
    static constexpr int kMaximumSnapshots = 32;

    struct Snapshot
    {
        QString text;
        int caretPosition = 0;
    };

    void push(Snapshot snapshot);
    /// The last snapshot, removed; nothing when none is left.
    std::optional<Snapshot> pop();
    void clear() { m_snapshots.clear(); }
    int count() const { return int(m_snapshots.size()); }

private:
    std::deque<Snapshot> m_snapshots;
};

} // namespace tovren::dialogs
