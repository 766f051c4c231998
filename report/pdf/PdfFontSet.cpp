#include "report/pdf/PdfFontSet.h"

#include "report/pdf/FontSource.h"
#include "report/pdf/HbHolders.h"
#include "report/pdf/PdfObjectWriter.h"

#include <QCoreApplication>
#include <QRawFont>
#include <cmath>
#include <cstdio>
#include <map>

namespace tovren::pdf {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("tovren::pdf::PdfFontSet", text);
}

/// A ToUnicode destination holds at most 512 bytes.
constexpr qsizetype maximumTextUnits = 256;
/// The ToUnicode map is written in bfchar blocks of at most this many entries, as the CMap
/// format requires.
constexpr int bfcharBlockSize = 100;

void appendHex4(QByteArray &out, unsigned value)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", value & 0xffffu);
    out.append(hex, 4);
}

/// Thousandths of the em, rounded as syntax::number writes them, so what a page positions
/// by and what /W declares are the same number.
double thousandthsOfEm(int units, int unitsPerEm)
{
    return double(std::llround(units * 10'000'000.0 / unitsPerEm)) / 10000.0;
}

} // namespace

struct PdfFontSet::UsedFont
{
    struct UsedGlyph
    {
        quint32 glyph = 0;
        QString text;
    };

    std::shared_ptr<const FontSource> source;
    int objectNumber = 0;
    std::map<quint16, UsedGlyph> glyphByCode; // ordered, so the output is the same every run

    /// The letters before "+" in the font's name; derived from what the subset holds, because
    /// two runs over the same input must write the same bytes.
    QByteArray subsetTag() const
    {
        quint64 hash = 14695981039346656037ULL; // FNV-1a
        const auto mix = [&hash](quint32 value) {
            for (int shift = 0; shift < 32; shift += 8) {
                hash ^= (value >> shift) & 0xffu;
                hash *= 1099511628211ULL;
            }
        };
        for (const char c : source->postScriptName())
            mix(quint8(c));
        for (const auto &[code, used] : glyphByCode)
            mix(quint32(code) << 16 ^ used.glyph);
        QByteArray tag(6, 'A');
        for (char &letter : tag) {
            letter = char('A' + hash % 26);
            hash /= 26;
        }
        return tag;
    }

    double advance(quint32 glyph) const
    {
        return thousandthsOfEm(source->advanceUnits(glyph), source->unitsPerEm());
    }
};

PdfFontSet::PdfFontSet(PdfObjectWriter &writer)
    : m_writer(writer)
{}

PdfFontSet::~PdfFontSet() = default;

int PdfFontSet::fontIndex(const QRawFont &font)
{
    const QString key = FontSource::faceKey(font);
    if (const auto found = m_indexByFace.constFind(key); found != m_indexByFace.cend())
        return *found;
    std::shared_ptr<const FontSource> source = FontSource::shared(font, &m_error);
    if (!source)
        return -1;
    auto used = std::make_unique<UsedFont>();
    used->source = std::move(source);
    used->objectNumber = m_writer.reserveObject();
    m_fonts.push_back(std::move(used));
    const int index = int(m_fonts.size()) - 1;
    m_indexByFace.insert(key, index);
    return index;
}

int PdfFontSet::objectNumber(int index) const
{
    Q_ASSERT(index >= 0 && size_t(index) < m_fonts.size());
    return m_fonts[size_t(index)]->objectNumber;
}

quint16 PdfFontSet::code(int index, quint32 glyph, QStringView text)
{
    Q_ASSERT(index >= 0 && size_t(index) < m_fonts.size());
    UsedFont &font = *m_fonts[size_t(index)];
    const FontSource &source = *font.source;
    // A glyph the face lacks is drawn as .notdef rather than as some other glyph.
    if (glyph >= quint32(source.glyphCount()))
        glyph = 0;
    // TrueType and name-keyed CFF faces keep their glyph numbers in the subset; a CID-keyed
    // face is renumbered, but its charset keeps each glyph's CID.
    const quint16 code = quint16(source.isCidKeyed() ? source.cid(glyph) : glyph);
    auto [entry, inserted] = font.glyphByCode.try_emplace(code);
    if (inserted)
        entry->second.glyph = glyph;
    if (entry->second.text.isEmpty())
        entry->second.text = text.left(maximumTextUnits).toString();
    return code;
}

double PdfFontSet::advance(int index, quint32 glyph) const
{
    Q_ASSERT(index >= 0 && size_t(index) < m_fonts.size());
    return m_fonts[size_t(index)]->advance(glyph);
}

namespace {

/// A subset font program as it is embedded, and for a TrueType face the map from codes (the
/// face's own glyph numbers) to the subset's glyph numbers.
struct SubsetProgram
{
    QByteArray program;
    QByteArray codeToGlyphMap; // two bytes per code from 0; empty when codes are glyph numbers
};

/// The subset of @p source holding @p glyphs; an empty program when HarfBuzz cannot make one.
SubsetProgram subsetProgram(const FontSource &source, const std::map<quint16, quint32> &glyphs)
{
    const HbSubsetInput input(hb_subset_input_create_or_fail());
    if (!input)
        return {};
    hb_set_t *glyphSet = hb_subset_input_glyph_set(input.get());
    for (const auto &[code, glyph] : glyphs)
        hb_set_add(glyphSet, glyph);
    unsigned flags = HB_SUBSET_FLAGS_NO_HINTING;
    // A name-keyed CFF face is selected by glyph number inside its OpenType wrapper, so it keeps
    // its numbers. A CID-keyed face is renumbered, but its charset keeps each glyph's CID; a
    // TrueType face is renumbered and the CID font maps codes to the new numbers, which keeps
    // a subset of a large face from carrying an empty slot for every glyph below the last.
    const bool trueType = !source.isCff();
    if (source.isCff() && !source.isCidKeyed())
        flags |= HB_SUBSET_FLAGS_RETAIN_GIDS;
    hb_subset_input_set_flags(input.get(), flags);
    // Pages select glyphs by code through the CID font, never through cmap; the names are in
    // the font dictionary already; a PDF gives vertical metrics itself; with the hints gone
    // 'gasp' has nothing to say.
    hb_set_t *dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char *tag : {"cmap", "name", "vhea", "vmtx", "VORG", "gasp", "GSUB", "GPOS", "GDEF",
                            "BASE", "JSTF", "MATH"})
        hb_set_add(dropped, HB_TAG(tag[0], tag[1], tag[2], tag[3]));

    const std::unique_ptr<hb_subset_plan_t, HbDeleter<hb_subset_plan_destroy>> plan(
        hb_subset_plan_create_or_fail(source.subsetFace(), input.get()));
    if (!plan)
        return {};
    SubsetProgram result;
    if (trueType && !glyphs.empty()) {
        const hb_map_t *oldToNew = hb_subset_plan_old_to_new_glyph_mapping(plan.get());
        result.codeToGlyphMap = QByteArray(2 * (qsizetype(glyphs.rbegin()->first) + 1), '\0');
        for (const auto &[code, glyph] : glyphs) {
            const hb_codepoint_t subsetGlyph = hb_map_get(oldToNew, glyph);
            if (subsetGlyph == HB_MAP_VALUE_INVALID)
                continue;
            result.codeToGlyphMap[2 * code] = char(subsetGlyph >> 8);
            result.codeToGlyphMap[2 * code + 1] = char(subsetGlyph & 0xff);
        }
    }
    const HbFace subset(hb_subset_plan_execute_or_fail(plan.get()));
    if (!subset)
        return {};
    // A CID-keyed face goes in as its bare CFF program: inside an OpenType wrapper some
    // viewers take the codes for glyph numbers instead of looking the CIDs up in the charset,
    // and the subset's glyph numbers are not its CIDs.
    const HbBlob blob(source.isCidKeyed()
                          ? hb_face_reference_table(subset.get(), HB_TAG('C', 'F', 'F', ' '))
                          : hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char *data = hb_blob_get_data(blob.get(), &length);
    result.program = QByteArray(data, qsizetype(length));
    return result;
}

/// "/W[first[w w w] first[w]]" over runs of consecutive codes.
QByteArray widthArray(const std::map<quint16, double> &widthByCode)
{
    QByteArray out = "/W[";
    int previous = -2;
    for (const auto &[code, width] : widthByCode) {
        if (code != previous + 1) {
            if (previous >= 0)
                out += "]";
            out += QByteArray::number(code) + "[";
        }
        syntax::appendNumber(out, width);
        previous = code;
    }
    if (previous >= 0)
        out += "]";
    out += "]";
    return out;
}

QByteArray toUnicodeMap(const std::map<quint16, QString> &textByCode)
{
    QByteArray out = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                     "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
    auto entry = textByCode.cbegin();
    while (entry != textByCode.cend()) {
        const int blockSize =
            int(std::min<size_t>(bfcharBlockSize, size_t(std::distance(entry, textByCode.cend()))));
        out += QByteArray::number(blockSize) + " beginbfchar\n";
        for (int i = 0; i < blockSize; ++i, ++entry) {
            out += '<';
            appendHex4(out, entry->first);
            out += "><";
            for (const QChar unit : entry->second)
                appendHex4(out, unit.unicode());
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
    return out;
}

} // namespace

bool PdfFontSet::writeFonts()
{
    for (const std::unique_ptr<UsedFont> &font : m_fonts) {
        const FontSource &source = *font->source;
        std::map<quint16, quint32> glyphByCode;
        std::map<quint16, double> widthByCode;
        std::map<quint16, QString> textByCode;
        for (const auto &[code, used] : font->glyphByCode) {
            glyphByCode.emplace(code, used.glyph);
            widthByCode.emplace(code, font->advance(used.glyph));
            if (!used.text.isEmpty())
                textByCode.emplace(code, used.text);
        }
        const SubsetProgram subset = subsetProgram(source, glyphByCode);
        const QByteArray &program = subset.program;
        if (program.isEmpty()) {
            m_error = tr("无法嵌入字体 %1：无法生成子集").arg(source.familyName());
            return false;
        }

        const QByteArray baseFont = '/' + font->subsetTag() + '+' + source.postScriptName();
        const int cidFont = m_writer.reserveObject();
        const int descriptor = m_writer.reserveObject();
        const int fontFile = m_writer.reserveObject();
        const int toUnicode = textByCode.empty() ? 0 : m_writer.reserveObject();
        const int codeToGlyphMap = subset.codeToGlyphMap.isEmpty() ? 0 : m_writer.reserveObject();
        const auto reference = [](int number) { return QByteArray::number(number) + " 0 R"; };

        QByteArray type0 = "<</Type/Font/Subtype/Type0/BaseFont" + baseFont +
                           "/Encoding/Identity-H/DescendantFonts[" + reference(cidFont) + "]";
        if (toUnicode)
            type0 += "/ToUnicode " + reference(toUnicode);
        m_writer.writeObject(font->objectNumber, type0 + ">>");

        QByteArray cid = QByteArray("<</Type/Font/Subtype/") +
                         (source.isCff() ? "CIDFontType0" : "CIDFontType2") + "/BaseFont" +
                         baseFont +
                         "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>"
                         "/FontDescriptor " +
                         reference(descriptor) + "/DW 1000" + widthArray(widthByCode);
        if (codeToGlyphMap)
            cid += "/CIDToGIDMap " + reference(codeToGlyphMap);
        else if (!source.isCff())
            cid += "/CIDToGIDMap/Identity";
        m_writer.writeObject(cidFont, cid + ">>");

        const int unitsPerEm = source.unitsPerEm();
        const auto scaled = [unitsPerEm](double units) {
            return syntax::number(std::round(units * 1000.0 / unitsPerEm));
        };
        const QRectF box = source.boundingBoxUnits();
        // Symbolic: the glyphs are chosen by code, not by a standard encoding's names.
        const int flags = 4 | (source.italicAngleDegrees() != 0 ? 64 : 0);
        const QByteArray descriptorBody =
            "<</Type/FontDescriptor/FontName" + baseFont + "/Flags " + QByteArray::number(flags) +
            "/FontBBox[" + scaled(box.left()) + ' ' + scaled(box.top()) + ' ' +
            scaled(box.right()) + ' ' + scaled(box.bottom()) + "]/ItalicAngle " +
            syntax::number(source.italicAngleDegrees()) + "/Ascent " +
            scaled(source.ascentUnits()) + "/Descent " + scaled(source.descentUnits()) +
            "/CapHeight " + scaled(source.capHeightUnits()) +
            // No table records stem widths; viewers only use it to imitate a missing face.
            "/StemV 80" + (source.isCff() ? "/FontFile3 " : "/FontFile2 ") + reference(fontFile) +
            ">>";
        m_writer.writeObject(descriptor, descriptorBody);

        const QByteArray fontFileEntries =
            source.isCidKeyed() ? QByteArray("/Subtype/CIDFontType0C")
            : source.isCff()    ? QByteArray("/Subtype/OpenType")
                                : "/Length1 " + QByteArray::number(program.size());
        m_writer.writeStream(fontFile, fontFileEntries, program);
        if (codeToGlyphMap)
            m_writer.writeStream(codeToGlyphMap, {}, subset.codeToGlyphMap);
        if (toUnicode)
            m_writer.writeStream(toUnicode, {}, toUnicodeMap(textByCode));
    }
    return true;
}

} // namespace tovren::pdf
