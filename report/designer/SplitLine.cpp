#include "report/designer/SplitLine.h"

#include "report/designer/ObjectRestrictions.h"

namespace tovren::designer {

namespace {

constexpr int kSplitZonePixels = 2;

} // namespace

std::optional<SplitLine> SplitLine::find(const std::vector<model::TqxView *> &selected,
                                         QPoint point)
{
    const int x = point.x();
    for (model::TqxView *a : selected) {
        const int aRight = a->Left + a->Width;
        const bool contains =
            a->Left <= x && x <= aRight && a->Top <= point.y() && point.y() <= a->Top + a->Height;
        if (isBand(*a) || a->ObjectKind == model::okLine || !contains)
            continue;
        for (model::TqxView *b : selected) {
            if (b == a || isBand(*b))
                continue;
            const int aBottom = a->Top + a->Height;
            if (b->Left + b->Width == a->Left && x <= a->Left + kSplitZonePixels)
                return SplitLine{a->Left, a->Top, aBottom, b, a};
            if (b->Left == aRight && x >= aRight - kSplitZonePixels)
                return SplitLine{aRight, a->Top, aBottom, a, b};
        }
    }
    return std::nullopt;
}

bool SplitLine::moveEdgeTo(int newX) const
{
    if (!left || !right)
        return false;
    const int d = newX - x;
    const bool free = mayResize(*left) && mayResize(*right) && mayMove(*right);
    if (d == 0 || !free || left->Width + d <= 0 || right->Width - d <= 0)
        return false;
    left->Width += d;
    right->Left += d;
    right->Width -= d;
    return true;
}

} // namespace tovren::designer
