#include "report/designer/ObjectClipboard.h"

#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/designer/ObjectSnapshot.h"
#include "report/model/BandType.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/RecordStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPages.h"
#include "report/script/Variant.h"

#include <QBuffer>
#include <QDataStream>
#include <QMimeData>
#include <algorithm>

namespace tovren::designer {

const QString ObjectClipboard::kMimeType = QStringLiteral("application/x-tovren-report-objects");

namespace {

// The desktop clipboard's form: a format number, the count, then each stream with its length.
constexpr quint32 kMimeFormat = 1;
constexpr qint32 kMostObjects = 100000;

bool onlyOnceOnPageClashes(const model::TqxPage &page, const ObjectSnapshot &snapshot,
                           const model::TqxView &made)
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const model::TqxView &view = *page.object(i);
        if (view.ObjectKind == snapshot.kind() && view.className() == made.className() &&
            (view.Flags & kOnePerPageFlag))
            return true;
    }
    return false;
}

bool bandTypeTaken(const model::TqxPage &page, int bandType)
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const model::TqxView &view = *page.object(i);
        if (view.ObjectKind == model::okBand &&
            static_cast<const model::TqxBandView &>(view).bandType() == bandType)
            return true;
    }
    return false;
}

} // namespace

bool bandTypeIsOncePerPage(int bandType)
{
    const bool repeatable =
        (bandType >= model::btMasterHeader && bandType <= model::btSubDetailFooter) ||
        bandType == model::btGroupHeader || bandType == model::btGroupFooter ||
        bandType == model::btChild;
    return !repeatable;
}

void ObjectClipboard::copySelection(const model::TqxPage &page)
{
    m_streams.clear();
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (view.Selected)
            m_streams.append(ObjectSnapshot::of(view).clipboardStream());
    }
}

QMimeData *ObjectClipboard::toMimeData(const model::TqxPage &page) const
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << kMimeFormat << qint32(m_streams.size());
    for (const QByteArray &stream : m_streams)
        out << stream;
    QStringList texts;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const model::TqxView &view = *page.object(i);
        if (view.Selected && !view.Memo.isEmpty())
            texts.append(view.Memo.join(u'\n'));
    }
    auto *data = new QMimeData;
    data->setData(kMimeType, payload);
    if (!texts.isEmpty())
        data->setText(texts.join(u'\n'));
    return data;
}

std::optional<QList<QByteArray>> ObjectClipboard::fromMimeData(const QMimeData &data,
                                                               QString *problem)
{
    if (!data.hasFormat(kMimeType))
        return std::nullopt;
    const QByteArray payload = data.data(kMimeType);
    QDataStream in(payload);
    quint32 format = 0;
    qint32 count = 0;
    in >> format >> count;
    QList<QByteArray> streams;
    bool sound = in.status() == QDataStream::Ok && format == kMimeFormat && count >= 0 &&
                 count <= kMostObjects;
    for (qint32 i = 0; sound && i < count; ++i) {
        QByteArray stream;
        in >> stream;
        sound = in.status() == QDataStream::Ok;
        streams.append(stream);
    }
    if (!sound) {
        if (problem)
            *problem = QStringLiteral("剪贴板中的报表对象已损坏, 无法粘贴。");
        return std::nullopt;
    }
    return streams;
}

ClipboardPaste::Result ClipboardPaste::paste(const QList<QByteArray> &streams,
                                             model::TqxPages &pages, model::TqxPage &page,
                                             QPoint canvasOffset, int gridSizePixels)
{
    Result result;
    // Every stream is read before the page changes, so a damaged one changes nothing.
    std::vector<std::unique_ptr<model::TqxView>> made;
    std::vector<ObjectSnapshot> snapshots;
    try {
        for (const QByteArray &stream : streams) {
            snapshots.push_back(ObjectSnapshot::fromClipboardStream(stream));
            made.push_back(snapshots.back().rebuild(false));
        }
    } catch (const model::ERecordFormat &error) {
        result.problem = QStringLiteral("剪贴板中的报表对象无法读取 (%1), 没有粘贴任何对象。")
                             .arg(QString::fromUtf8(error.what()));
        return result;
    } catch (const model::EClassNotFound &error) {
        result.problem = QStringLiteral("剪贴板中有本程序没有的对象种类, 没有粘贴任何对象:\n%1")
                             .arg(error.message());
        return result;
    }

    // The selection gives way to the pasted objects; a selected band gives them its top.
    const model::TqxView *band = nullptr;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        model::TqxView &view = *page.object(i);
        if (view.Selected && view.ObjectKind == model::okBand && !band)
            band = &view;
        view.Selected = false;
    }

    std::vector<bool> keep(made.size(), true);
    int minLeft = 32767;
    int minTop = 32767;
    for (size_t i = 0; i < made.size(); ++i) {
        keep[i] = !onlyOnceOnPageClashes(page, snapshots[i], *made[i]);
        if (!keep[i])
            continue;
        minLeft = std::min(minLeft, made[i]->Left);
        minTop = std::min(minTop, made[i]->Top);
    }
    const int step = std::max(1, gridSizePixels);
    const int shiftX = canvasOffset.x() < 0 ? step * (-canvasOffset.x() / step) : 0;
    const int shiftY = canvasOffset.y() < 0 ? step * (-canvasOffset.y() / step) : 0;
    for (size_t i = 0; i < made.size(); ++i) {
        if (!keep[i])
            continue;
        std::unique_ptr<model::TqxView> view = std::move(made[i]);
        if (view->ObjectKind == model::okBand) {
            const int type = static_cast<model::TqxBandView &>(*view).bandType();
            if (bandTypeIsOncePerPage(type) && bandTypeTaken(page, type))
                continue;
        }
        // A pasted object is a new object, with a name of its own in the report.
        if (pages.isObjectNameTaken(view->Name)) {
            view->MakeUniqueName(
                [&](const QString &name) { return pages.isObjectNameTaken(name); });
            view->SetPropertyValue(QStringLiteral("Name"), script::Variant(view->Name));
        }
        view->Left = view->Left + shiftX - minLeft;
        view->Top = band ? band->Top : view->Top + shiftY - minTop;
        view->Selected = true;
        result.pasted.push_back(&page.addObject(std::move(view)));
    }
    putBandsFirst(page);
    return result;
}

} // namespace tovren::designer
