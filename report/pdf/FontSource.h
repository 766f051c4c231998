#pragma once

#include "report/pdf/CffCharset.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QRawFont;
struct hb_face_t;

namespace tovren::pdf {

/// One font face read for embedding: its tables as a HarfBuzz face to subset, and the metrics
/// a PDF font descriptor declares, all in font units.
///
/// A face is read once per process through shared(), which any thread may call; the object is
/// immutable afterwards, so threads share it without locking.
class FontSource
{
public:
    /// The face of @p font from the process-wide cache, read on first use; null with @p error
    /// when its tables cannot be read. Size, hinting and the like do not matter.
    static std::shared_ptr<const FontSource> shared(const QRawFont &font, QString *error);
    /// Reads @p font's face without the cache.
    static std::shared_ptr<const FontSource> load(const QRawFont &font, QString *error);
    /// What identifies a face in the cache.
    static QString faceKey(const QRawFont &font);

    ~FontSource();
    FontSource(const FontSource &) = delete;
    FontSource &operator=(const FontSource &) = delete;

    /// The face to subset; HarfBuzz faces may be used from several threads at once.
    hb_face_t *face() const { return m_face.get(); }
    /// The face to subset from: only the tables an embedded subset keeps, since the others
    /// would cost the subsetter far more than the glyphs.
    hb_face_t *subsetFace() const { return m_subsetFace.get(); }
    QString familyName() const { return m_familyName; }
    /// The name for /BaseFont and /FontName, made of PDF name characters only.
    QByteArray postScriptName() const { return m_postScriptName; }

    int unitsPerEm() const { return m_unitsPerEm; }
    int glyphCount() const { return int(m_advanceUnits.size()); }
    /// True for outlines in a 'CFF ' table, false for TrueType 'glyf' outlines.
    bool isCff() const { return m_cff.has_value(); }
    bool isCidKeyed() const { return m_cff && m_cff->isCidKeyed(); }
    /// The CID of @p glyph in a CID-keyed CFF face; the glyph number otherwise.
    quint32 cid(quint32 glyph) const { return m_cff ? m_cff->cid(glyph) : glyph; }
    /// Horizontal advance of @p glyph; 0 for a glyph the face does not have.
    int advanceUnits(quint32 glyph) const
    {
        return glyph < m_advanceUnits.size() ? m_advanceUnits[glyph] : 0;
    }

    /// The union of all glyph boxes, from 'head' (y up).
    QRectF boundingBoxUnits() const { return m_boundingBoxUnits; }
    int ascentUnits() const { return m_ascentUnits; }
    /// Negative below the baseline, as PDF wants it.
    int descentUnits() const { return m_descentUnits; }
    int capHeightUnits() const { return m_capHeightUnits; }
    /// Degrees counter-clockwise from vertical; negative for a face leaning right.
    double italicAngleDegrees() const { return m_italicAngleDegrees; }

private:
    FontSource() = default;

    struct FaceDeleter
    {
        void operator()(hb_face_t *face) const;
    };
    std::unique_ptr<hb_face_t, FaceDeleter> m_face;
    std::unique_ptr<hb_face_t, FaceDeleter> m_subsetFace;
    QString m_familyName;
    QByteArray m_postScriptName;
    int m_unitsPerEm = 1000;
    std::vector<quint16> m_advanceUnits; // by glyph
    std::optional<CffCharset> m_cff;
    QRectF m_boundingBoxUnits;
    int m_ascentUnits = 0;
    int m_descentUnits = 0;
    int m_capHeightUnits = 0;
    double m_italicAngleDegrees = 0;
};

} // namespace tovren::pdf
