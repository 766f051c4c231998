#include "report/model/TqxPictureView.h"

#include "report/model/DesignFonts.h"
#include "report/model/ListMethods.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/platform/StringTable.h"

#include <QFileInfo>
#include <QPainter>

namespace tovren::model {

using script::Variant;

namespace {

constexpr int kEmptyPictureText = 55228;
const QColor kPlaceholderColour(0x80, 0x80, 0x80);

PictureGraphic::Kind graphicKindOfBlob(quint8 blobType)
{
    switch (blobType) {
    case btJPG:
        return PictureGraphic::Kind::Jpeg;
    case btICO:
        return PictureGraphic::Kind::Icon;
    case btWMF:
        return PictureGraphic::Kind::Metafile;
    default:
        return PictureGraphic::Kind::Bitmap;
    }
}

} // namespace

TqxPictureView::TqxPictureView()
{
    ObjectKind = okPicture;
    BaseName = QStringLiteral("Picture");
    Flags = kStretchedFlag | kKeepAspectFlag;
    TqxGlobals::instance().addPictureConstants();
}

void TqxPictureView::SetPropertyValue(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    if (upper == u"CENTER")
        setFlag(kCenterFlag, value.toBool());
    else if (upper == u"KEEPASPECT")
        setFlag(kKeepAspectFlag, value.toBool());
    else if (upper == u"BLOBTYPE")
        BlobType = static_cast<quint8>(value.toInt64());
    else
        TqxView::SetPropertyValue(name, value);
}

Variant TqxPictureView::GetPropertyValue(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper == u"CENTER")
        return Variant(bool(Flags & kCenterFlag));
    if (upper == u"KEEPASPECT")
        return Variant(bool(Flags & kKeepAspectFlag));
    if (upper == u"BLOBTYPE")
        return Variant(int(BlobType));
    return TqxView::GetPropertyValue(name);
}

Variant TqxPictureView::CallMethod(const QString &name, const Variant &p1, const Variant &p2,
                                   const Variant &p3)
{
    if (name == u"LOADFROMFILE") {
        const QString fileName = evaluateExpression(p1.toString()).toString();
        if (QFileInfo(fileName).isFile())
            Picture.loadFromFile(fileName);
        else
            Picture.clear();
        return {};
    }
    return TqxView::CallMethod(name, p1, p2, p3);
}

void TqxPictureView::RegisterProperties()
{
    TqxView::RegisterProperties();
    addProperty(QStringLiteral("Picture"), pkHasEditor);
    for (const char *flag : {"Stretched", "Center", "KeepAspect"})
        addProperty(QString::fromLatin1(flag), pkBoolean);
    addProperty(QStringLiteral("DataField"), pkText | pkHasEditor | pkSingleSelection);
    addEnumProperty(QStringLiteral("BlobType"), QStringLiteral("btBMP;btJPG;btICO;btWMF"));
}

void TqxPictureView::LoadFromBlob(const std::optional<QByteArray> &blob)
{
    if (!blob) {
        Picture.clear();
        return;
    }
    Picture.load(graphicKindOfBlob(BlobType), *blob);
}

QRect TqxPictureView::targetRect() const
{
    const QRect area = DrawRect.toQRect();
    const QSize pictureSize = Picture.image().size();
    const bool center = Flags & kCenterFlag;
    if (stretched()) {
        QRect target = area;
        if ((Flags & kKeepAspectFlag) && !pictureSize.isEmpty()) {
            const double kx = double(Width) / pictureSize.width();
            const double ky = double(Height) / pictureSize.height();
            if (kx >= ky)
                target.setWidth(roundHalfEven(pictureSize.width() * ky));
            else
                target.setHeight(roundHalfEven(pictureSize.height() * kx));
            if (center)
                target.translate((area.width() - target.width()) / 2,
                                 (area.height() - target.height()) / 2);
        }
        return target;
    }
    QRect target(area.topLeft(), QSize(roundHalfEven(pictureSize.width() * Transform.scaleX),
                                       roundHalfEven(pictureSize.height() * Transform.scaleY)));
    if (center)
        target.translate((area.width() - target.width()) / 2,
                         (area.height() - target.height()) / 2);
    return target;
}

void TqxPictureView::drawUndrawnPlaceholder(QPainter &painter) const
{
    // A metafile cannot be drawn here; marking its place keeps a printed page from hiding
    // that something belongs there.
    const QRect area = DrawRect.toQRect();
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(kPlaceholderColour, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomLeft());
    if (runState().drawingMode == DrawingMode::Designing) {
        painter.setPen(Qt::black);
        painter.setFont(designLabelFont());
        painter.drawText(area.adjusted(3, 3, -3, -3),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("图元文件"));
    }
    painter.restore();
}

void TqxPictureView::Draw(QPainter &painter)
{
    AlignInBand();
    BeginDraw(painter);
    PaintBackground(painter);
    if (!Picture.isEmpty() && !runState().suppressDrawing) {
        painter.drawImage(targetRect(), Picture.image());
    } else if (Picture.isKeptUndrawn() && !runState().suppressDrawing) {
        drawUndrawnPlaceholder(painter);
    } else if (Picture.kind() == PictureGraphic::Kind::None &&
               runState().drawingMode == DrawingMode::Designing) {
        painter.save();
        painter.setClipRect(DrawRect.toQRect());
        painter.setPen(Qt::black);
        painter.setFont(designLabelFont());
        painter.drawText(QRect(Left + 20, Top + 3, Width, Height), Qt::AlignLeft | Qt::AlignTop,
                         platform::LoadLibraryString(kEmptyPictureText));
        painter.restore();
    }
    PaintFrame(painter);
    EndDraw();
}

} // namespace tovren::model
