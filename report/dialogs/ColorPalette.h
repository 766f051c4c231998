#pragma once

#include "report/model/ColorRef.h"

#include <optional>

namespace tovren::dialogs {

/// The colour pop-up's buttons by tag: 0 to 15 the palette in four rows of four (white, black,
/// maroon, green / olive, navy, purple, teal / grey, silver, red, lime / yellow, blue, fuchsia,
/// aqua), then "no colour" and "other colour".
inline constexpr int kPaletteColorCount = 16;
inline constexpr int kNoColorTag = 16;
inline constexpr int kOtherColorTag = 17;

/// The colour a palette tag stands for: a palette colour for 0 to 15, "no colour" for 16.
model::ColorRef paletteColor(int tag);

/// The tag of the button that shows @p colour (0 to 15, or 16 for "no colour"), or nothing when
/// the colour is not one of the palette's.
std::optional<int> paletteTagOf(model::ColorRef colour);

} // namespace tovren::dialogs
