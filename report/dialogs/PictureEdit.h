#pragma once

#include "report/model/PictureGraphic.h"

namespace tovren::model {
class TqxPictureView;
}

namespace tovren::dialogs {

/// A picture object's graphic and how it fits its frame, as the picture editor edits them.
struct PictureEdit
{
    model::PictureGraphic picture;
    bool stretched = false;
    bool center = false;
    bool keepAspect = false;

    static PictureEdit of(const model::TqxPictureView &view);
    void applyTo(model::TqxPictureView &view) const;
};

} // namespace tovren::dialogs
