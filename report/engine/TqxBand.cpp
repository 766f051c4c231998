#include "report/engine/TqxBand.h"

#include "report/model/TqxBandView.h"

namespace tovren::engine {

TqxBand::TqxBand(int bandType)
    : BandType(bandType)
{}

TqxBand::~TqxBand()
{
    // Release before the owned counting source goes, so a borrowed source is left closed.
    if (TqxDataset *const source = DataSource.source())
        source->Release();
}

void TqxBand::takeOverView(model::TqxBandView &view)
{
    using model::TqxBandView;
    View = &view;
    Name = view.Name;
    Left = view.Left;
    Top = view.Top;
    Width = view.Width;
    Height = view.Height;
    Flags = view.Flags;
    Stretched = Flags & model::TqxView::kStretchedFlag;
    FormNewPage = Flags & TqxBandView::kFormNewPageFlag;
    PrintIfSubsetEmpty = Flags & TqxBandView::kPrintIfSubsetEmptyFlag;
    Breaked = Flags & TqxBandView::kBreakedFlag;
    OnFirstPage = Flags & TqxBandView::kOnFirstPageFlag;
    OnLastPage = Flags & TqxBandView::kOnLastPageFlag;
    RepeatHeader = Flags & TqxBandView::kRepeatHeaderFlag;
    PrintChildIfInvisible = Flags & TqxBandView::kPrintChildIfInvisibleFlag;
    Visible = view.Visible;
}

bool TqxBand::exists() const
{
    return View != nullptr || (BandType == btNone && !Objects.empty());
}

bool TqxBand::isDataBand() const
{
    return BandType == btMasterData || BandType == btDetailData || BandType == btSubDetailData;
}

} // namespace tovren::engine
