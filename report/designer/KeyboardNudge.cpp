#include "report/designer/KeyboardNudge.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxPage.h"

#include <algorithm>

namespace tovren::designer {

namespace {

constexpr int kNoCandidate = 10000;

QPoint step(ArrowKey key)
{
    switch (key) {
    case ArrowKey::Left:
        return {-1, 0};
    case ArrowKey::Right:
        return {1, 0};
    case ArrowKey::Up:
        return {0, -1};
    case ArrowKey::Down:
        return {0, 1};
    }
    return {};
}

bool isHorizontal(ArrowKey key)
{
    return key == ArrowKey::Left || key == ArrowKey::Right;
}

/// An object's extent along the arrow's axis (near, far) and across it (from, to).
struct Span
{
    int alongStart, alongEnd, acrossStart, acrossEnd;
};

Span spanOf(const model::TqxView &view, bool horizontal)
{
    const int right = view.Left + view.Width;
    const int bottom = view.Top + view.Height;
    return horizontal ? Span{view.Left, right, view.Top, bottom}
                      : Span{view.Top, bottom, view.Left, right};
}

void moveOnePixel(model::TqxView &view, QPoint delta)
{
    view.Left += delta.x();
    view.Top += delta.y();
}

} // namespace

bool KeyboardNudge::moveByPixel(const std::vector<model::TqxView *> &objects, ArrowKey key)
{
    bool moved = false;
    for (model::TqxView *view : objects) {
        if (mayMove(*view)) {
            moveOnePixel(*view, step(key));
            moved = true;
        }
    }
    return moved;
}

bool KeyboardNudge::resizeByPixel(const std::vector<model::TqxView *> &objects, ArrowKey key)
{
    bool changed = false;
    const QPoint delta = step(key);
    for (model::TqxView *view : objects) {
        if (mayResize(*view)) {
            // Shrinking stops at 0, so a line never turns round.
            const int width = std::max(0, view->Width + delta.x());
            const int height = std::max(0, view->Height + delta.y());
            changed |= width != view->Width || height != view->Height;
            view->Width = width;
            view->Height = height;
        } else if (mayMove(*view)) {
            moveOnePixel(*view, delta);
            changed = true;
        }
    }
    return changed;
}

int KeyboardNudge::score(const model::TqxView &from, const model::TqxView &candidate, ArrowKey key)
{
    const bool horizontal = isHorizontal(key);
    const Span s = spanOf(from, horizontal);
    const Span c = spanOf(candidate, horizontal);
    // The gap across the arrow's axis: 0 when the candidate spans the object.
    int gap;
    if (c.acrossEnd <= s.acrossStart)
        gap = s.acrossStart - c.acrossEnd;
    else if (c.acrossStart >= s.acrossEnd)
        gap = c.acrossStart - s.acrossEnd;
    else if (c.acrossStart <= s.acrossStart && c.acrossEnd >= s.acrossEnd)
        gap = 0;
    else
        gap = c.acrossStart - s.acrossStart;

    const bool forward = key == ArrowKey::Right || key == ArrowKey::Down;
    if (forward) {
        if (c.alongStart <= s.alongStart)
            gap = kNoCandidate;
        return c.alongStart >= s.alongEnd ? gap + c.alongStart - s.alongEnd
                                          : gap + c.alongStart - s.alongStart;
    }
    if (c.alongEnd >= s.alongEnd)
        gap = kNoCandidate;
    return c.alongEnd <= s.alongStart ? gap + s.alongStart - c.alongEnd
                                      : gap + s.alongEnd - c.alongEnd;
}

model::TqxView *KeyboardNudge::neighbour(const model::TqxPage &page, const model::TqxView &from,
                                         ArrowKey key)
{
    model::TqxView *best = nullptr;
    int bestScore = kNoCandidate;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView *candidate = page.object(i);
        if (candidate == &from || candidate->Selected || isBand(*candidate))
            continue;
        const int candidateScore = score(from, *candidate, key);
        if (candidateScore < bestScore) {
            bestScore = candidateScore;
            best = candidate;
        }
    }
    return best;
}

std::optional<QPoint> KeyboardNudge::touchingPosition(const model::TqxView &view,
                                                      const model::TqxView &target, ArrowKey key)
{
    if (!mayMove(view))
        return std::nullopt;
    const int right = view.Left + view.Width;
    const int bottom = view.Top + view.Height;
    const int targetRight = target.Left + target.Width;
    const int targetBottom = target.Top + target.Height;
    switch (key) {
    case ArrowKey::Right:
        if (right <= target.Left)
            return QPoint(target.Left - view.Width, view.Top);
        break;
    case ArrowKey::Down:
        if (bottom <= target.Top)
            return QPoint(view.Left, target.Top - view.Height);
        break;
    case ArrowKey::Left:
        if (view.Left >= targetRight)
            return QPoint(targetRight, view.Top);
        break;
    case ArrowKey::Up:
        if (view.Top >= targetBottom)
            return QPoint(view.Left, targetBottom);
        break;
    }
    return std::nullopt;
}

} // namespace tovren::designer
