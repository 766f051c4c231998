#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace tovren::pdf {

/// What a PDF writer needs from the first font of a 'CFF ' table: whether it is CID-keyed and,
/// if so, which CID each glyph carries.
///
/// A PDF viewer selects a glyph of an embedded CID-keyed CFF font by its CID through the
/// font's charset, so pages must be written with CIDs, not glyph numbers.
class CffCharset
{
public:
    /// Reads @p table; nothing, with @p error set, when it is malformed. Every offset is
    /// checked against the table, so a damaged table is refused, never read past.
    static std::optional<CffCharset> read(QByteArrayView table, QString *error);

    bool isCidKeyed() const { return m_cidKeyed; }
    int glyphCount() const { return m_glyphCount; }
    /// The CID of @p glyph; for a font that is not CID-keyed, or a glyph outside the font, the
    /// glyph number itself.
    quint32 cid(quint32 glyph) const
    {
        return m_cidKeyed && glyph < m_cidByGlyph.size() ? m_cidByGlyph[glyph] : glyph;
    }

private:
    bool m_cidKeyed = false;
    int m_glyphCount = 0;
    std::vector<quint16> m_cidByGlyph; // only filled for a CID-keyed font
};

} // namespace tovren::pdf
