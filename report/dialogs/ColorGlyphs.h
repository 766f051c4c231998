#pragma once

#include "report/model/ColorRef.h"

#include <QColor>
#include <QImage>

namespace tovren::dialogs {

/// A colour button's glyph showing @p colour: @p glyphTemplate with every pure red pixel
/// (255, 0, 0) in that colour. For "no colour" those pixels become transparent and row 13 from
/// x = 1 to 14 takes @p buttonFace, so the button shows no colour bar.
QImage colourButtonGlyph(const QImage &glyphTemplate, model::ColorRef colour,
                         const QColor &buttonFace);

/// A colour sample: an image of @p imageSize in @p buttonFace with a square of @p squarePixels
/// at its top left, filled with @p colour and outlined in @p buttonShadow.
QImage colourSwatch(QSize imageSize, int squarePixels, model::ColorRef colour,
                    const QColor &buttonFace, const QColor &buttonShadow);

} // namespace tovren::dialogs
