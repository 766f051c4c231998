#include "report/designer/StatusBarContent.h"

#include "report/designer/CanvasSelection.h"
#include "report/designer/GroupBox.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPictureView.h"

#include <cmath>

namespace tovren::designer {

namespace {

QString describeObject(const model::TqxView &view)
{
    if (view.ObjectKind == model::okBand) {
        const auto &band = static_cast<const model::TqxBandView &>(view);
        return view.Name + QStringLiteral(": ") +
               model::TqxGlobals::instance().bandTitle(band.bandType());
    }
    if (!view.Memo.isEmpty())
        return view.Name + QStringLiteral(": ") + view.Memo.constFirst();
    return view.Name;
}

QString percent(double kx, double ky)
{
    return QStringLiteral("% %1,%2").arg(std::lround(kx * 100)).arg(std::lround(ky * 100));
}

} // namespace

StatusBarContent StatusBarContent::compute(const Input &input)
{
    StatusBarContent content;
    content.unitName = designUnitName(input.units);
    const int selected = input.selection ? input.selection->count() : 0;
    content.showsSelectionIcon = selected > 0 || input.insertionToolArmed;
    const model::TqxView *single = input.selection ? input.selection->single() : nullptr;
    if (single)
        content.objectText = describeObject(*single);

    if (single || input.tracking) {
        const TrackingRect rect = input.tracking
                                      ? *input.tracking
                                      : TrackingRect::fromOrigin({single->Left, single->Top},
                                                                 single->Width, single->Height);
        content.position = formatPair(rect.left, rect.top, input.units);
        content.size = formatPair(rect.width(), rect.height(), input.units);
        if (single && !input.tracking && single->ObjectKind == model::okPicture) {
            const auto &picture = static_cast<const model::TqxPictureView &>(*single);
            const QImage &image = picture.Picture.image();
            if (!image.isNull() && image.width() > 0 && image.height() > 0) {
                content.scale = QStringLiteral("% %1,%2")
                                    .arg(single->Width * 100 / image.width())
                                    .arg(single->Height * 100 / image.height());
            }
        }
    } else if (selected > 1 && input.groupBox && input.groupBox->isValid()) {
        const GroupBox &box = *input.groupBox;
        content.position = formatPair(box.origin().x(), box.origin().y(), input.units);
        const TrackingRect start = box.startRect();
        const model::TqxPage *page = input.selection->page();
        const model::TqxView *corner = page ? page->object(box.cornerIndex()) : nullptr;
        if (corner) {
            // The box now reaches from the origin to the corner object's far corner.
            const int width = corner->Left + corner->Width - box.origin().x();
            const int height = corner->Top + corner->Height - box.origin().y();
            const double kx = start.width() ? double(width) / start.width() : 0;
            const double ky = start.height() ? double(height) / start.height() : 0;
            content.scale = percent(kx, ky);
        }
    } else if (selected == 0 && input.mouse) {
        content.position = formatPair(input.mouse->x(), input.mouse->y(), input.units);
    }
    return content;
}

} // namespace tovren::designer
