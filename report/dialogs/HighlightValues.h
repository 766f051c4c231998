#pragma once

#include "report/model/ColorRef.h"

#include <QString>

namespace tovren::model {
class TqxMemoView;
}

namespace tovren::dialogs {

/// A text object's conditional highlight as the highlight dialog edits it: the condition, the
/// colours and the three style boxes.
struct HighlightValues
{
    QString condition;
    model::ColorRef fontColor = model::clBlack;
    /// model::kNoColor is a transparent background.
    model::ColorRef fillColor = model::kNoColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    static HighlightValues of(const model::TqxMemoView &text);
    /// Writes the highlight into @p text; strike-out is cleared, as the dialog has no box for it.
    void applyTo(model::TqxMemoView &text) const;

    bool transparentBackground() const { return fillColor == model::kNoColor; }
};

} // namespace tovren::dialogs
