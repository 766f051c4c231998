#pragma once

#include "report/engine/StreamDelta.h"
#include "report/model/RecordStream.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPageMetrics.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class QIODevice;
class QPainter;

namespace tovren::engine {

class TqxExportFilter;

/// One object record of a prepared page: its bytes, and the object they make, read only when
/// asked for. The bytes stay valid while the record is visited.
class PreparedRecord
{
public:
    explicit PreparedRecord(QByteArrayView bytes, std::unique_ptr<model::TqxView> object = {});
    ~PreparedRecord();
    PreparedRecord(const PreparedRecord &) = delete;
    PreparedRecord &operator=(const PreparedRecord &) = delete;

    /// Kind byte, add-in class name, prepared record.
    QByteArrayView bytes() const { return m_bytes; }
    quint8 kind() const { return static_cast<quint8>(m_bytes.front()); }
    /// The object the record makes; raises model::ERecordFormat for a damaged record.
    model::TqxView &object();

private:
    QByteArrayView m_bytes;
    std::unique_ptr<model::TqxView> m_object;
};

/// One prepared page: the paper settings it was built for and the packed records of the objects
/// written on it.
struct TqxPreparedPage
{
    QRect previewRect;
    int paperSize = 0;
    model::TenthsMm paperWidth = 0;
    model::TenthsMm paperHeight = 0;
    quint8 orientation = 0;
    qint32 bin = -1;
    bool useMargins = false;
    model::PageMargins margins;
    model::TqxPageMetrics metrics;
    /// Set by the preview for pages on screen and by printing for the page being printed.
    bool visible = false;
    /// Version byte 25, then object records: kind byte, add-in class name, prepared record.
    /// Empty while the page is kept packed (see TqxEMFPages::streamOf()).
    QByteArray stream;
    /// In a long run a finished page keeps its stream packed here instead: as differences
    /// from packedAgainst, the stream of a like page, or, for a page unlike those before it,
    /// compressed by zlib with packedAgainst empty. Empty otherwise.
    QByteArray packedStream;
    QByteArray packedAgainst;
    /// Where each object record of the stream begins, so that a record's bytes can be taken
    /// without reading the records before it (records carry no length). Noted here while the
    /// page is written or read, kept in keptStarts once it is finished; when not known,
    /// readers read the stream from its start.
    std::vector<quint32> recordStarts;
    std::span<const quint32> keptStarts;
    /// Where the last noted record ends; the notes hold only while this is the stream's end.
    qint64 recordsEnd = -1;
    /// The scan of the blank form under the template page it was built from, for the preview
    /// to show on request. Kept beside the stream, never in it: it is not printed, not exported
    /// and not saved with the prepared report.
    std::shared_ptr<const model::FormImage> formImage;
    /// The live objects of the page, made by Unpack on demand.
    std::unique_ptr<model::TqxPage> unpacked;
};

/// The prepared pages of a report: the output of a build, kept packed as object streams and
/// unpacked into live objects only while a page is drawn, searched or edited.
///
/// It draws any page at any scale onto any painter, hands pages to an export filter, finds the
/// object under a point and reads and writes the prepared-report file. Reading a damaged file
/// raises model::ERecordFormat and keeps the pages read before the damage.
class TqxEMFPages
{
public:
    static constexpr quint8 kStreamVersion = 25;

    /// Pages unpack and read files with paper chosen through @p paper (may be null).
    explicit TqxEMFPages(model::PaperSelector *paper = nullptr);
    ~TqxEMFPages();

    qsizetype Count() const { return static_cast<qsizetype>(m_pages.size()); }
    TqxPreparedPage &Page(qsizetype index) { return *m_pages.at(index); }
    const TqxPreparedPage &Page(qsizetype index) const { return *m_pages.at(index); }

    void Clear()
    {
        m_pages.clear();
        m_keptStarts.clear();
        m_finishedBytes = 0;
        m_packing = {};
    }
    /// Exchanges the pages with @p other; each store keeps its own paper selector.
    void swapPages(TqxEMFPages &other) noexcept
    {
        m_pages.swap(other.m_pages);
        m_keptStarts.swap(other.m_keptStarts);
        std::swap(m_finishedBytes, other.m_finishedBytes);
        std::swap(m_packing, other.m_packing);
    }
    void Delete(qsizetype index);
    /// A new page before @p index (at the end when @p index is not below Count) with the paper
    /// settings of @p templatePage and an empty object stream.
    TqxPreparedPage &Insert(qsizetype index, const model::TqxPage &templatePage);
    /// Insert at the end, then the begin-page event with the new page's index.
    TqxPreparedPage &Add(const model::TqxPage &templatePage);
    void setOnBeginPage(std::function<void(int pageIndex)> handler)
    {
        m_onBeginPage = std::move(handler);
    }

    /// Page @p index's object stream, expanded if the page is kept packed.
    QByteArray streamOf(qsizetype index) const;
    /// A writer appending object records to page @p index, noting where each begins; a
    /// packed page is expanded for good. Valid until the page's stream changes otherwise.
    model::RecordWriter pageWriter(qsizetype index);
    /// Once the finished pages' streams pass @p bytes, further finished pages are kept packed.
    /// The default keeps the pages of short runs plain; 10,000 certificates would otherwise
    /// keep 35 MB of streams, 100,000 over 350 MB.
    void setPackAboveBytes(qint64 bytes) { m_packAboveBytes = bytes; }

    /// Appends @p view's prepared record to page @p index as it stands, for pages made without
    /// a build (the calibration page).
    void appendObject(qsizetype index, model::TqxView &view);

    /// Makes the live objects of page @p index, unless they exist; returns them.
    model::TqxPage &Unpack(qsizetype index);
    /// Rewrites page @p index's stream from its live objects.
    void Pack(qsizetype index);

    /// Draws page @p index scaled to @p target on @p painter; a page whose visible flag is clear
    /// only loses its unpacked objects. @p printing draws every object, visible on the canvas
    /// or not.
    void Draw(qsizetype index, QPainter &painter, const QRect &target, bool printing = false);
    /// Hands every object of page @p index to @p filter, each made from its record and
    /// destroyed afterwards.
    void ExportPage(qsizetype index, TqxExportFilter &filter);
    /// Hands every object record of page @p index to @p visit, in order. Equal records make
    /// equal objects, so a visitor may remember what it found for a record's bytes instead of
    /// reading the object again.
    void VisitPageRecords(qsizetype index, const std::function<void(PreparedRecord &)> &visit);
    /// The topmost object of page @p index under @p point (preview coordinates), or nullptr.
    model::TqxView *HitTest(qsizetype index, const QPoint &point);

    /// Writes the prepared-report file; @p printerName is stored for the reader.
    void WritePagesFile(QIODevice &file, const QString &printerName,
                        quint8 generatorVersion) const;
    struct FileHeader
    {
        QString printerName;
        quint8 generatorVersion = 0;
    };
    /// Replaces the pages with those of a prepared-report file.
    FileHeader ReadPagesFile(QIODevice &file);

private:
    void readCurrentFormat(QIODevice &file, int version, FileHeader &header);
    void readOldStyleFile(QIODevice &file, FileHeader &header);
    void fillMetrics(TqxPreparedPage &page) const;
    /// Gives a finished page's spare room back, and packs its stream once the finished pages
    /// hold more than m_packAboveBytes.
    void finishPage(TqxPreparedPage &page);
    void pack(TqxPreparedPage &page);
    std::unique_ptr<model::TqxPage> makePageObject(const TqxPreparedPage &page) const;

    model::PaperSelector *m_paper;
    /// Keeps the record notes of finished pages in large shared blocks. A small block of its
    /// own per page, kept between the page streams a long run frees, stops the heap from
    /// reusing them: at 100,000 pages that cost a hundred megabytes more than the notes.
    class KeptRecordStarts
    {
    public:
        std::span<const quint32> keep(const std::vector<quint32> &starts);
        void clear()
        {
            m_blocks.clear();
            m_usedInLast = kBlockEntries;
        }
        void swap(KeptRecordStarts &other) noexcept
        {
            m_blocks.swap(other.m_blocks);
            std::swap(m_usedInLast, other.m_usedInLast);
        }

    private:
        static constexpr std::size_t kBlockEntries = 16384;
        std::vector<std::unique_ptr<quint32[]>> m_blocks;
        std::size_t m_usedInLast = kBlockEntries;
    };

    std::vector<std::unique_ptr<TqxPreparedPage>> m_pages;
    KeptRecordStarts m_keptStarts;
    qint64 m_packAboveBytes = 1024 * 1024;
    qint64 m_finishedBytes = 0;
    struct Packing
    {
        /// The pages others were last kept as differences from, the latest used first.
        std::vector<std::shared_ptr<const StreamDeltaReference>> references;
        qsizetype pagesPacked = 0;
        qsizetype referencesMade = 0;
    };
    Packing m_packing;
    std::function<void(int)> m_onBeginPage;
};

} // namespace tovren::engine
