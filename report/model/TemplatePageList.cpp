#include "report/model/TemplatePageList.h"

#include "report/model/ObjectRecord.h"
#include "report/model/PageRecord.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TemplateBlockHandler.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPages.h"
#include "report/platform/StringTable.h"

#include <optional>

namespace tovren::model {

namespace {

constexpr quint8 kPageMarker = 255;
constexpr quint8 kDictionaryMarker = 254;
constexpr quint8 kExtensionMarker = 253;
constexpr quint8 kEndMarker = 252;
constexpr quint8 kLastObjectKind = 10;
constexpr int kVirtualPrinterString = 55007;
const QString kVirtualPrinterMark = QStringLiteral("\x01");

bool kindMakesObject(quint8 kind)
{
    return kind <= okLine || kind == okAddIn;
}

/// Reads one object record of a template onto its page, stepping over what cannot be read.
class ObjectRecordReader
{
public:
    ObjectRecordReader(RecordReader &reader, TqxPages &pages)
        : m_reader(reader)
        , m_pages(pages)
    {}

    void read(quint8 kind, qint64 recordStart)
    {
        m_recordStart = recordStart;
        m_endPosition.reset();
        try {
            readObject(kind);
        } catch (const EClassNotFound &) {
            stepOverFailedRecord();
        } catch (const ERecordFormat &) {
            stepOverFailedRecord();
        }
    }

private:
    void readObject(quint8 kind)
    {
        QString className;
        if (kind == okAddIn)
            className = canonicalAddInClassName(m_reader.readStr());
        const bool framedText = kind == okAddIn && isFramedTextClass(className);
        const quint8 pageIndex = m_reader.readByte();
        TqxPage *page = m_pages.page(pageIndex);
        if (!page)
            throw ERecordFormat("对象记录所属的页不存在");
        runState().currentPage = page;

        std::unique_ptr<TqxView> created;
        if (kindMakesObject(kind))
            created = TqxGlobals::instance().objects.CreateObjectByKind(
                framedText ? quint8(okText) : kind, className);
        if (!created) {
            // Nothing to read into: the end position is the only way over the record.
            stepOverFailedRecord();
            return;
        }
        if (m_reader.version() >= 24)
            m_endPosition = m_reader.readInt();
        // Read before it joins the page, so a damaged record leaves no half-read object behind.
        TqxView &view = *created;
        view.RecordMode = 0;
        view.ReadRecord(m_reader);
        if (m_reader.version() < 23)
            view.MakeUniqueName(
                [&](const QString &name) { return m_pages.isObjectNameTaken(name); });
        if (framedText)
            m_reader.readBytes(kFramedTextTrailerBytes);
        page->addObject(std::move(created));
        view.SetPropertyValue(QStringLiteral("Name"), script::Variant(view.Name));
        if (m_endPosition && *m_endPosition != 0)
            seekForward(*m_endPosition);
    }

    void stepOverFailedRecord()
    {
        // Older records carry no end position; reading goes on from where it stopped.
        if (m_reader.version() < 24)
            return;
        if (!m_endPosition)
            m_endPosition = m_reader.readInt();
        if (*m_endPosition == 0)
            throw ERecordFormat("损坏的对象记录没有结束位置");
        seekForward(*m_endPosition);
    }

    void seekForward(qint64 position)
    {
        // An end position at or before the record's start would read the same bytes forever.
        if (position <= m_recordStart)
            throw ERecordFormat("对象记录的结束位置在其开始之前");
        m_reader.seek(position);
    }

    RecordReader &m_reader;
    TqxPages &m_pages;
    qint64 m_recordStart = 0;
    std::optional<qint64> m_endPosition;
};

void notifyLoaded(const TqxPages &pages)
{
    for (qsizetype p = 0; p < pages.Count(); ++p) {
        const TqxPage *page = pages.page(p);
        for (qsizetype i = 0; i < page->objectCount(); ++i)
            page->object(i)->AfterTemplateLoad();
    }
}

/// Calls AfterTemplateLoad on every object when the read ends, however it ends.
class LoadedNotification
{
public:
    explicit LoadedNotification(const TqxPages &pages)
        : m_pages(pages)
    {}
    ~LoadedNotification() { notifyLoaded(m_pages); }
    LoadedNotification(const LoadedNotification &) = delete;
    LoadedNotification &operator=(const LoadedNotification &) = delete;

private:
    const TqxPages &m_pages;
};

} // namespace

PagePartEnd readPageList(RecordReader &reader, TqxPages &pages, TemplateSettings &settings,
                         TemplateBlockHandler &blocks)
{
    pages.Clear();
    blocks.clearDictionary();
    settings.twoPass = false;
    settings.useDefaultPrinter = reader.readBool16();
    settings.twoPass = reader.readBool16();
    const QString printer = reader.readStr();
    settings.printerName = printer == kVirtualPrinterMark
                               ? platform::LoadLibraryString(kVirtualPrinterString)
                               : printer;

    const LoadedNotification notification(pages);
    ObjectRecordReader objects(reader, pages);
    while (!reader.atEnd()) {
        const qint64 recordStart = reader.pos();
        const quint8 marker = reader.readByte();
        if (marker == kPageMarker) {
            TqxPage *page = pages.page(pages.Add());
            readPageRecord(reader, *page,
                           [&](const QString &name) { return pages.isPageNameTaken(name); });
        } else if (marker == kDictionaryMarker) {
            blocks.readDictionary(reader);
        } else if (marker == kExtensionMarker) {
            if (!blocks.readExtension(reader))
                return PagePartEnd::UnreadExtension;
        } else if (marker == kEndMarker) {
            return PagePartEnd::EndMarker;
        } else if (marker <= kLastObjectKind) {
            objects.read(marker, recordStart);
        } else {
            throw ERecordFormat("模板中有未知的块标记");
        }
    }
    return PagePartEnd::EndOfStream;
}

void writePageList(RecordWriter &writer, const TqxPages &pages, const TemplateSettings &settings,
                   const TemplateBlockHandler &blocks)
{
    writer.writeBool16(settings.useDefaultPrinter);
    writer.writeBool16(settings.twoPass);
    const bool virtualPrinter =
        settings.printerName == platform::LoadLibraryString(kVirtualPrinterString);
    writer.writeStr(virtualPrinter ? kVirtualPrinterMark : settings.printerName);
    for (qsizetype p = 0; p < pages.Count(); ++p) {
        writer.writeByte(kPageMarker);
        writePageRecord(writer, *pages.page(p));
    }
    for (qsizetype p = 0; p < pages.Count(); ++p) {
        const TqxPage *page = pages.page(p);
        for (qsizetype i = 0; i < page->objectCount(); ++i) {
            TqxView &view = *page->object(i);
            writer.writeByte(view.ObjectKind);
            if (view.ObjectKind == okAddIn)
                writer.writeStr(view.className());
            writer.writeByte(static_cast<quint8>(p));
            const qint64 placeholder = writer.pos();
            writer.writeInt(0);
            {
                const RecordModeScope design(view, 0);
                view.WriteRecord(writer);
            }
            writer.patchInt(placeholder, static_cast<qint32>(writer.pos()));
        }
    }
    writer.writeByte(kDictionaryMarker);
    blocks.writeDictionary(writer);
}

} // namespace tovren::model
