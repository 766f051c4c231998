#include "report/dialogs/PictureEdit.h"

#include "report/model/TqxPictureView.h"

namespace tovren::dialogs {

namespace {

constexpr quint16 kStretchedFlag = model::TqxView::kStretchedFlag;

quint16 withFlag(quint16 flags, quint16 flag, bool on)
{
    return on ? quint16(flags | flag) : quint16(flags & ~flag);
}

} // namespace

PictureEdit PictureEdit::of(const model::TqxPictureView &view)
{
    PictureEdit edit;
    edit.picture = view.Picture;
    edit.stretched = view.Flags & kStretchedFlag;
    edit.center = view.Flags & model::TqxPictureView::kCenterFlag;
    edit.keepAspect = view.Flags & model::TqxPictureView::kKeepAspectFlag;
    return edit;
}

void PictureEdit::applyTo(model::TqxPictureView &view) const
{
    view.Picture = picture;
    quint16 flags = withFlag(view.Flags, kStretchedFlag, stretched);
    flags = withFlag(flags, model::TqxPictureView::kCenterFlag, center);
    view.Flags = withFlag(flags, model::TqxPictureView::kKeepAspectFlag, keepAspect);
}

} // namespace tovren::dialogs
