#include "report/designer/ObjectInsertion.h"

#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxSubReportView.h"
#include "report/platform/DialogProvider.h"

#include <cstdlib>

namespace tovren::designer {

namespace {

constexpr int kPlainObjectSidePixels = 36;
constexpr int kCrossBandWidthPixels = 40;
constexpr int kCanvasWidthSlackPixels = 10;

QString onePerPageMessage(const QString &className)
{
    return QStringLiteral("一页上不能放置两个或更多的 %1 对象。").arg(className);
}

} // namespace

ObjectInsertion::ObjectInsertion(model::TqxPages &pages, qsizetype pageIndex,
                                 model::ObjectRegistry &registry, DesignerHost &host)
    : m_pages(pages)
    , m_pageIndex(pageIndex)
    , m_registry(registry)
    , m_host(host)
{}

model::TqxPage &ObjectInsertion::page() const
{
    return *m_pages.page(m_pageIndex);
}

QSize ObjectInsertion::defaultObjectSize(int gridStepPixels, int lastFontSizePoints)
{
    const bool coarseGrid = gridStepPixels == 18;
    QSize size(coarseGrid ? 108 : 96, coarseGrid ? 18 : 20);
    if (lastFontSizePoints == 12 || lastFontSizePoints == 13)
        size.setHeight(20);
    else if (lastFontSizePoints >= 14 && lastFontSizePoints <= 16)
        size.setHeight(24);
    return size;
}

QString ObjectInsertion::bandBaseName(int bandType)
{
    const QStringList words =
        model::TqxGlobals::instance().bandTitle(bandType).split(u' ', Qt::SkipEmptyParts);
    QString name;
    for (qsizetype i = 0; i < words.size(); ++i)
        name += i == 0 ? words[i] : words[i].left(1).toUpper() + words[i].mid(1);
    return name;
}

bool ObjectInsertion::pageIsSubReportTarget() const
{
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        const model::TqxPage &candidate = *m_pages.page(p);
        for (qsizetype i = 0; i < candidate.objectCount(); ++i) {
            const auto *sub = dynamic_cast<const model::TqxSubReportView *>(candidate.object(i));
            if (sub && sub->SubReportPage == m_pageIndex)
                return true;
        }
    }
    return false;
}

model::TqxView &ObjectInsertion::append(std::unique_ptr<model::TqxView> view)
{
    model::TqxView &added = page().addObject(std::move(view));
    added.MakeUniqueName([this](const QString &name) { return m_pages.isObjectNameTaken(name); });
    return added;
}

model::TqxView *ObjectInsertion::create(ObjectTool tool)
{
    switch (tool.tag) {
    case ObjectTool::kText:
    case ObjectTool::kPicture:
        if (auto view = m_registry.CreateObjectByKind(tool.tag))
            return &append(std::move(view));
        return nullptr;
    case ObjectTool::kBand: {
        const std::optional<int> type = m_host.chooseBandType(pageIsSubReportTarget());
        if (!type || *type < 0 || *type >= model::kBandTypeCount)
            return nullptr;
        auto band = m_registry.CreateObjectByKind(model::okBand);
        static_cast<model::TqxBandView &>(*band).setBandType(*type);
        band->BaseName = bandBaseName(*type);
        model::TqxView &added = append(std::move(band));
        putBandsFirst(page());
        return &added;
    }
    case ObjectTool::kSubReport: {
        auto view = m_registry.CreateObjectByKind(model::okSubReport);
        static_cast<model::TqxSubReportView &>(*view).SubReportPage = qint32(m_pages.Count());
        model::TqxView &added = append(std::move(view));
        model::TqxPage &target = *m_pages.page(m_pages.Add());
        target.MakeUniquePageName(
            [this](const QString &name) { return m_pages.isPageNameTaken(name); });
        return &added;
    }
    default:
        break;
    }
    if (!tool.isAddIn())
        return nullptr;
    const auto &addIns = m_registry.addIns();
    if (tool.addInIndex() >= int(addIns.size()))
        return nullptr;
    const QString className = addIns[size_t(tool.addInIndex())].className;
    for (qsizetype i = 0; i < page().objectCount(); ++i) {
        const model::TqxView &view = *page().object(i);
        if (view.ObjectKind == model::okAddIn && view.className() == className &&
            (view.Flags & kOnePerPageFlag)) {
            m_host.dialogs().messageBox(onePerPageMessage(className), QStringLiteral("错误"),
                                        platform::mb_Ok | platform::mb_IconError);
            return nullptr;
        }
    }
    if (auto view = m_registry.CreateObjectByKind(model::okAddIn, className))
        return &append(std::move(view));
    return nullptr;
}

TrackingRect ObjectInsertion::place(model::TqxView &view, TrackingRect frame,
                                    int canvasWidthPixels) const
{
    const LastUsedFormat format = m_host.lastUsedFormat();
    if (frame.isFlat()) {
        QSize size(kPlainObjectSidePixels, kPlainObjectSidePixels);
        if (page().PageType == model::TqxPage::ptDialog && view.Width > 0 && view.Height > 0)
            size = QSize(view.Width, view.Height);
        else if (view.ObjectKind == model::okText)
            size = defaultObjectSize(m_host.canvasOptions().grid.stepPixels, format.fontSizePoints);
        frame = TrackingRect::fromOrigin(frame.topLeft(), size.width(), size.height());
    }
    view.Left = frame.left;
    view.Top = frame.top;
    if (view.Width == 0 && view.Height == 0) {
        view.Width = frame.width();
        view.Height = frame.height();
    }
    const auto *band = dynamic_cast<const model::TqxBandView *>(&view);
    if (band && model::isCrossBand(band->bandType()) &&
        view.Width > canvasWidthPixels - kCanvasWidthSlackPixels)
        view.Width = kCrossBandWidthPixels;

    if (view.ObjectKind != model::okAddIn)
        view.FrameWidth = format.frameWidth;
    view.FrameColor = format.frameColor;
    view.FillColor = format.fillColor;
    if (auto *text = dynamic_cast<model::TqxMemoView *>(&view)) {
        text->FrameTyp = format.frameType;
        text->Font.setFamily(format.fontName);
        text->Font.setPointSize(format.fontSizePoints);
        text->Font.setItalic(format.fontStyle & model::fsItalic);
        text->Font.setBold(format.fontStyle & model::fsBold);
        text->Font.setUnderline(format.fontStyle & model::fsUnderline);
        text->Font.setStrikeOut(format.fontStyle & model::fsStrikeOut);
        text->FontColor = format.fontColor;
        text->FontCharset = format.charset;
        text->Alignment = format.alignment;
    }
    return frame;
}

model::TqxView *ObjectInsertion::createLine(TrackingRect drawn)
{
    auto created = m_registry.CreateObjectByKind(model::okLine);
    if (!created)
        return nullptr;
    model::TqxView &line = append(std::move(created));
    line.Left = drawn.left;
    line.Top = drawn.top;
    line.Width = drawn.width();
    line.Height = drawn.height();
    const bool wide = std::abs(line.Width) > std::abs(line.Height);
    if (line.Width < 0) {
        line.Width = -line.Width;
        if (wide)
            line.Left = drawn.right;
    }
    if (line.Height < 0) {
        line.Height = -line.Height;
        if (!wide)
            line.Top = drawn.bottom;
    }
    // The line runs along its longer extent only, as it was shown while drawn.
    static_cast<model::TqxLineView &>(line).applyOrientation();
    const LastUsedFormat format = m_host.lastUsedFormat();
    line.FrameWidth = format.lineWidth;
    line.FrameColor = format.frameColor;
    return &line;
}

} // namespace tovren::designer
