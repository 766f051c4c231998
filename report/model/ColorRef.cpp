#include "report/model/ColorRef.h"

#include <array>

namespace tovren::model {

namespace {

// The classic desktop scheme, indexed by system colour number; the certificates were designed
// against it, and rendering must not depend on the widget style of the machine.
constexpr std::array<QRgb, kSystemColorCount> kClassicSystemColors = {
    0xFFC8C8C8, // clScrollBar
    0xFF000000, // clBackground
    0xFF000080, // clActiveCaption
    0xFF808080, // clInactiveCaption
    0xFFC0C0C0, // clMenu
    0xFFFFFFFF, // clWindow
    0xFF000000, // clWindowFrame
    0xFF000000, // clMenuText
    0xFF000000, // clWindowText
    0xFFFFFFFF, // clCaptionText
    0xFFC0C0C0, // clActiveBorder
    0xFFC0C0C0, // clInactiveBorder
    0xFF808080, // clAppWorkSpace
    0xFF000080, // clHighlight
    0xFFFFFFFF, // clHighlightText
    0xFFC0C0C0, // clBtnFace
    0xFF808080, // clBtnShadow
    0xFF808080, // clGrayText
    0xFF000000, // clBtnText
    0xFFC0C0C0, // clInactiveCaptionText
    0xFFFFFFFF, // clBtnHighlight
    0xFF000000, // cl3DDkShadow
    0xFFDFDFDF, // cl3DLight
    0xFF000000, // clInfoText
    0xFFFFFFE1, // clInfoBk
};

} // namespace

QColor toQColor(ColorRef color)
{
    if (color == kNoColor)
        return {};
    if (isSystemColor(color))
        return QColor::fromRgb(kClassicSystemColors[color - kSystemColorBase]);
    if ((color & 0xFF000000) != 0)
        return {};
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

ColorRef fromQColor(const QColor &color)
{
    if (!color.isValid() || color.alpha() == 0)
        return kNoColor;
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}

} // namespace tovren::model
