#include "report/model/TqxMemoView.h"

#include <cmath>

// The text object's part of the XML export: what a text adds after the attributes every view
// writes, each flag only when it differs from the importer's default.
namespace tovren::model {

namespace {

QString text(qint64 value)
{
    return QString::number(value);
}

/// Bold 1, italic 2, underline 4, strike-out 8: the order the export's readers expect.
int exportedFontStyle(const QFont &font)
{
    return (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0)
           | (font.strikeOut() ? 8 : 0);
}

} // namespace

void TqxMemoView::AddXmlAttributes(XmlAttributes &attributes) const
{
    const auto add = [&](const char *name, const QString &value) {
        attributes.append({QString::fromLatin1(name), value});
    };
    const QString yes = QStringLiteral("True");
    const QString no = QStringLiteral("False");
    if (stretched())
        add("StretchMode", QStringLiteral("smMaxHeight"));
    if (!flag(kWordWrapFlag))
        add("WordWrap", no);
    if (flag(kAutoWidthFlag))
        add("AutoWidth", yes);
    if (flag(kTextOnlyFlag))
        add("AllowExpressions", no);
    if (flag(kSuppressFlag))
        add("SuppressRepeated", yes);
    if (flag(kHideZerosFlag))
        add("HideZeros", yes);
    if (flag(kUnderlinesFlag))
        add("Underlines", yes);
    if (flag(kRTLReadingFlag))
        add("RTLReading", yes);
    add("Font.Name", Font.family());
    // The pixel height of layout: -round(points * 96 / 72), ties to even.
    add("Font.Height", text(-static_cast<qint64>(std::nearbyint(Font.pointSizeF() * 96.0 / 72.0))));
    add("Font.Color", text(static_cast<qint32>(FontColor)));
    add("Font.Style", text(exportedFontStyle(Font)));
    add("Highlight.Condition", HighlightCondition);
    add("Highlight.Font.Style", text(HighlightFontStyle));
    add("Highlight.Font.Color", text(static_cast<qint32>(HighlightFontColor)));
    add("Highlight.Color", text(static_cast<qint32>(HighlightFillColor)));
    add("LineSpacing", text(LineSpacing));
    add("CharSpacing", text(CharSpacing));
    add("HAlign", text(Alignment & kHorizontalMask));
    add("VAlign", text((Alignment & kAlignMiddle) ? 1 : (Alignment & kAlignBottom) ? 2 : 0));
    if (turned())
        add("Rotation", QStringLiteral("90"));
}

} // namespace tovren::model
