#include "report/model/TqxBandView.h"

#include "report/model/DesignFonts.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPage.h"

#include <QFontMetrics>
#include <QPainter>
#include <array>

namespace tovren::model {

using script::Variant;

namespace {

constexpr DevicePixels kTitleTabDepth = 18;

struct FlagProperty
{
    const char *name;
    quint16 flag;
    BandOption option;
};

constexpr std::array<FlagProperty, 7> kFlagProperties = {{
    {"FormNewPage", TqxBandView::kFormNewPageFlag, BandOption::FormNewPage},
    {"PrintIfSubsetEmpty", TqxBandView::kPrintIfSubsetEmptyFlag, BandOption::PrintIfSubsetEmpty},
    {"Breaked", TqxBandView::kBreakedFlag, BandOption::Breaked},
    {"OnFirstPage", TqxBandView::kOnFirstPageFlag, BandOption::OnFirstPage},
    {"OnLastPage", TqxBandView::kOnLastPageFlag, BandOption::OnLastPage},
    {"RepeatHeader", TqxBandView::kRepeatHeaderFlag, BandOption::RepeatHeader},
    {"PrintChildIfInvisible", TqxBandView::kPrintChildIfInvisibleFlag, BandOption::ChildBand},
}};

const FlagProperty *flagPropertyNamed(const QString &upperName)
{
    for (const auto &property : kFlagProperties) {
        if (upperName == QString::fromLatin1(property.name).toUpper())
            return &property;
    }
    return nullptr;
}

} // namespace

TqxBandView::TqxBandView()
{
    ObjectKind = okBand;
    BaseName = QStringLiteral("Band");
    DisplayFormat = 0;
    Flags = kOnFirstPageFlag | kOnLastPageFlag;
    FrameTyp = btReportTitle;
}

void TqxBandView::setBandType(int type)
{
    FrameTyp = static_cast<quint16>((FrameTyp & ~kBandTypeMask) | (type & kBandTypeMask));
    RegisterProperties();
}

QString TqxBandView::title() const
{
    return TqxGlobals::instance().bandTitle(bandType());
}

void TqxBandView::SetPropertyValue(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    if (const FlagProperty *flag = flagPropertyNamed(upper))
        setFlag(flag->flag, value.toBool());
    else if (upper == u"CHILDBAND")
        ChildBand = value.toString();
    else if (upper == u"MASTER")
        Master = value.toString();
    else if (upper == u"CONDITION")
        CustomFormat = value.toString();
    else if (upper == u"COLUMNS")
        Columns = static_cast<qint32>(value.toInt64());
    else if (upper == u"COLUMNGAP")
        ColumnGap = static_cast<qint32>(value.toInt64());
    else if (upper == u"COLUMNWIDTH")
        ColumnWidth = static_cast<qint32>(value.toInt64());
    else if (upper == u"NEWCOLUMNAFTER")
        NewColumnAfter = static_cast<qint32>(value.toInt64());
    else
        TqxView::SetPropertyValue(name, value);
}

Variant TqxBandView::GetPropertyValue(const QString &name)
{
    const QString upper = name.toUpper();
    if (const FlagProperty *flag = flagPropertyNamed(upper))
        return Variant(bool(Flags & flag->flag));
    if (upper == u"CHILDBAND")
        return Variant(ChildBand);
    if (upper == u"MASTER")
        return Variant(Master);
    if (upper == u"CONDITION")
        return Variant(CustomFormat);
    if (upper == u"COLUMNS")
        return Variant(Columns);
    if (upper == u"COLUMNGAP")
        return Variant(ColumnGap);
    if (upper == u"COLUMNWIDTH")
        return Variant(ColumnWidth);
    if (upper == u"NEWCOLUMNAFTER")
        return Variant(NewColumnAfter);
    // Only a running band has a data source to ask; the engine answers EOF there.
    if (upper == u"EOF")
        return {};
    return TqxView::GetPropertyValue(name);
}

void TqxBandView::RegisterProperties()
{
    TqxView::RegisterProperties();
    removeProperty(QStringLiteral("Memo"));
    addProperty(QStringLiteral("OnBeforePrint"), pkHasEditor | pkSingleSelection);
    const int type = bandType();
    // The name lists of child bands and masters come from the designer's page.
    if (bandTypeOffers(type, BandOption::ChildBand)) {
        addProperty(QStringLiteral("ChildBand"), pkEnumeration);
        addProperty(QStringLiteral("PrintChildIfInvisible"), pkBoolean);
    }
    if (bandTypeOffers(type, BandOption::Stretched))
        addProperty(QStringLiteral("Stretched"), pkBoolean);
    for (const auto &flag : kFlagProperties) {
        if (flag.flag != kPrintChildIfInvisibleFlag && bandTypeOffers(type, flag.option))
            addProperty(QString::fromLatin1(flag.name), pkBoolean);
    }
    if (bandTypeOffers(type, BandOption::DataSource))
        addProperty(QStringLiteral("DataSource"), pkHasEditor);
    if (bandTypeOffers(type, BandOption::Columns)) {
        addProperty(QStringLiteral("Columns"), pkInteger);
        addProperty(QStringLiteral("ColumnWidth"), pkSize);
        addProperty(QStringLiteral("ColumnGap"), pkSize);
    }
    if (bandTypeOffers(type, BandOption::Condition)) {
        addProperty(QStringLiteral("Condition"), pkText);
        addProperty(QStringLiteral("Master"), pkEnumeration);
    }
    addProperty(QStringLiteral("EOF"), 0);
}

DesignPixels TqxBandView::BandTitleWidth() const
{
    const QFontMetrics metrics(designLabelFont());
    const int width = metrics.horizontalAdvance(title());
    return width < 92 ? 100 : width + 8;
}

QRect TqxBandView::titleTabRect() const
{
    const DesignPixels w = BandTitleWidth();
    if (isCrossBand(bandType()))
        return QRect(Left - kTitleTabDepth, Top, kTitleTabDepth, w);
    return QRect(Left, Top - kTitleTabDepth, w, kTitleTabDepth);
}

void TqxBandView::Draw(QPainter &painter)
{
    FrameWidth = 1;
    if (const TqxPage *page = runState().currentPage) {
        if (isCrossBand(bandType())) {
            Top = 0;
            Height = page->PageInfo.PaperHeightPx;
        } else {
            Left = 0;
            Width = page->PageInfo.PaperWidthPx;
        }
    }
    AlignInBand();
    BeginDraw(painter);
    painter.save();
    painter.fillRect(DrawRect.toQRect(), QBrush(TqxGlobals::instance().hatchImage()));
    painter.setPen(QPen(toQColor(clBtnFace), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Left, Top, Width, Height);
    if (Columns > 1) {
        const DesignPixels pageLeft =
            runState().currentPage ? runState().currentPage->LeftEdge() : 0;
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (int c = 0; c < Columns; ++c) {
            const DesignPixels left = pageLeft + c * (ColumnWidth + ColumnGap);
            painter.drawRect(left, Top, ColumnWidth, Height);
        }
    }
    drawTitle(painter);
    painter.restore();
    EndDraw();
}

void TqxBandView::drawTitle(QPainter &painter) const
{
    painter.setFont(designLabelFont());
    const bool cross = isCrossBand(bandType());
    const QString text = title();
    const int textWidth = QFontMetrics(painter.font()).horizontalAdvance(text);
    auto writeTurned = [&](int x, int y) {
        painter.save();
        painter.translate(x, y);
        painter.rotate(-90);
        painter.drawText(0, painter.fontMetrics().ascent(), text);
        painter.restore();
    };
    painter.setPen(Qt::black);
    if (!TqxGlobals::instance().showBandTitles) {
        if (cross)
            writeTurned(Left + 2, Top + 94);
        else
            painter.drawText(Left + 4, Top + 2 + painter.fontMetrics().ascent(), text);
        return;
    }
    const QRect tab = titleTabRect();
    const DesignPixels w = BandTitleWidth();
    painter.fillRect(tab, toQColor(clBtnFace));
    if (cross) {
        painter.fillRect(QRect(tab.left(), Top + w - 2, kTitleTabDepth, 1), toQColor(clBtnShadow));
        painter.fillRect(QRect(tab.left(), Top + w - 1, kTitleTabDepth, 1), Qt::black);
        painter.fillRect(QRect(tab.left(), Top, 1, w), toQColor(clBtnHighlight));
        painter.setPen(Qt::black);
        writeTurned(Left - 15, Top + 4 + textWidth);
    } else {
        painter.fillRect(QRect(Left + w - 2, tab.top(), 1, kTitleTabDepth), toQColor(clBtnShadow));
        painter.fillRect(QRect(Left + w - 1, tab.top(), 1, kTitleTabDepth), Qt::black);
        painter.setPen(Qt::black);
        painter.drawText(Left + 4, Top - 17 + painter.fontMetrics().ascent(), text);
    }
}

QRegion TqxBandView::GetClipRegion(bool extended) const
{
    if (!TqxGlobals::instance().showBandTitles)
        return TqxView::GetClipRegion(extended);
    QRect band(Left, Top, Width + 1, Height + 1);
    if (extended)
        band.adjust(-10, -10, 10, 10);
    return QRegion(band).united(titleTabRect());
}

} // namespace tovren::model
