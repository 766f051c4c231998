#include "report/model/TqxView.h"

#include "report/model/BandAligner.h"
#include "report/model/FrameLinePainter.h"
#include "report/model/ListMethods.h"
#include "report/model/RunState.h"
#include "report/model/TqxPage.h"

#include <QPainter>

namespace tovren::model {

using script::Variant;

namespace {

/// A damaged file can scale a stored extent past any sheet; drawn geometry is held where the
/// sums and differences of drawing code cannot overflow.
qint32 drawn(double value)
{
    constexpr qint32 kMaxDrawnExtent = 1 << 28;
    return std::clamp(roundHalfEven(value), -kMaxDrawnExtent, kMaxDrawnExtent);
}

/// Half a frame @p frameWidth wide at @p scale, which the gaps inside it grow by.
DevicePixels drawnHalfFrame(double scale, double frameWidth)
{
    return drawn(scale * frameWidth / 2);
}

constexpr int kMaxUniqueNameTries = 10000;
constexpr DevicePixels kClipRegionMargin = 10;

bool designing()
{
    return runState().drawingMode == DrawingMode::Designing;
}

} // namespace

TqxView::TqxView() = default;

TqxView::~TqxView()
{
    if (runState().currentObject == this)
        runState().currentObject = nullptr;
}

void TqxView::AlignInBand()
{
    runState().currentObject = this;
    const TqxPage *page = runState().currentPage;
    if (BandAlign != baNone && page)
        applyBandAlignment(*this, designAlignArea(*this, *page));
}

void TqxView::SetBounds(DesignPixels left, DesignPixels top, DesignPixels width,
                        DesignPixels height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void TqxView::setStretched(bool on)
{
    Flags = on ? (Flags | kStretchedFlag) : (Flags & ~kStretchedFlag);
}

void TqxView::SetPropertyValue(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    auto integer = [&] { return static_cast<qint32>(value.toInt64()); };
    if (upper == u"NAME")
        Name = value.toString();
    else if (upper == u"LEFT")
        Left = integer();
    else if (upper == u"TOP")
        Top = integer();
    else if (upper == u"WIDTH")
        Width = integer();
    else if (upper == u"HEIGHT")
        Height = integer();
    else if (upper == u"FLAGS")
        Flags = static_cast<quint16>(integer());
    else if (upper == u"FRAMETYP")
        FrameTyp = static_cast<quint16>(integer());
    else if (upper == u"FRAMEWIDTH")
        FrameWidth = static_cast<DesignPixelsF>(value.toDouble());
    else if (upper == u"FRAMECOLOR")
        FrameColor = static_cast<ColorRef>(value.toInt64());
    else if (upper == u"FRAMESTYLE")
        FrameStyle = static_cast<quint16>(integer());
    else if (upper == u"FILLCOLOR")
        FillColor = static_cast<ColorRef>(value.toInt64());
    else if (upper == u"VISIBLE")
        Visible = value.toBool();
    else if (upper == u"MEMO")
        Memo = splitLines(value.toString());
    else if (upper == u"GAPX")
        GapX = integer();
    else if (upper == u"GAPY")
        GapY = integer();
    else if (upper == u"STRETCHED")
        setStretched(value.toBool());
    else if (upper == u"BANDALIGN")
        BandAlign = static_cast<quint8>(integer());
    else if (upper == u"DATAFIELD")
        Memo = QStringList{value.toString()};
    else if (upper == u"TAG")
        Tag = value.toString();
}

Variant TqxView::GetPropertyValue(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper == u"NAME")
        return Variant(Name);
    if (upper == u"LEFT")
        return Variant(Left);
    if (upper == u"TOP")
        return Variant(Top);
    if (upper == u"WIDTH")
        return Variant(Width);
    if (upper == u"HEIGHT")
        return Variant(Height);
    if (upper == u"FLAGS")
        return Variant(int(Flags));
    if (upper == u"FRAMETYP")
        return Variant(int(FrameTyp));
    if (upper == u"FRAMEWIDTH")
        return Variant(double(FrameWidth));
    if (upper == u"FRAMECOLOR")
        return Variant::fromInteger(FrameColor);
    if (upper == u"FRAMESTYLE")
        return Variant(int(FrameStyle));
    if (upper == u"FILLCOLOR")
        return Variant::fromInteger(FillColor);
    if (upper == u"VISIBLE")
        return Variant(Visible);
    if (upper == u"MEMO")
        return Variant(joinLines(Memo));
    if (upper == u"GAPX")
        return Variant(GapX);
    if (upper == u"GAPY")
        return Variant(GapY);
    if (upper == u"STRETCHED")
        return Variant(stretched());
    if (upper == u"BANDALIGN")
        return Variant(int(BandAlign));
    if (upper == u"DATAFIELD")
        return Variant(Memo.isEmpty() ? QString() : Memo.first());
    if (upper == u"MEMO.COUNT")
        return Variant(static_cast<int>(Memo.size()));
    if (upper == u"TAG")
        return Variant(Tag);
    return {};
}

Variant TqxView::CallMethod(const QString &name, const Variant &p1, const Variant &p2,
                            const Variant &p3)
{
    Variant result = TqxObject::CallMethod(name, p1, p2, p3);
    if (!result.isEmpty())
        return result;
    result = CallListMethod(Memo, name, p1, p2, p3, QStringLiteral("MEMO"));
    if (name == u"HIDE")
        SetPropertyValue(QStringLiteral("Visible"), Variant(false));
    else if (name == u"SHOW")
        SetPropertyValue(QStringLiteral("Visible"), Variant(true));
    return result;
}

void TqxView::RegisterProperties()
{
    clearProperties();
    addProperty(QStringLiteral("Name"), pkText | pkSingleSelection);
    for (const char *geometry : {"Left", "Top", "Width", "Height"})
        addProperty(QString::fromLatin1(geometry), pkSize);
    addProperty(QStringLiteral("Flags"), 0);
    if (hasFrameProperties()) {
        addProperty(QStringLiteral("FrameTyp"), pkInteger);
        addProperty(QStringLiteral("FrameWidth"), pkSize | pkFraction);
        addProperty(QStringLiteral("FrameColor"), pkColor);
        addEnumProperty(QStringLiteral("FrameStyle"),
                        QStringLiteral("psSolid;psDash;psDot;psDashDot;psDashDotDot;psDouble"));
        addProperty(QStringLiteral("FillColor"), pkColor);
        addProperty(QStringLiteral("Tag"), pkHasEditor | pkSingleSelection);
        addEnumProperty(
            QStringLiteral("BandAlign"),
            QStringLiteral("baNone;baLeft;baRight;baCenter;baWidth;baBottom;baTop;baRest"));
    }
    addProperty(QStringLiteral("Visible"), pkBoolean);
    addProperty(QStringLiteral("Memo"), pkHasEditor | pkSingleSelection);
    addProperty(QStringLiteral("Memo.Count"), 0);
    addProperty(QStringLiteral("Restrictions"), pkHasEditor);
}

void TqxView::MakeUniqueName(const std::function<bool(const QString &)> &isTaken)
{
    Name.clear();
    for (int n = 1; n <= kMaxUniqueNameTries; ++n) {
        const QString candidate = BaseName + QString::number(n);
        if (!isTaken || !isTaken(candidate)) {
            SetPropertyValue(QStringLiteral("Name"), Variant(candidate));
            return;
        }
    }
}

double TqxView::scaledRight() const
{
    const DesignPixels left = m_designGeometry ? m_designGeometry->left : Left;
    const DesignPixels width = m_designGeometry ? m_designGeometry->width : Width;
    return (left + width) * Transform.scaleX + Transform.offsetX;
}

double TqxView::scaledBottom() const
{
    const DesignPixels top = m_designGeometry ? m_designGeometry->top : Top;
    const DesignPixels height = m_designGeometry ? m_designGeometry->height : Height;
    return (top + height) * Transform.scaleY + Transform.offsetY;
}

DevicePixels TqxView::unitScaleGapX() const
{
    return drawn(double(GapX) + drawnHalfFrame(1.0, FrameWidth));
}

void TqxView::BeginDraw(QPainter &painter)
{
    Q_UNUSED(painter);
    if (!m_designGeometry)
        m_designGeometry = SavedGeometry{Left, Top, Width, Height, FrameWidth, GapX, GapY};
    if (designing())
        Transform = DrawTransform{};
    const SavedGeometry &design = *m_designGeometry;
    const double sx = Transform.scaleX;
    const double sy = Transform.scaleY;
    Left = drawn(double(roundHalfEven(design.left * sx)) + Transform.offsetX);
    Top = drawn(double(roundHalfEven(design.top * sy)) + Transform.offsetY);
    Width = drawn(sx * design.width);
    Height = drawn(sy * design.height);
    FrameWidth = static_cast<DesignPixelsF>(sx * design.frameWidth);

    const double w = design.frameWidth;
    const DevicePixels hx = drawnHalfFrame(sx, w);
    const DevicePixels hy = drawnHalfFrame(sy, w);
    const DevicePixels ex = drawn((sx * w - 1) / 2);
    const DevicePixels ey = drawn((sy * w - 1) / 2);
    GapX = drawn(double(roundHalfEven(sx * design.gapX)) + hx);
    GapY = drawn(double(roundHalfEven(sy * design.gapY)) + hy / 2);

    DrawRect.left = drawn(double(Left) + ((FrameTyp & qxftLeft) ? ex : 0));
    DrawRect.top = drawn(double(Top) + ((FrameTyp & qxftTop) ? ey : 0));
    DrawRect.right = drawn(roundHalfEven(scaledRight()) - ((FrameTyp & qxftRight) ? hx : 0) + 1.0);
    DrawRect.bottom =
        drawn(roundHalfEven(scaledBottom()) - ((FrameTyp & qxftBottom) ? hy : 0) + 1.0);
}

void TqxView::EndDraw()
{
    if (!m_designGeometry)
        return;
    const SavedGeometry &design = *m_designGeometry;
    Left = design.left;
    Top = design.top;
    Width = design.width;
    Height = design.height;
    FrameWidth = design.frameWidth;
    GapX = design.gapX;
    GapY = design.gapY;
    m_designGeometry.reset();
}

void TqxView::PaintBackground(QPainter &painter)
{
    if (runState().suppressDrawing)
        return;
    const bool transparent = FillColor == kNoColor;
    if (!designing() && transparent)
        return;
    const QColor color = transparent ? QColor(Qt::white) : toQColor(FillColor);
    const CanvasRect area = designing() ? DrawRect
                                        : CanvasRect{Left, Top, roundHalfEven(scaledRight()),
                                                     roundHalfEven(scaledBottom())};
    if (area.right > area.left && area.bottom > area.top && color.isValid())
        painter.fillRect(area.toQRect(), color);
}

void TqxView::PaintFrame(QPainter &painter)
{
    if (runState().suppressDrawing)
        return;
    if (!designing() && (FrameTyp & kFrameLineMask) == 0)
        return;
    if (designing() && Width > 0 && Height > 0) {
        const DevicePixels right = Left + Width;
        const DevicePixels bottom = Top + Height;
        const QRect marks[] = {
            QRect(Left, Top, 1, 3),         QRect(Left, Top, 4, 1),
            QRect(Left, bottom - 2, 1, 3),  QRect(Left, bottom, 4, 1),
            QRect(right - 3, Top, 4, 1),    QRect(right, Top, 1, 4),
            QRect(right - 3, bottom, 4, 1), QRect(right, bottom - 3, 1, 4),
        };
        for (const QRect &mark : marks)
            painter.fillRect(mark, Qt::black);
    }
    FrameLinePainter::Pen pen;
    pen.color = toQColor(FrameColor);
    pen.width = drawn(FrameWidth);
    pen.style = FrameStyle <= psDouble ? static_cast<LineStyle>(FrameStyle) : psSolid;
    pen.fill = toQColor(FillColor);
    pen.doubleDistance = drawn(FrameWidth);
    const FrameLinePainter lines(painter, pen);

    const DevicePixels right = drawn(scaledRight());
    const DevicePixels bottom = drawn(scaledBottom());
    if (FrameTyp & qxftRight)
        lines.vertical(right, Top, bottom);
    if (FrameTyp & qxftLeft)
        lines.vertical(Left, Top, bottom);
    if (FrameTyp & qxftBottom)
        lines.horizontal(bottom, Left, right);
    if (FrameTyp & qxftTop)
        lines.horizontal(Top, Left, right);
}

QRegion TqxView::GetClipRegion(bool extended) const
{
    const double w = FrameWidth;
    const bool doubleLine = FrameStyle == psDouble;
    const DevicePixels outer = doubleLine ? roundHalfEven(w * 1.5) : roundHalfEven(w / 2);
    const DevicePixels inner =
        doubleLine ? roundHalfEven(w + (w - 1) / 2) : roundHalfEven((w - 1) / 2);
    CanvasRect r;
    r.left = Left - ((FrameTyp & qxftLeft) ? outer : 0);
    r.top = Top - ((FrameTyp & qxftTop) ? outer : 0);
    r.right = Left + Width + ((FrameTyp & qxftRight) ? inner : 0) + 1;
    r.bottom = Top + Height + ((FrameTyp & qxftBottom) ? inner : 0) + 1;
    if (extended) {
        r.left -= kClipRegionMargin;
        r.top -= kClipRegionMargin;
        r.right += kClipRegionMargin;
        r.bottom += kClipRegionMargin;
    }
    return QRegion(r.toQRect());
}

} // namespace tovren::model
