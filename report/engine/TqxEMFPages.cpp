#include "report/engine/TqxEMFPages.h"

#include "report/engine/TqxExportFilter.h"
#include "report/model/ObjectRecord.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPictureView.h"
#include "report/platform/TextCodec.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tovren::engine {

using model::RecordReader;
using model::RecordWriter;
using model::TqxView;

namespace {

constexpr int kOldestVersionByte = 24;
constexpr int kNewestVersionByte = 31;

/// Reads one object record: kind byte, add-in class name, prepared record. Raises
/// ERecordFormat for a damaged record.
std::unique_ptr<TqxView> readObjectRecord(RecordReader &reader)
{
    const int kind = reader.readByte();
    const QString className = kind == model::okAddIn ? reader.readStr() : QString();
    model::ObjectRegistry &registry = model::TqxGlobals::instance().objects;
    // An object of a class this program lacks cannot be read past, as its record has no
    // length; the page is damaged for this program. Asked first, so that the registry's list
    // of missing classes, which belongs to template reading, is left alone.
    if (kind == model::okAddIn &&
        std::none_of(registry.addIns().begin(), registry.addIns().end(),
                     [&](const auto &addIn) { return addIn.className == className; }))
        throw model::ERecordFormat(
            QStringLiteral("预备页含有本程序没有的对象类 %1").arg(className).toStdString());
    std::unique_ptr<TqxView> view = registry.CreateObjectByKind(kind, className);
    if (!view)
        throw model::ERecordFormat("预备页含有未知种类的对象");
    view->RecordMode = 1;
    view->ReadRecord(reader);
    view->RecordMode = 0;
    return view;
}

/// Object records of one page stream, each made into a live object in turn.
class PageStreamReader
{
public:
    explicit PageStreamReader(const QByteArray &stream)
        : m_bytes(stream)
        , m_reader(QByteArrayView(m_bytes))
    {
        if (!m_reader.atEnd())
            m_reader.readByte(); // the version byte
    }

    /// The next object, or nullptr at the end of the stream.
    std::unique_ptr<TqxView> next() { return next(nullptr); }

    /// The next object and, in @p record, the bytes it was read from.
    std::unique_ptr<TqxView> next(QByteArrayView *record)
    {
        if (m_reader.atEnd())
            return nullptr;
        const qint64 start = m_reader.pos();
        std::unique_ptr<TqxView> view = readObjectRecord(m_reader);
        if (record)
            *record = QByteArrayView(m_bytes).sliced(start, m_reader.pos() - start);
        return view;
    }

private:
    QByteArray m_bytes; // shares the page's stream, and keeps it should the page change meanwhile
    RecordReader m_reader;
};

/// Reads every object of a page stream once, so that a damaged page is found when its file is
/// read rather than each time the preview paints it, and notes where each record begins.
/// Raises ERecordFormat.
void readRecordStarts(TqxPreparedPage &page)
{
    PageStreamReader reader(page.stream);
    QByteArrayView record;
    page.recordStarts.clear();
    while (reader.next(&record))
        page.recordStarts.push_back(static_cast<quint32>(record.data() - page.stream.constData()));
    page.recordsEnd = page.stream.size();
}

std::span<const quint32> recordStartsOf(const TqxPreparedPage &page)
{
    return page.recordStarts.empty() ? page.keptStarts : std::span(page.recordStarts);
}

/// True when @p page's notes slice @p stream, its object stream, into its records: they lie in
/// order within it, the first right after the version byte, and end where it ends.
bool notesFitStream(const TqxPreparedPage &page, const QByteArray &stream)
{
    const std::span<const quint32> starts = recordStartsOf(page);
    if (page.recordsEnd != stream.size())
        return false;
    if (starts.empty())
        return stream.size() <= 1;
    return starts.front() == 1 && starts.back() < stream.size() &&
           std::is_sorted(starts.begin(), starts.end(), std::less_equal<>());
}

QByteArray emptyStream()
{
    return QByteArray(1, char(TqxEMFPages::kStreamVersion));
}

} // namespace

TqxEMFPages::TqxEMFPages(model::PaperSelector *paper)
    : m_paper(paper)
{}

TqxEMFPages::~TqxEMFPages() = default;

void TqxEMFPages::Delete(qsizetype index)
{
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}

TqxPreparedPage &TqxEMFPages::Insert(qsizetype index, const model::TqxPage &templatePage)
{
    auto page = std::make_unique<TqxPreparedPage>();
    page->paperSize = templatePage.PaperSize;
    page->paperWidth = templatePage.PaperWidth;
    page->paperHeight = templatePage.PaperHeight;
    page->orientation = templatePage.Orientation;
    page->bin = templatePage.PaperBin;
    page->useMargins = templatePage.UseMargins;
    page->margins = templatePage.Margins;
    page->metrics = templatePage.PageInfo;
    page->formImage = templatePage.formImage;
    page->stream = emptyStream();
    page->recordsEnd = page->stream.size();
    const qsizetype at = std::clamp<qsizetype>(index, 0, Count());
    return **m_pages.insert(m_pages.begin() + at, std::move(page));
}

TqxPreparedPage &TqxEMFPages::Add(const model::TqxPage &templatePage)
{
    qsizetype recordsBefore = 0;
    if (!m_pages.empty()) {
        finishPage(*m_pages.back());
        recordsBefore = static_cast<qsizetype>(m_pages.back()->keptStarts.size());
    }
    TqxPreparedPage &page = Insert(Count(), templatePage);
    // Pages of a run mostly hold as many records as the one before.
    page.recordStarts.reserve(recordsBefore);
    if (m_onBeginPage)
        m_onBeginPage(static_cast<int>(Count() - 1));
    return page;
}

void TqxEMFPages::finishPage(TqxPreparedPage &page)
{
    // A stream grows by doubling while its page is written; a finished page gives the spare
    // room back, a fifth of all a long run keeps.
    page.stream.squeeze();
    if (!page.recordStarts.empty()) {
        page.keptStarts = m_keptStarts.keep(page.recordStarts);
        std::vector<quint32>().swap(page.recordStarts);
    }
    m_finishedBytes += page.stream.size();
    if (m_finishedBytes > m_packAboveBytes && page.packedStream.isEmpty())
        pack(page);
}

void TqxEMFPages::pack(TqxPreparedPage &page)
{
    // A like page's differences take an eighth of its bytes or less; those end the search.
    const qsizetype plainBytes = page.stream.size();
    std::vector<std::shared_ptr<const StreamDeltaReference>> &references = m_packing.references;
    ++m_packing.pagesPacked;
    QByteArray best;
    auto bestReference = references.end();
    for (auto reference = references.begin(); reference != references.end(); ++reference) {
        QByteArray delta = (*reference)->encode(page.stream);
        if (bestReference == references.end() || delta.size() < best.size()) {
            best = std::move(delta);
            bestReference = reference;
        }
        if (best.size() <= plainBytes / 8)
            break;
    }
    if (bestReference != references.end() && best.size() <= plainBytes / 4) {
        std::rotate(references.begin(), bestReference, bestReference + 1);
        best.squeeze();
        page.packedStream = std::move(best);
        page.packedAgainst = references.front()->bytes();
        page.stream = QByteArray();
        return;
    }
    // Unlike the recent pages: the first of a new kind stays plain for the next ones to be
    // kept as differences from, unless so many are unlike that they had better be compressed.
    constexpr std::size_t kReferencesKept = 4;
    if (m_packing.referencesMade * 8 < m_packing.pagesPacked) {
        ++m_packing.referencesMade;
        references.insert(references.begin(),
                          std::make_shared<const StreamDeltaReference>(page.stream));
        if (references.size() > kReferencesKept)
            references.pop_back();
        return;
    }
    page.packedStream = qCompress(page.stream, 1);
    page.packedStream.squeeze(); // it comes in a block sized for no compression at all
    page.stream = QByteArray();
}

QByteArray TqxEMFPages::streamOf(qsizetype index) const
{
    const TqxPreparedPage &page = Page(index);
    if (page.packedStream.isEmpty())
        return page.stream;
    if (page.packedAgainst.isEmpty())
        return qUncompress(page.packedStream);
    return expandStreamDelta(page.packedAgainst, page.packedStream);
}

RecordWriter TqxEMFPages::pageWriter(qsizetype index)
{
    TqxPreparedPage &page = Page(index);
    if (!page.packedStream.isEmpty()) {
        page.stream = streamOf(index);
        page.packedStream = QByteArray();
        page.packedAgainst = QByteArray();
    }
    if (page.recordsEnd != page.stream.size())
        return RecordWriter(page.stream, nullptr, nullptr);
    if (page.recordStarts.empty() && !page.keptStarts.empty()) {
        // A finished page written to again takes its notes back.
        page.recordStarts.assign(page.keptStarts.begin(), page.keptStarts.end());
        page.keptStarts = {};
    }
    return RecordWriter(page.stream, &page.recordStarts, &page.recordsEnd);
}

void TqxEMFPages::appendObject(qsizetype index, TqxView &view)
{
    RecordWriter writer = pageWriter(index);
    model::writePreparedObject(writer, view);
}

std::unique_ptr<model::TqxPage> TqxEMFPages::makePageObject(const TqxPreparedPage &page) const
{
    model::SheetRequest sheet;
    sheet.paperCode = page.paperSize;
    sheet.width = page.paperWidth;
    sheet.height = page.paperHeight;
    sheet.bin = page.bin;
    sheet.landscape = page.orientation != 0;
    auto object = std::make_unique<model::TqxPage>(m_paper, sheet);
    object->Margins = page.margins;
    object->UseMargins = page.useMargins;
    object->PageInfo = page.metrics;
    return object;
}

model::TqxPage &TqxEMFPages::Unpack(qsizetype index)
{
    TqxPreparedPage &page = Page(index);
    if (page.unpacked)
        return *page.unpacked;
    auto object = makePageObject(page);
    model::runState().currentPage = object.get();
    PageStreamReader reader(streamOf(index));
    while (std::unique_ptr<TqxView> view = reader.next())
        object->addObject(std::move(view));
    page.unpacked = std::move(object);
    return *page.unpacked;
}

void TqxEMFPages::Pack(qsizetype index)
{
    TqxPreparedPage &page = Page(index);
    if (!page.unpacked)
        return;
    page.stream = emptyStream();
    page.packedStream = QByteArray();
    page.packedAgainst = QByteArray();
    page.recordStarts.clear();
    page.keptStarts = {};
    page.recordsEnd = page.stream.size();
    RecordWriter writer = pageWriter(index);
    for (qsizetype i = 0; i < page.unpacked->objectCount(); ++i) {
        TqxView &view = *page.unpacked->object(i);
        if (!view.ExpandedText.isEmpty() || !view.Memo.isEmpty())
            view.ExpandedText = view.Memo;
        model::writePreparedObject(writer, view);
    }
}

void TqxEMFPages::Draw(qsizetype index, QPainter &painter, const QRect &target, bool printing)
{
    model::runState().drawingMode = model::DrawingMode::Output;
    TqxPreparedPage &page = Page(index);
    if (!page.visible) {
        page.unpacked.reset();
        return;
    }
    model::TqxPage &objects = Unpack(index);
    model::runState().currentPage = &objects;
    const double kx =
        page.metrics.PaperWidthPx ? double(target.width()) / page.metrics.PaperWidthPx : 1.0;
    const double ky =
        page.metrics.PaperHeightPx ? double(target.height()) / page.metrics.PaperHeightPx : 1.0;
    const QRect canvas =
        painter.hasClipping()
            ? painter.clipBoundingRect().toAlignedRect()
            : QRect(QPoint(0, 0), QSize(painter.device()->width(), painter.device()->height()));
    // Device coordinates of objects drawn must fit in the painter's integers; an object beyond
    // this square is off every device anyway, and only a damaged file places one there.
    static const QRectF drawable(-1e7, -1e7, 2e7, 2e7);
    for (qsizetype i = 0; i < objects.objectCount(); ++i) {
        TqxView &view = *objects.object(i);
        const QRectF scaled =
            QRectF(view.Left * kx + target.left() - 10, view.Top * ky + target.top() - 10,
                   view.Width * kx + 20, view.Height * ky + 20)
                .normalized();
        if (!drawable.contains(scaled) || (!printing && !scaled.intersects(QRectF(canvas))))
            continue;
        view.Transform = model::DrawTransform{kx, ky, target.left(), target.top()};
        view.DrawingToPrinter = printing;
        painter.save();
        view.Draw(painter);
        painter.restore();
    }
}

void TqxEMFPages::ExportPage(qsizetype index, TqxExportFilter &filter)
{
    PageStreamReader reader(streamOf(index));
    while (std::unique_ptr<TqxView> view = reader.next())
        filter.exportObject(*view);
}

std::span<const quint32> TqxEMFPages::KeptRecordStarts::keep(const std::vector<quint32> &starts)
{
    if (starts.size() > kBlockEntries) {
        // A block of its own, put first, so that the last block stays the one filling up.
        auto block = std::make_unique_for_overwrite<quint32[]>(starts.size());
        std::copy(starts.begin(), starts.end(), block.get());
        const std::span<const quint32> kept(block.get(), starts.size());
        m_blocks.insert(m_blocks.begin(), std::move(block));
        return kept;
    }
    if (kBlockEntries - m_usedInLast < starts.size()) {
        m_blocks.push_back(std::make_unique_for_overwrite<quint32[]>(kBlockEntries));
        m_usedInLast = 0;
    }
    quint32 *const kept = m_blocks.back().get() + m_usedInLast;
    std::copy(starts.begin(), starts.end(), kept);
    m_usedInLast += starts.size();
    return {kept, starts.size()};
}

PreparedRecord::PreparedRecord(QByteArrayView bytes, std::unique_ptr<model::TqxView> object)
    : m_bytes(bytes)
    , m_object(std::move(object))
{}

PreparedRecord::~PreparedRecord() = default;

model::TqxView &PreparedRecord::object()
{
    if (!m_object) {
        RecordReader reader(m_bytes);
        m_object = readObjectRecord(reader);
        if (!reader.atEnd())
            throw model::ERecordFormat("预备页的对象记录有多余的字节");
    }
    return *m_object;
}

void TqxEMFPages::VisitPageRecords(qsizetype index,
                                   const std::function<void(PreparedRecord &)> &visit)
{
    const TqxPreparedPage &page = Page(index);
    const QByteArray stream = streamOf(index);
    if (notesFitStream(page, stream)) {
        const std::span<const quint32> starts = recordStartsOf(page);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : stream.size();
            PreparedRecord record(QByteArrayView(stream).sliced(starts[i], end - starts[i]));
            visit(record);
        }
        return;
    }
    PageStreamReader reader(stream);
    QByteArrayView bytes;
    while (std::unique_ptr<TqxView> view = reader.next(&bytes)) {
        PreparedRecord record(bytes, std::move(view));
        visit(record);
    }
}

TqxView *TqxEMFPages::HitTest(qsizetype index, const QPoint &point)
{
    TqxPreparedPage &page = Page(index);
    model::TqxPage &objects = Unpack(index);
    double kx = 1, ky = 1, ox = 0, oy = 0;
    if (!page.useMargins && page.metrics.PaperWidthPx && page.metrics.PaperHeightPx) {
        const model::PageMargins &m = page.margins;
        kx = double(page.metrics.PrintWidthPx - m.left - m.right) / page.metrics.PaperWidthPx;
        ky = double(page.metrics.PrintHeightPx - m.top - m.bottom) / page.metrics.PaperHeightPx;
        ox = m.left + page.metrics.OffsetX;
        oy = m.top + page.metrics.OffsetY;
    }
    for (qsizetype i = objects.objectCount() - 1; i >= 0; --i) {
        TqxView &view = *objects.object(i);
        // In doubles: a damaged file may scale a position past what an int holds.
        const double left = std::nearbyint(view.Left * kx + ox);
        const double top = std::nearbyint(view.Top * ky + oy);
        const double right = std::nearbyint((double(view.Left) + view.Width) * kx + ox);
        const double bottom = std::nearbyint((double(view.Top) + view.Height) * ky + oy);
        if (point.x() >= left && point.x() < right && point.y() >= top && point.y() < bottom)
            return &view;
    }
    return nullptr;
}

void TqxEMFPages::WritePagesFile(QIODevice &file, const QString &printerName,
                                 quint8 generatorVersion) const
{
    RecordWriter writer(file);
    writer.writeByte(kStreamVersion);
    writer.writeByte(0); // no compression is installed
    writer.writeStr(printerName);
    writer.writeInt(static_cast<qint32>(Count()));
    // Each entry opens with where the next begins; its paper fields take a fixed 36 bytes, so
    // that is known before the entry is written, and the file is written straight through
    // instead of going back to each entry's start.
    constexpr qint64 kEntryHeaderBytes = 4 + 2 + 4 + 4 + 1 + 4 + 1 + 4 * 4;
    for (qsizetype index = 0; index < Count(); ++index) {
        const TqxPreparedPage *page = m_pages[size_t(index)].get();
        const QByteArray stream = streamOf(index);
        const qint64 entryStart = file.pos();
        writer.writeInt(static_cast<qint32>(entryStart + kEntryHeaderBytes + stream.size()));
        writer.writeWord(static_cast<quint16>(page->paperSize));
        writer.writeInt(page->paperWidth);
        writer.writeInt(page->paperHeight);
        writer.writeByte(page->orientation);
        writer.writeInt(page->bin);
        writer.writeByte(page->useMargins ? 1 : 0);
        writer.writeInt(page->margins.left);
        writer.writeInt(page->margins.top);
        writer.writeInt(page->margins.right);
        writer.writeInt(page->margins.bottom);
        Q_ASSERT(file.pos() == entryStart + kEntryHeaderBytes);
        writer.writeBytes(stream);
    }
    writer.writeByte(generatorVersion);
}

TqxEMFPages::FileHeader TqxEMFPages::ReadPagesFile(QIODevice &file)
{
    Clear();
    FileHeader header;
    RecordReader reader(file);
    int version = file.atEnd() ? 0 : reader.readByte();
    if (version < kOldestVersionByte || version > kNewestVersionByte) {
        version = 0;
        file.seek(0);
    }
    const qint64 flagPos = file.pos();
    const int flag = file.atEnd() ? 0 : reader.readByte();
    if (flag == 0 || flag == 1 || flag == 255) {
        readCurrentFormat(file, version, header);
    } else {
        file.seek(flagPos - (version ? 1 : 0));
        readOldStyleFile(file, header);
    }
    return header;
}

namespace {

/// The paper a page entry starts with; files before version 24 hold no bin and no margins.
std::unique_ptr<TqxPreparedPage> readPaperEntry(RecordReader &reader, bool withBinAndMargins)
{
    auto page = std::make_unique<TqxPreparedPage>();
    page->paperSize = reader.readWord();
    page->paperWidth = reader.readExtent();
    page->paperHeight = reader.readExtent();
    page->orientation = reader.readByte();
    if (withBinAndMargins)
        page->bin = reader.readInt();
    page->useMargins = reader.readByte() != 0;
    if (withBinAndMargins) {
        page->margins.left = reader.readExtent();
        page->margins.top = reader.readExtent();
        page->margins.right = reader.readExtent();
        page->margins.bottom = reader.readExtent();
    }
    return page;
}

} // namespace

void TqxEMFPages::readCurrentFormat(QIODevice &file, int version, FileHeader &header)
{
    RecordReader reader(file);
    header.printerName = reader.readStr();
    const qint32 count = reader.readInt();
    if (count < 0)
        throw model::ERecordFormat("页数为负数");
    for (qint32 i = 0; i < count; ++i) {
        const qint64 nextEntry = static_cast<quint32>(reader.readInt());
        auto page = readPaperEntry(reader, version > 23);
        const qint64 length = nextEntry - file.pos();
        if (length < 0 || nextEntry > file.size())
            throw model::ERecordFormat("页记录超出了文件末尾");
        page->stream = reader.readBytes(length);
        readRecordStarts(*page);
        fillMetrics(*page);
        finishPage(*page);
        m_pages.push_back(std::move(page));
        file.seek(nextEntry);
    }
    header.generatorVersion = file.atEnd() ? 0 : reader.readByte();
}

void TqxEMFPages::readOldStyleFile(QIODevice &file, FileHeader &header)
{
    RecordReader reader(file);
    QByteArray text;
    char byte = 0;
    while (file.getChar(&byte) && byte != 0)
        text.append(byte);
    const QStringList lines = platform::decode8Bit(text).split(u'\r');
    if (!text.isEmpty())
        header.printerName = lines.first();
    const qint32 count = reader.readInt();
    if (count < 0)
        throw model::ERecordFormat("页数为负数");
    for (qint32 i = 0; i < count; ++i) {
        const qint64 nextEntry = static_cast<quint32>(reader.readInt());
        auto page = readPaperEntry(reader, false);
        fillMetrics(*page);
        if (nextEntry > file.size() || nextEntry < file.pos())
            throw model::ERecordFormat("页记录超出了文件末尾");
        // The metafile picture is kept as the page's only object, sized to the paper.
        model::TqxPictureView picture;
        picture.SetBounds(0, 0, page->metrics.PaperWidthPx, page->metrics.PaperHeightPx);
        page->stream = emptyStream();
        page->recordsEnd = page->stream.size();
        RecordWriter writer(page->stream, &page->recordStarts, &page->recordsEnd);
        model::writePreparedObject(writer, picture);
        m_pages.push_back(std::move(page));
        file.seek(nextEntry);
    }
}

void TqxEMFPages::fillMetrics(TqxPreparedPage &page) const
{
    if (!m_paper)
        return;
    model::SheetRequest sheet;
    sheet.paperCode = page.paperSize;
    sheet.width = page.paperWidth;
    sheet.height = page.paperHeight;
    sheet.bin = page.bin;
    sheet.landscape = page.orientation != 0;
    if (const auto selection = m_paper->selectSheet(sheet))
        page.metrics = selection->metrics;
}

} // namespace tovren::engine
