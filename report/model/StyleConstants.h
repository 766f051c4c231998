#pragma once

#include "report/model/ColorRef.h"
#include "report/platform/MessageBox.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace tovren::script {
class TqxVariables;
}

// The style vocabulary shared by objects, expressions and scripts. The numbers are stored in
// templates and compared by scripts, so they never change.
namespace tovren::model {

/// Bits of `FrameTyp`.
enum FrameLine : quint16 {
    qxftNone = 0,
    qxftRight = 1,
    qxftBottom = 2,
    qxftLeft = 4,
    qxftTop = 8,
};
inline constexpr quint16 kFrameLineMask = qxftRight | qxftBottom | qxftLeft | qxftTop;

/// Bits of a text object's alignment.
enum TextAlignment : int {
    qxtaLeft = 0,
    qxtaRight = 1,
    qxtaCenter = 2,
    qxtaVertical = 4,
    qxtaMiddle = 8,
    qxtaDown = 16,
};

enum BandAlignment : quint8 {
    baNone = 0,
    baLeft = 1,
    baRight = 2,
    baCenter = 3,
    baWidth = 4,
    baBottom = 5,
    baTop = 6,
    baRest = 7,
};

/// `FrameStyle`.
enum LineStyle : quint16 {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psDouble = 5,
};

/// Font style bits in the order of scripts and records (italic first, unlike the platform).
enum FontStyle : int {
    fsItalic = 1,
    fsBold = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

/// Kinds of picture held in a blob field.
enum BlobType : quint8 {
    btBMP = 0,
    btJPG = 1,
    btICO = 2,
    btWMF = 3,
};

/// The platform orders bold before italic; records and scripts the other way round.
inline int swapItalicBoldBits(int style)
{
    return (style & ~0x3) | ((style & 1) << 1) | ((style & 2) >> 1);
}

/// A colour with its constant name.
struct NamedColor
{
    QString name;
    ColorRef value = 0;
};

/// The 42 named colours in their table order: the sixteen plain colours, clTransparent, then
/// the system colours.
const std::vector<NamedColor> &namedColors();
/// The name of @p value in namedColors(), or empty when it has none.
QString colorName(ColorRef value);
/// The colour named @p name, compared ignoring case.
std::optional<ColorRef> colorByName(const QString &name);

/// Adds the colours, dialog results, CRLF, Null, font styles, frame lines, alignments, band
/// alignments, line styles and message box flags to @p constants.
void fillStyleConstants(script::TqxVariables &constants);
/// Adds btBMP to btWMF; done when the first picture object is created.
void addBlobTypeConstants(script::TqxVariables &constants);

} // namespace tovren::model
