#include "report/model/TqxLineView.h"

#include <cmath>

namespace tovren::model {

TqxLineView::TqxLineView()
{
    ObjectKind = okLine;
    BaseName = QStringLiteral("Line");
    FrameTyp = qxftLeft;
    FillColor = clWhite;
}

void TqxLineView::RegisterProperties()
{
    TqxView::RegisterProperties();
    addProperty(QStringLiteral("Stretched"), pkBoolean);
}

void TqxLineView::applyOrientation()
{
    if (Height < Width) {
        Height = 0;
        FrameTyp = qxftTop;
    } else {
        Width = 0;
        FrameTyp = qxftLeft;
    }
}

void TqxLineView::Draw(QPainter &painter)
{
    AlignInBand();
    applyOrientation();
    BeginDraw(painter);
    PaintFrame(painter);
    EndDraw();
}

QRegion TqxLineView::GetClipRegion(bool extended) const
{
    const double w = FrameWidth;
    const bool doubleLine = FrameStyle == psDouble;
    const auto outer = static_cast<DevicePixels>(std::trunc(doubleLine ? w * 1.5 : w * 0.5));
    const auto halfInner = std::trunc((w - 1) / 2);
    const auto inner =
        static_cast<DevicePixels>(doubleLine ? std::trunc(halfInner + w) : halfInner);
    CanvasRect r{Left, Top, Left + Width + 1, Top + Height + 1};
    if (FrameTyp == qxftLeft) {
        r.left -= outer;
        r.right += inner;
    } else {
        r.top -= outer;
        r.bottom += inner;
    }
    if (extended) {
        r.left -= 10;
        r.top -= 10;
        r.right += 10;
        r.bottom += 10;
    }
    return QRegion(r.toQRect());
}

} // namespace tovren::model
