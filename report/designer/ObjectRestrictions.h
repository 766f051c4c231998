#pragma once

#include "report/model/TqxView.h"

namespace tovren::designer {

/// The Restrictions bits the designer honours, as the restrictions dialog sets them.
enum RestrictionBit : quint16 {
    rsNoEditMemo = 1,
    rsNoEditScript = 2,
    rsNoEditContents = 4,
    rsNoModify = 8,
    rsNoSize = 16,
    rsNoMove = 32,
    rsNoDelete = 64,
};

/// Flags bit of add-in classes of which a page holds at most one object.
inline constexpr quint16 kOnePerPageFlag = 0x2000;

inline bool mayMove(const model::TqxView &view)
{
    return !(view.Restrictions & rsNoMove);
}
inline bool mayResize(const model::TqxView &view)
{
    return !(view.Restrictions & rsNoSize);
}
inline bool mayDelete(const model::TqxView &view)
{
    return !(view.Restrictions & rsNoDelete);
}
inline bool mayEditContents(const model::TqxView &view)
{
    return !(view.Restrictions & rsNoEditContents);
}

inline bool isBand(const model::TqxView &view)
{
    return view.ObjectKind == model::okBand;
}

} // namespace tovren::designer
