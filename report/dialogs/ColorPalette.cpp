#include "report/dialogs/ColorPalette.h"

#include <array>

namespace tovren::dialogs {

namespace {
constexpr std::array<model::ColorRef, kPaletteColorCount> kPalette = {
    0xFFFFFF, 0x000000, 0x000080, 0x008000, // white, black, maroon, green
    0x008080, 0x800000, 0x800080, 0x808000, // olive, navy, purple, teal
    0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, // grey, silver, red, lime
    0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, // yellow, blue, fuchsia, aqua
};
} // namespace

model::ColorRef paletteColor(int tag)
{
    if (tag >= 0 && tag < kPaletteColorCount)
        return kPalette[size_t(tag)];
    return model::kNoColor;
}

std::optional<int> paletteTagOf(model::ColorRef colour)
{
    if (colour == model::kNoColor)
        return kNoColorTag;
    for (int tag = 0; tag < kPaletteColorCount; ++tag) {
        if (kPalette[size_t(tag)] == colour)
            return tag;
    }
    return std::nullopt;
}

} // namespace tovren::dialogs
