#include "report/model/TqxPage.h"

#include "report/model/BandType.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"

#include <algorithm>

namespace tovren::model {

using script::Variant;

namespace {

constexpr int kMaxPageNameTries = 10000;

bool designing()
{
    return runState().drawingMode == DrawingMode::Designing;
}

} // namespace

TqxPage::TqxPage(PaperSelector *paper, const SheetRequest &sheet)
    : m_paper(paper)
{
    ChangePaper(sheet);
}

TqxPage::~TqxPage()
{
    if (runState().currentPage == this)
        runState().currentPage = nullptr;
}

void TqxPage::ChangePaper(const SheetRequest &sheet)
{
    std::optional<PaperSelector::Selection> selection;
    SheetRequest asked = sheet;
    if (m_paper) {
        selection = m_paper->selectSheet(asked);
        if (!selection) {
            asked.paperCode = SheetRequest::kCustomPaperCode;
            asked.bin = SheetRequest::kDefaultBin;
            selection = m_paper->selectSheet(asked);
        }
    }
    const SheetRequest inForce = selection ? selection->sheet : asked;
    PaperSize = inForce.paperCode;
    PaperWidth = inForce.width;
    PaperHeight = inForce.height;
    Orientation = inForce.landscape ? 1 : 0;
    PaperBin = (asked.bin == SheetRequest::kDefaultBin) ? kDefaultBin : inForce.bin;
    PageInfo = selection ? selection->metrics : TqxPageMetrics{};
}

TqxView *TqxPage::object(qsizetype index) const
{
    if (index < 0 || index >= objectCount())
        return nullptr;
    return m_objects[static_cast<size_t>(index)].get();
}

TqxView &TqxPage::addObject(std::unique_ptr<TqxView> view)
{
    m_objects.push_back(std::move(view));
    return *m_objects.back();
}

TqxView &TqxPage::insertObject(qsizetype index, std::unique_ptr<TqxView> view)
{
    const qsizetype at = std::clamp<qsizetype>(index, 0, objectCount());
    return **m_objects.insert(m_objects.begin() + at, std::move(view));
}

std::unique_ptr<TqxView> TqxPage::takeObject(qsizetype index)
{
    if (index < 0 || index >= objectCount())
        return nullptr;
    auto taken = std::move(m_objects[static_cast<size_t>(index)]);
    m_objects.erase(m_objects.begin() + index);
    return taken;
}

void TqxPage::Delete(qsizetype index)
{
    if (index < 0 || index >= objectCount())
        return;
    m_objects.erase(m_objects.begin() + index);
}

void TqxPage::moveObject(qsizetype from, qsizetype to)
{
    if (from < 0 || from >= objectCount() || to < 0 || to >= objectCount() || from == to)
        return;
    const auto first = m_objects.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

qsizetype TqxPage::FindObjectById(qint32 id) const
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(),
                                 [id](const auto &view) { return view->ObjectId == id; });
    return it == m_objects.end() ? -1 : it - m_objects.begin();
}

TqxView *TqxPage::FindObjectByName(const QString &name) const
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(), [&](const auto &view) {
        return view->Name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == m_objects.end() ? nullptr : it->get();
}

DesignPixels TqxPage::LeftEdge() const
{
    if (!UseMargins)
        return 0;
    return Margins.left != 0 ? Margins.left : PageInfo.OffsetX;
}

DesignPixels TqxPage::TopEdge() const
{
    if (!UseMargins)
        return 0;
    return Margins.top != 0 ? Margins.top : PageInfo.OffsetY;
}

DesignPixels TqxPage::RightEdge() const
{
    if (!UseMargins)
        return PageInfo.PaperWidthPx;
    return Margins.right != 0 ? PageInfo.PaperWidthPx - Margins.right
                              : PageInfo.OffsetX + PageInfo.PrintWidthPx;
}

DesignPixels TqxPage::BottomEdge() const
{
    DesignPixels bottom = PageInfo.PaperHeightPx;
    if (UseMargins) {
        bottom = Margins.bottom != 0 ? PageInfo.PaperHeightPx - Margins.bottom
                                     : PageInfo.OffsetY + PageInfo.PrintHeightPx;
    }
    if (!designing())
        bottom -= pageFooterHeight();
    return bottom;
}

DesignPixels TqxPage::pageFooterHeight() const
{
    for (const auto &view : m_objects) {
        // Asked once a page of every object; the kind spares the cast for the many that are not
        // bands.
        if (view->ObjectKind != okBand)
            continue;
        const auto *band = dynamic_cast<const TqxBandView *>(view.get());
        if (band && band->bandType() == btPageFooter)
            return band->Height;
    }
    return 0;
}

void TqxPage::MakeUniquePageName(const std::function<bool(const QString &)> &isTaken)
{
    for (int n = 1; n <= kMaxPageNameTries; ++n) {
        const QString candidate = QStringLiteral("Page") + QString::number(n);
        if (!isTaken || !isTaken(candidate)) {
            Name = candidate;
            return;
        }
    }
}

void TqxPage::RegisterProperties()
{
    clearProperties();
    addEnumProperty(QStringLiteral("Type"), QStringLiteral("ptReport;ptDialog"));
    addProperty(QStringLiteral("Visible"), 0);
    if (PageType == ptDialog) {
        addProperty(QStringLiteral("BorderStyle"), pkEnumeration,
                    QStringLiteral("bsDialog;bsSizeable"), {Variant(3), Variant(2)});
        addProperty(QStringLiteral("Caption"), pkText);
        addProperty(QStringLiteral("Color"), pkColor);
        addProperty(QStringLiteral("Left"), pkSize);
        addProperty(QStringLiteral("Top"), pkSize);
        addProperty(QStringLiteral("Width"), pkInteger);
        addProperty(QStringLiteral("Height"), pkInteger);
        addProperty(QStringLiteral("Position"), pkEnumeration,
                    QStringLiteral("poDesigned;poScreenCenter"), {Variant(0), Variant(4)});
        addProperty(QStringLiteral("OnActivate"), pkHasEditor | pkSingleSelection);
        return;
    }
    std::vector<Variant> codes;
    QStringList names;
    if (m_paper) {
        names = m_paper->paperNames();
        for (int code : m_paper->paperCodes())
            codes.push_back(Variant(code));
    }
    addProperty(QStringLiteral("Size"), pkEnumeration, names.join(u';'), std::move(codes));
    for (const char *size :
         {"Width", "Height", "LeftMargin", "TopMargin", "RightMargin", "BottomMargin"})
        addProperty(QString::fromLatin1(size), pkSize);
    addEnumProperty(QStringLiteral("Orientation"), QStringLiteral("poPortrait;poLandscape"));
    addProperty(QStringLiteral("PrintToPrevPage"), pkBoolean);
    addProperty(QStringLiteral("StretchToPrintable"), pkBoolean);
    addProperty(QStringLiteral("Columns"), pkInteger);
    addProperty(QStringLiteral("ColumnWidth"), 0);
    addProperty(QStringLiteral("ColumnGap"), pkSize);
    addProperty(QStringLiteral("OnBeforePrint"), pkHasEditor | pkSingleSelection);
}

void TqxPage::SetPropertyValue(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    auto integer = [&] { return static_cast<qint32>(value.toInt64()); };
    const bool dialog = PageType == ptDialog;
    if (upper == u"LEFT")
        Left = integer();
    else if (upper == u"TOP")
        Top = integer();
    else if (upper == u"WIDTH") {
        if (dialog)
            Width = integer();
        else
            PaperWidth = tenthsMmFromRulerPixels(value.toDouble());
    } else if (upper == u"HEIGHT") {
        if (dialog)
            Height = integer();
        else
            PaperHeight = tenthsMmFromRulerPixels(value.toDouble());
    } else if (upper == u"TYPE")
        PageType = static_cast<quint8>(integer());
    else if (upper == u"BORDERSTYLE")
        BorderStyle = static_cast<quint8>(integer());
    else if (upper == u"CAPTION")
        Caption = value.toString();
    else if (upper == u"NAME")
        Name = value.toString();
    else if (upper == u"COLOR")
        Color = static_cast<ColorRef>(value.toInt64());
    else if (upper == u"POSITION")
        Position = static_cast<quint8>(integer());
    else if (upper == u"SIZE")
        PaperSize = integer();
    else if (upper == u"LEFTMARGIN")
        Margins.left = integer();
    else if (upper == u"TOPMARGIN")
        Margins.top = integer();
    else if (upper == u"RIGHTMARGIN")
        Margins.right = integer();
    else if (upper == u"BOTTOMMARGIN")
        Margins.bottom = integer();
    else if (upper == u"ORIENTATION")
        Orientation = static_cast<quint8>(integer());
    else if (upper == u"PRINTTOPREVPAGE")
        PrintToPrevPage = value.toBool();
    else if (upper == u"STRETCHTOPRINTABLE")
        UseMargins = !value.toBool();
    else if (upper == u"COLUMNS")
        ColCount = integer();
    else if (upper == u"COLUMNGAP")
        ColGap = integer();
    else if (upper == u"COLUMNWIDTH")
        ColWidth = integer();
    else if (upper == u"VISIBLE")
        Visible = value.toBool();
}

Variant TqxPage::GetPropertyValue(const QString &name)
{
    const QString upper = name.toUpper();
    const bool dialog = PageType == ptDialog;
    if (upper == u"LEFT")
        return Variant(Left);
    if (upper == u"TOP")
        return Variant(Top);
    if (upper == u"WIDTH")
        return Variant(dialog ? Width : rulerPixelsFromTenthsMm(PaperWidth));
    if (upper == u"HEIGHT")
        return Variant(dialog ? Height : rulerPixelsFromTenthsMm(PaperHeight));
    if (upper == u"TYPE")
        return Variant(int(PageType));
    if (upper == u"BORDERSTYLE")
        return Variant(int(BorderStyle));
    if (upper == u"CAPTION")
        return Variant(Caption);
    if (upper == u"NAME")
        return Variant(Name);
    if (upper == u"COLOR")
        return Variant::fromInteger(Color);
    if (upper == u"POSITION")
        return Variant(int(Position));
    if (upper == u"SIZE")
        return Variant(PaperSize);
    if (upper == u"LEFTMARGIN")
        return Variant(designing() ? Margins.left : LeftEdge());
    if (upper == u"TOPMARGIN")
        return Variant(designing() ? Margins.top : TopEdge());
    if (upper == u"RIGHTMARGIN")
        return Variant(designing() ? Margins.right : RightEdge());
    if (upper == u"BOTTOMMARGIN")
        return Variant(designing() ? Margins.bottom : BottomEdge());
    if (upper == u"ORIENTATION")
        return Variant(int(Orientation));
    if (upper == u"PRINTTOPREVPAGE")
        return Variant(PrintToPrevPage);
    if (upper == u"STRETCHTOPRINTABLE")
        return Variant(!UseMargins);
    if (upper == u"COLUMNS")
        return Variant(ColCount);
    if (upper == u"COLUMNGAP")
        return Variant(ColGap);
    if (upper == u"VISIBLE")
        return Variant(Visible);
    return {};
}

} // namespace tovren::model
