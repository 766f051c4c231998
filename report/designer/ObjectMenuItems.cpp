#include "report/designer/ObjectMenuItems.h"

#include "report/designer/CanvasSelection.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPictureView.h"
#include "report/platform/StringTable.h"

namespace tovren::designer {

namespace {

using model::TqxView;
using platform::LoadLibraryString;

bool sameKind(const TqxView &a, const TqxView &b)
{
    return a.ObjectKind == b.ObjectKind &&
           (a.ObjectKind != model::okAddIn || a.className() == b.className());
}

/// The object whose items the menu shows, or null.
TqxView *menuOwner(const CanvasSelection &selection)
{
    const std::vector<TqxView *> selected = selection.objects();
    if (selected.empty())
        return nullptr;
    if (selected.size() == 1)
        return selected.front();
    model::TqxPage *page = selection.page();
    TqxView *last = page ? page->object(selection.lastSelectedIndex()) : nullptr;
    if (!last || last->ObjectKind == model::okBand)
        return nullptr;
    for (const TqxView *view : selected) {
        if (!sameKind(*view, *last))
            return nullptr;
    }
    return last;
}

ObjectMenuItem separator()
{
    return {};
}

/// A check item showing @p owner's flag that sets the new state on every selected object
/// that may be modified.
ObjectMenuItem flagToggle(const CanvasSelection &selection, const TqxView &owner, int captionId,
                          quint16 flag)
{
    ObjectMenuItem item;
    item.kind = ObjectMenuItem::Kind::Check;
    item.caption = LoadLibraryString(captionId);
    item.checked = owner.Flags & flag;
    const bool on = !item.checked;
    item.run = [&selection, flag, on] {
        for (TqxView *view : selection.objects()) {
            if (!(view->Restrictions & rsNoModify))
                view->Flags = on ? (view->Flags | flag) : (view->Flags & ~flag);
        }
    };
    return item;
}

/// A check item for a band option that belongs to the band itself, not to the selection.
ObjectMenuItem ownFlagToggle(TqxView &owner, int captionId, quint16 flag)
{
    ObjectMenuItem item;
    item.kind = ObjectMenuItem::Kind::Check;
    item.caption = LoadLibraryString(captionId);
    item.checked = owner.Flags & flag;
    item.enabled = !(owner.Restrictions & rsNoModify);
    const bool on = !item.checked;
    item.run = [&owner, flag, on] {
        owner.Flags = on ? (owner.Flags | flag) : (owner.Flags & ~flag);
    };
    return item;
}

void addViewItems(std::vector<ObjectMenuItem> &items, const CanvasSelection &selection,
                  const TqxView &owner)
{
    items.push_back(separator());
    items.push_back(flagToggle(selection, owner, 55190, TqxView::kStretchedFlag));
}

void addTextItems(std::vector<ObjectMenuItem> &items, const CanvasSelection &selection,
                  const TqxView &owner, const ObjectMenuItems::Dialogs &dialogs)
{
    using model::TqxMemoView;
    const auto command = [](int captionId, std::function<void()> run) {
        ObjectMenuItem item;
        item.kind = ObjectMenuItem::Kind::Command;
        item.caption = LoadLibraryString(captionId);
        item.enabled = bool(run);
        item.run = std::move(run);
        return item;
    };
    for (auto [captionId, opener] :
         {std::pair{55191, dialogs.openFormat}, std::pair{55334, dialogs.openFont}}) {
        ObjectMenuItem item = command(captionId, opener);
        item.opensDialog = true;
        items.push_back(item);
    }
    items.push_back(command(55347, [&selection] {
        for (TqxView *view : selection.objects()) {
            if (!(view->Restrictions & rsNoEditContents)) {
                view->Memo.clear();
                view->Script.clear();
            }
        }
    }));
    addViewItems(items, selection, owner);
    items.push_back(flagToggle(selection, owner, 55192, TqxMemoView::kWordWrapFlag));
    if (!LoadLibraryString(55193).isEmpty()) {
        ObjectMenuItem wordBreak = flagToggle(selection, owner, 55193, TqxMemoView::kWordBreakFlag);
        wordBreak.enabled = owner.Flags & TqxMemoView::kWordWrapFlag;
        items.push_back(wordBreak);
    }
    items.push_back(flagToggle(selection, owner, 55335, TqxMemoView::kAutoWidthFlag));
    items.push_back(flagToggle(selection, owner, 55433, TqxMemoView::kTextOnlyFlag));
    items.push_back(flagToggle(selection, owner, 55434, TqxMemoView::kSuppressFlag));
    items.push_back(flagToggle(selection, owner, 55438, TqxMemoView::kHideZerosFlag));
    items.push_back(flagToggle(selection, owner, 55441, TqxMemoView::kUnderlinesFlag));
}

void addBandItems(std::vector<ObjectMenuItem> &items, const CanvasSelection &selection,
                  TqxView &owner)
{
    using model::BandOption;
    using model::TqxBandView;
    const int type = static_cast<const TqxBandView &>(owner).bandType();
    if (type == model::btPageFooter) {
        items.push_back(separator());
        return;
    }
    switch (type) {
    case model::btOverlay:
    case model::btColumnHeader:
    case model::btColumnFooter:
    case model::btCrossData:
    case model::btCrossFooter:
    case model::btNone:
        break;
    default:
        addViewItems(items, selection, owner);
        break;
    }
    const struct
    {
        BandOption option;
        int captionId;
        quint16 flag;
        bool wholeSelection;
    } options[] = {
        {BandOption::FormNewPage, 55194, TqxBandView::kFormNewPageFlag, true},
        {BandOption::PrintIfSubsetEmpty, 55195, TqxBandView::kPrintIfSubsetEmptyFlag, true},
        {BandOption::Breaked, 55196, TqxBandView::kBreakedFlag, true},
        {BandOption::OnFirstPage, 55231, TqxBandView::kOnFirstPageFlag, false},
        {BandOption::OnLastPage, 55232, TqxBandView::kOnLastPageFlag, false},
        {BandOption::RepeatHeader, 55233, TqxBandView::kRepeatHeaderFlag, false},
    };
    for (const auto &entry : options) {
        if (!model::bandTypeOffers(type, entry.option))
            continue;
        items.push_back(entry.wholeSelection
                            ? flagToggle(selection, owner, entry.captionId, entry.flag)
                            : ownFlagToggle(owner, entry.captionId, entry.flag));
    }
    if (type != model::btPageFooter)
        items.push_back(ownFlagToggle(owner, 55440, TqxBandView::kPrintChildIfInvisibleFlag));
}

void addPictureItems(std::vector<ObjectMenuItem> &items, const CanvasSelection &selection,
                     const TqxView &owner)
{
    using model::TqxPictureView;
    addViewItems(items, selection, owner);
    items.push_back(flagToggle(selection, owner, 55197, TqxPictureView::kCenterFlag));
    ObjectMenuItem keepAspect =
        flagToggle(selection, owner, 55198, TqxPictureView::kKeepAspectFlag);
    keepAspect.enabled = owner.stretched();
    items.push_back(keepAspect);
}

} // namespace

std::vector<ObjectMenuItem> ObjectMenuItems::forSelection(const CanvasSelection &selection,
                                                          const Dialogs &dialogs)
{
    std::vector<ObjectMenuItem> items;
    TqxView *owner = menuOwner(selection);
    if (!owner)
        return items;
    switch (owner->ObjectKind) {
    case model::okText:
        addTextItems(items, selection, *owner, dialogs);
        break;
    case model::okBand:
        addBandItems(items, selection, *owner);
        break;
    case model::okPicture:
        addPictureItems(items, selection, *owner);
        break;
    case model::okAddIn:
        break; // add-in objects bring no items of their own
    default:
        addViewItems(items, selection, *owner);
        break;
    }
    return items;
}

} // namespace tovren::designer
