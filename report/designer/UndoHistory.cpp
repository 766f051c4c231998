#include "report/designer/UndoHistory.h"

#include "report/model/TqxPage.h"
#include "report/model/TqxView.h"

#include <algorithm>
#include <unordered_map>

namespace tovren::designer {

namespace {

bool recorded(const model::TqxView &view)
{
    return !(view.Flags & UndoHistory::kNoUndoFlag);
}

} // namespace

void UndoHistory::push(History &history, Step step)
{
    if (int(history.size()) >= m_capacity)
        history.pop_front();
    history.push_back(std::move(step));
}

bool UndoHistory::record(TqxUndoKind kind, model::TqxPage &page, int pageIndex)
{
    m_redo.clear();
    Step step{kind, pageIndex, {}, std::nullopt};
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (kind == TqxUndoKind::ukReorder) {
            // Every object's place, copies of none: the order alone is what comes back.
            step.entries.push_back({view.ObjectId, std::nullopt, i});
            continue;
        }
        if (!view.Selected || !recorded(view))
            continue;
        Entry entry{view.ObjectId, std::nullopt, i};
        if (kind != TqxUndoKind::ukInsert)
            entry.copy = ObjectSnapshot::of(view);
        step.entries.push_back(std::move(entry));
    }
    if (step.entries.empty())
        return false;
    push(m_undo, std::move(step));
    return true;
}

void UndoHistory::recordPageScript(const model::TqxPage &page, int pageIndex)
{
    m_redo.clear();
    push(m_undo, Step{TqxUndoKind::ukEdit, pageIndex, {}, page.Script});
}

void UndoHistory::forgetPage(int pageIndex)
{
    for (History *history : {&m_undo, &m_redo})
        std::erase_if(*history,
                      [pageIndex](const Step &step) { return step.pageIndex == pageIndex; });
}

UndoHistory::Step UndoHistory::reverseOf(const Step &step, model::TqxPage &page)
{
    Step reverse{step.kind, step.pageIndex, {}, std::nullopt};
    switch (step.kind) {
    case TqxUndoKind::ukInsert:
        reverse.kind = TqxUndoKind::ukDelete;
        for (const Entry &entry : step.entries) {
            const qsizetype index = page.FindObjectById(entry.objectId);
            if (index >= 0)
                reverse.entries.push_back(
                    {entry.objectId, ObjectSnapshot::of(*page.object(index)), index});
        }
        break;
    case TqxUndoKind::ukDelete:
        reverse.kind = TqxUndoKind::ukInsert;
        for (const Entry &entry : step.entries)
            reverse.entries.push_back({entry.objectId, std::nullopt, entry.listIndex});
        break;
    case TqxUndoKind::ukEdit:
        if (step.pageScript)
            reverse.pageScript = page.Script;
        for (const Entry &entry : step.entries) {
            const qsizetype index = page.FindObjectById(entry.objectId);
            if (index >= 0)
                reverse.entries.push_back(
                    {entry.objectId, ObjectSnapshot::of(*page.object(index)), index});
        }
        break;
    case TqxUndoKind::ukReorder:
        for (qsizetype i = 0; i < page.objectCount(); ++i)
            reverse.entries.push_back({page.object(i)->ObjectId, std::nullopt, i});
        break;
    }
    return reverse;
}

void UndoHistory::apply(const Step &step, model::TqxPage &page)
{
    switch (step.kind) {
    case TqxUndoKind::ukInsert:
        for (const Entry &entry : step.entries)
            page.Delete(page.FindObjectById(entry.objectId));
        break;
    case TqxUndoKind::ukDelete:
        // Entries stand in list order, so each goes back in front of those after it.
        for (const Entry &entry : step.entries)
            page.insertObject(entry.listIndex, entry.copy->rebuild());
        break;
    case TqxUndoKind::ukEdit:
        if (step.pageScript)
            page.Script = *step.pageScript;
        for (const Entry &entry : step.entries) {
            if (model::TqxView *view = page.object(page.FindObjectById(entry.objectId)))
                entry.copy->restoreInto(*view);
        }
        break;
    case TqxUndoKind::ukReorder: {
        // The recorded order comes back; an object the step does not know (one added without
        // being recorded) keeps its present place, so nothing is lost or doubled.
        std::unordered_map<qint32, qsizetype> wanted;
        for (const Entry &entry : step.entries)
            wanted.emplace(entry.objectId, entry.listIndex);
        std::vector<std::pair<qsizetype, std::unique_ptr<model::TqxView>>> known;
        std::vector<std::pair<qsizetype, std::unique_ptr<model::TqxView>>> unknown;
        for (qsizetype i = 0; page.objectCount() > 0; ++i) {
            std::unique_ptr<model::TqxView> view = page.takeObject(0);
            const auto found = wanted.find(view->ObjectId);
            if (found != wanted.end())
                known.emplace_back(found->second, std::move(view));
            else
                unknown.emplace_back(i, std::move(view));
        }
        std::stable_sort(known.begin(), known.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (auto &[index, view] : known)
            page.addObject(std::move(view));
        for (auto &[index, view] : unknown)
            page.insertObject(index, std::move(view));
        break;
    }
    }
}

bool UndoHistory::replay(History &from, History &to, model::TqxPage &page, int pageIndex)
{
    if (from.empty() || from.back().pageIndex != pageIndex)
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    push(to, reverseOf(step, page));
    apply(step, page);
    return true;
}

bool UndoHistory::undo(model::TqxPage &page, int pageIndex)
{
    return replay(m_undo, m_redo, page, pageIndex);
}

bool UndoHistory::redo(model::TqxPage &page, int pageIndex)
{
    return replay(m_redo, m_undo, page, pageIndex);
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

qsizetype UndoHistory::snapshotBytes() const
{
    qsizetype bytes = 0;
    for (const History *history : {&m_undo, &m_redo}) {
        for (const Step &step : *history) {
            if (step.pageScript) {
                for (const QString &line : *step.pageScript)
                    bytes += line.size() * qsizetype(sizeof(QChar));
            }
            for (const Entry &entry : step.entries)
                bytes += sizeof(Entry) + (entry.copy ? entry.copy->byteSize() : 0);
        }
    }
    return bytes;
}

} // namespace tovren::designer
