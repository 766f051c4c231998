#pragma once

#include "report/designer/ObjectSnapshot.h"

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// What an undo step recorded: objects added (ids), objects about to be deleted or changed
/// (copies), or the page's drawing order (ids and places).
enum class TqxUndoKind : quint8 { ukInsert = 0, ukDelete = 1, ukEdit = 2, ukReorder = 3 };

/// The designer's two histories of changes to the objects of its pages, each bounded to a
/// number of steps, the oldest dropped first. A step belongs to the page it was recorded on and
/// is undone only there. Undoing a step records its reverse for redo and the other way round,
/// so the two alternate without limit and end where they began.
///
/// A page's script is no object: an edit step may carry it instead, so that editing it in the
/// inspector is undone like any other change.
///
/// Objects marked never to be recorded (flag 0x4000) keep no copy in a step; a reorder step
/// still remembers where they stood, so undoing it brings every object back exactly once.
class UndoHistory
{
public:
    static constexpr int kDefaultCapacity = 100;
    static constexpr quint16 kNoUndoFlag = 0x4000;

    explicit UndoHistory(int capacity = kDefaultCapacity)
        : m_capacity(capacity)
    {}

    /// Records a step of @p kind for the selected objects of @p page (every object for a
    /// reorder) as page @p pageIndex; clears the redo history. False when nothing was recorded.
    bool record(TqxUndoKind kind, model::TqxPage &page, int pageIndex);
    /// Records an edit step of @p page's script as page @p pageIndex; clears the redo history.
    void recordPageScript(const model::TqxPage &page, int pageIndex);
    /// Drops every step of page @p pageIndex from both histories, for when the page's objects
    /// are gone for good; the steps of other pages stay.
    void forgetPage(int pageIndex);
    /// Undoes the newest step when it belongs to @p pageIndex; false otherwise.
    bool undo(model::TqxPage &page, int pageIndex);
    bool redo(model::TqxPage &page, int pageIndex);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    /// The newest step belongs to page @p pageIndex, so undoing (redoing) there does something.
    bool canUndoOn(int pageIndex) const
    {
        return canUndo() && m_undo.back().pageIndex == pageIndex;
    }
    bool canRedoOn(int pageIndex) const
    {
        return canRedo() && m_redo.back().pageIndex == pageIndex;
    }
    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }
    void clear();
    /// The bytes the recorded copies take, for keeping an eye on memory.
    qsizetype snapshotBytes() const;

private:
    struct Entry
    {
        qint32 objectId = 0;
        std::optional<ObjectSnapshot> copy;
        qsizetype listIndex = 0;
    };
    struct Step
    {
        TqxUndoKind kind = TqxUndoKind::ukEdit;
        int pageIndex = 0;
        std::vector<Entry> entries;
        /// The page's script as it was, for a step of the page itself.
        std::optional<QStringList> pageScript;
    };
    using History = std::deque<Step>;

    void push(History &history, Step step);
    bool replay(History &from, History &to, model::TqxPage &page, int pageIndex);
    static Step reverseOf(const Step &step, model::TqxPage &page);
    static void apply(const Step &step, model::TqxPage &page);

    int m_capacity;
    History m_undo;
    History m_redo;
};

} // namespace tovren::designer
