#include "report/dialogs/HighlightValues.h"

#include "report/model/StyleConstants.h"
#include "report/model/TqxMemoView.h"

namespace tovren::dialogs {

HighlightValues HighlightValues::of(const model::TqxMemoView &text)
{
    HighlightValues values;
    values.condition = text.HighlightCondition;
    values.fontColor = text.HighlightFontColor;
    values.fillColor = text.HighlightFillColor;
    values.bold = text.HighlightFontStyle & model::fsBold;
    values.italic = text.HighlightFontStyle & model::fsItalic;
    values.underline = text.HighlightFontStyle & model::fsUnderline;
    return values;
}

void HighlightValues::applyTo(model::TqxMemoView &text) const
{
    text.HighlightCondition = condition;
    text.HighlightFontColor = fontColor;
    text.HighlightFillColor = fillColor;
    text.HighlightFontStyle =
        static_cast<quint16>((bold ? model::fsBold : 0) | (italic ? model::fsItalic : 0) |
                             (underline ? model::fsUnderline : 0));
}

} // namespace tovren::dialogs
