#include "report/pdf/FontSource.h"

#include "report/pdf/HbHolders.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <fontconfig/fontconfig.h>

namespace tovren::pdf {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("tovren::pdf::FontSource", text);
}

/// The tables a PDF viewer may need to draw, measure or identify the face; layout tables are
/// left behind because the pages carry glyphs already shaped.
constexpr std::array<const char *, 18> embeddedTables = {
    "head", "hhea", "hmtx", "maxp", "cmap", "OS/2", "post", "name", "glyf",
    "loca", "cvt ", "fpgm", "prep", "gasp", "CFF ", "VORG", "vhea", "vmtx"};

hb_tag_t tagOf(const char *name)
{
    return HB_TAG(name[0], name[1], name[2], name[3]);
}

qint32 bigEndianAt(const QByteArray &table, qsizetype offset, int byteCount)
{
    if (offset < 0 || offset > table.size() - byteCount)
        return 0;
    quint32 value = 0;
    for (int i = 0; i < byteCount; ++i)
        value = value << 8 | quint8(table[offset + i]);
    // Sign-extend: every field read here is signed or small enough not to care.
    return byteCount == 2 ? qint32(qint16(value)) : qint32(value);
}

QByteArray pdfNameCharacters(QByteArrayView text)
{
    QByteArray name;
    for (const char c : text) {
        const bool delimiter = QByteArrayView("()<>[]{}/%#").contains(c);
        if (c > 0x20 && c < 0x7f && !delimiter)
            name += c;
    }
    // Room for the subset tag within the 127 bytes a PDF name may hold.
    name.truncate(100);
    return name;
}

QByteArray postScriptNameOf(hb_face_t *face, const QString &familyName)
{
    char buffer[128] = {};
    unsigned size = sizeof buffer;
    hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size, buffer);
    QByteArray name = pdfNameCharacters(QByteArrayView(buffer, qsizetype(size)));
    if (name.isEmpty())
        name = pdfNameCharacters(familyName.toLatin1());
    return name.isEmpty() ? QByteArray("Font") : name;
}

QByteArray tableOf(hb_face_t *face, const char *name)
{
    const HbBlob blob(hb_face_reference_table(face, tagOf(name)));
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob.get(), &length);
    return QByteArray(data, qsizetype(length));
}

template<auto destroy>
struct FcDeleter
{
    template<typename T>
    void operator()(T *object) const
    {
        destroy(object);
    }
};

/// @p font's face read straight from the file the font configuration names for it, mapped
/// rather than copied, so only the pages subsetting touches take memory; null when no file
/// holds that very face.
HbFace mappedFaceOf(const QRawFont &font)
{
    const std::unique_ptr<FcPattern, FcDeleter<FcPatternDestroy>> pattern(FcPatternCreate());
    const QByteArray family = font.familyName().toUtf8();
    const QByteArray style = font.styleName().toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.data()));
    if (!style.isEmpty())
        FcPatternAddString(pattern.get(), FC_STYLE,
                           reinterpret_cast<const FcChar8 *>(style.data()));
    const std::unique_ptr<FcObjectSet, FcDeleter<FcObjectSetDestroy>> objects(
        FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr));
    const std::unique_ptr<FcFontSet, FcDeleter<FcFontSetDestroy>> candidates(
        FcFontList(nullptr, pattern.get(), objects.get()));
    if (!candidates)
        return {};
    // The face's header, with its checksum and dates, tells one face from another.
    const QByteArray head = font.fontTable("head");
    for (int i = 0; i < candidates->nfont; ++i) {
        FcChar8 *file = nullptr;
        int index = 0;
        if (FcPatternGetString(candidates->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcPatternGetInteger(candidates->fonts[i], FC_INDEX, 0, &index);
        const HbBlob blob(hb_blob_create_from_file_or_fail(reinterpret_cast<const char *>(file)));
        if (!blob)
            continue;
        HbFace face(hb_face_create(blob.get(), unsigned(index)));
        if (!head.isEmpty() && tableOf(face.get(), "head") == head)
            return face;
    }
    return {};
}

/// Hands out the tables of @p fullFace a subset is made from; the others read as absent, so
/// the subsetter spends no time on character maps, names and layout the PDF does not embed.
template<const char *const *Tables, std::size_t Count>
hb_blob_t *subsetTable(hb_face_t *, hb_tag_t tag, void *fullFace)
{
    for (std::size_t i = 0; i < Count; ++i)
        if (tag == tagOf(Tables[i]))
            return hb_face_reference_table(static_cast<hb_face_t *>(fullFace), tag);
    return hb_blob_get_empty();
}

// A CID-keyed face is embedded as its bare program; the metrics tables let the subsetter count
// and measure glyphs.
constexpr const char *kCidProgramTables[] = {"CFF ", "head", "hhea", "hmtx", "maxp"};
constexpr const char *kCffFontTables[] = {"CFF ", "head", "hhea", "hmtx", "maxp", "post", "OS/2"};
// Hints are dropped from the subset, so their programs are left behind too.
constexpr const char *kTrueTypeTables[] = {"head", "hhea", "hmtx", "maxp",
                                           "glyf", "loca", "post", "OS/2"};

void releaseFace(void *face)
{
    hb_face_destroy(static_cast<hb_face_t *>(face));
}

/// The process-wide cache: a run writes one PDF per record, and reading a large CJK face for
/// each would cost far more than drawing the pages.
struct SourceCache
{
    struct Entry
    {
        std::shared_ptr<const FontSource> source;
        QString error; // a face that cannot be read is not read again
    };
    QMutex mutex;
    QHash<QString, Entry> entries;
};

SourceCache &sourceCache()
{
    static SourceCache cache;
    return cache;
}

} // namespace

void FontSource::FaceDeleter::operator()(hb_face_t *face) const
{
    hb_face_destroy(face);
}

FontSource::~FontSource() = default;

QString FontSource::faceKey(const QRawFont &font)
{
    return font.familyName() + u'\n' + font.styleName() + u'\n' + QString::number(font.weight()) +
           u'\n' + QString::number(int(font.style()));
}

std::shared_ptr<const FontSource> FontSource::shared(const QRawFont &font, QString *error)
{
    SourceCache &cache = sourceCache();
    const QString key = faceKey(font);
    // Held while a face is read, so two threads asking for the same face read it once.
    const QMutexLocker lock(&cache.mutex);
    auto found = cache.entries.constFind(key);
    if (found == cache.entries.cend()) {
        SourceCache::Entry entry;
        entry.source = load(font, &entry.error);
        found = cache.entries.insert(key, std::move(entry));
    }
    if (!found->source && error)
        *error = found->error;
    return found->source;
}

namespace {

/// @p font's face assembled from the tables Qt reads for it, for faces no file can be found for.
HbFace faceBuiltFromTables(const QRawFont &font, QByteArrayList *present)
{
    // The builder refers to the table bytes until it is serialised, so they must outlive it.
    std::vector<QByteArray> tables;
    tables.reserve(embeddedTables.size());
    HbFace builder(hb_face_builder_create());
    for (const char *name : embeddedTables) {
        QByteArray table = font.fontTable(name);
        if (table.isEmpty())
            continue;
        present->append(QByteArray(name, 4));
        tables.push_back(std::move(table));
        const HbBlob blob(hb_blob_create(tables.back().constData(), unsigned(tables.back().size()),
                                         HB_MEMORY_MODE_READONLY, nullptr, nullptr));
        hb_face_builder_add_table(builder.get(), tagOf(name), blob.get());
    }
    const HbBlob serialised(hb_face_reference_blob(builder.get()));
    return HbFace(hb_face_create(serialised.get(), 0));
}

} // namespace

std::shared_ptr<const FontSource> FontSource::load(const QRawFont &font, QString *error)
{
    const QString family = font.familyName();
    const auto refuse = [&](const QString &why) -> std::shared_ptr<const FontSource> {
        if (error)
            *error = tr("无法嵌入字体 %1：%2").arg(family, why);
        return nullptr;
    };
    if (!font.isValid())
        return refuse(tr("找不到该字体"));

    QByteArrayList present;
    HbFace loaded = mappedFaceOf(font);
    if (loaded) {
        for (const char *name : embeddedTables) {
            const HbBlob table(hb_face_reference_table(loaded.get(), tagOf(name)));
            if (hb_blob_get_length(table.get()) > 0)
                present.append(QByteArray(name, 4));
        }
    } else {
        loaded = faceBuiltFromTables(font, &present);
    }
    for (const char *required : {"head", "hhea", "hmtx", "maxp"}) {
        if (!present.contains(required))
            return refuse(tr("缺少 %1 表").arg(QString::fromLatin1(required)));
    }
    const bool hasGlyf = present.contains("glyf") && present.contains("loca");
    const bool hasCff = present.contains("CFF ");
    if (!hasGlyf && !hasCff)
        return refuse(tr("没有可嵌入的字形轮廓"));
    const QByteArray head = tableOf(loaded.get(), "head");
    const QByteArray post = tableOf(loaded.get(), "post");

    std::shared_ptr<FontSource> source(new FontSource);
    source->m_familyName = family;

    // head: unitsPerEm at 18, then the glyph box xMin yMin xMax yMax at 36..43.
    const int unitsPerEm = bigEndianAt(head, 18, 2);
    if (head.size() < 54 || unitsPerEm < 16 || unitsPerEm > 16384)
        return refuse(tr("head 表已损坏"));
    source->m_unitsPerEm = unitsPerEm;
    source->m_boundingBoxUnits =
        QRectF(QPointF(bigEndianAt(head, 36, 2), bigEndianAt(head, 38, 2)),
               QPointF(bigEndianAt(head, 40, 2), bigEndianAt(head, 42, 2)));
    // post: the italic angle as 16.16 fixed point at 4.
    source->m_italicAngleDegrees = bigEndianAt(post, 4, 4) / 65536.0;

    if (hasCff && !hasGlyf) {
        // Read in place: the table of a large face runs to tens of megabytes.
        const HbBlob table(hb_face_reference_table(loaded.get(), tagOf("CFF ")));
        unsigned length = 0;
        const char *data = hb_blob_get_data(table.get(), &length);
        QString cffError;
        source->m_cff =
            CffCharset::read(QByteArray::fromRawData(data, qsizetype(length)), &cffError);
        if (!source->m_cff)
            return refuse(cffError);
    }

    source->m_face.reset(loaded.release());
    hb_face_t *face = source->m_face.get();
    const unsigned glyphCount = hb_face_get_glyph_count(face);
    if (glyphCount == 0)
        return refuse(tr("maxp 表已损坏"));
    source->m_postScriptName = postScriptNameOf(face, family);

    // At a scale of one em per unit HarfBuzz reports metrics in font units.
    const HbFont hbFont(hb_font_create(face));
    hb_font_set_scale(hbFont.get(), unitsPerEm, unitsPerEm);
    source->m_advanceUnits.resize(glyphCount);
    for (unsigned glyph = 0; glyph < glyphCount; ++glyph)
        source->m_advanceUnits[glyph] = quint16(
            std::clamp<hb_position_t>(hb_font_get_glyph_h_advance(hbFont.get(), glyph), 0, 0xffff));
    hb_position_t position = 0;
    if (hb_ot_metrics_get_position(hbFont.get(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &position))
        source->m_ascentUnits = position;
    if (hb_ot_metrics_get_position(hbFont.get(), HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &position))
        source->m_descentUnits = -std::abs(position);
    source->m_capHeightUnits =
        hb_ot_metrics_get_position(hbFont.get(), HB_OT_METRICS_TAG_CAP_HEIGHT, &position)
            ? position
            : source->m_ascentUnits;

    hb_reference_table_func_t tables = nullptr;
    if (source->isCidKeyed())
        tables = subsetTable<kCidProgramTables, std::size(kCidProgramTables)>;
    else if (source->isCff())
        tables = subsetTable<kCffFontTables, std::size(kCffFontTables)>;
    else
        tables = subsetTable<kTrueTypeTables, std::size(kTrueTypeTables)>;
    source->m_subsetFace.reset(
        hb_face_create_for_tables(tables, hb_face_reference(face), releaseFace));
    hb_face_set_upem(source->m_subsetFace.get(), unsigned(unitsPerEm));
    hb_face_set_glyph_count(source->m_subsetFace.get(), glyphCount);
    return source;
}

} // namespace tovren::pdf
