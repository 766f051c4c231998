#pragma once

#include <QColor>
#include <QtGlobal>

namespace tovren::model {

/// A colour as templates store it: 0x00BBGGRR, or one of the special values below.
using ColorRef = quint32;

inline constexpr ColorRef kNoColor = 0x1FFFFFFF;
inline constexpr ColorRef kSystemColorBase = 0xFF000000;
inline constexpr int kSystemColorCount = 25;

inline constexpr ColorRef clBlack = 0x000000;
inline constexpr ColorRef clWhite = 0xFFFFFF;
inline constexpr ColorRef clSilver = 0xC0C0C0;
inline constexpr ColorRef clBtnFace = 0xFF00000F;
inline constexpr ColorRef clBtnShadow = 0xFF000010;
inline constexpr ColorRef clBtnHighlight = 0xFF000014;

inline bool isSystemColor(ColorRef color)
{
    return color >= kSystemColorBase && color < kSystemColorBase + kSystemColorCount;
}

/// The colour to paint with. System colours map to the classic desktop palette so that a
/// template draws the same with or without a display; "no colour" maps to an invalid QColor.
QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor &color);

} // namespace tovren::model
