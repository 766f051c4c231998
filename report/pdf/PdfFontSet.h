#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <memory>

class QRawFont;

namespace tovren::pdf {

class PdfObjectWriter;
class FontSource;

/// The fonts one PDF document draws with, each embedded at the end as a subset of the glyphs
/// the pages used.
///
/// Pages write two-byte codes as they go; which code selects a glyph is fixed by the face alone
/// (its glyph number, or its CID in a CID-keyed CFF face), so no page has to be rewritten when
/// the subset is made. Every code is written into the font's ToUnicode map with the characters
/// it was drawn for, so search and copy in a viewer find the text.
class PdfFontSet
{
public:
    explicit PdfFontSet(PdfObjectWriter &writer);
    ~PdfFontSet();
    PdfFontSet(const PdfFontSet &) = delete;
    PdfFontSet &operator=(const PdfFontSet &) = delete;

    /// This document's number for @p font's face, whatever its size; -1 with error() when the
    /// face's tables cannot be read.
    int fontIndex(const QRawFont &font);
    /// Object number of font @p index's Type0 dictionary, for the page resources ("/F<index>").
    int objectNumber(int index) const;
    /// The code that selects @p glyph of font @p index, noting @p text as what it stands for.
    quint16 code(int index, quint32 glyph, QStringView text);
    /// The advance of @p glyph as the embedded font declares it, in thousandths of the em.
    double advance(int index, quint32 glyph) const;

    /// Writes every font used; false with error() when one cannot be subset.
    bool writeFonts();
    QString error() const { return m_error; }

private:
    struct UsedFont;
    PdfObjectWriter &m_writer;
    std::vector<std::unique_ptr<UsedFont>> m_fonts;
    QHash<QString, int> m_indexByFace;
    QString m_error;
};

} // namespace tovren::pdf
