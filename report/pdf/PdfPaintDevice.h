#pragma once

#include <QMarginsF>
#include <QPaintDevice>
#include <QSizeF>
#include <QString>
#include <memory>

class QIODevice;

namespace tovren::pdf {

class PdfPaintEngine;

/// A page size in PDF points (1/72 inch).
using PointsSizeF = QSizeF;
/// Page margins in PDF points; the painter's origin is their top-left corner.
using PointsMarginsF = QMarginsF;

/// A QPainter surface that writes a PDF file page by page.
///
/// Text is written as text in embedded subset fonts, each glyph mapped back to its characters;
/// lines, fills and pictures as PDF drawing operators. Every page has the exact size it is
/// given. Pages are written to the device as they end, so a document of any length needs the
/// memory of one page.
class PdfPaintDevice : public QPaintDevice
{
public:
    /// Writes to @p out, which must be open and outlive the device; coordinates are in dots of
    /// @p dotsPerInch.
    PdfPaintDevice(QIODevice &out, int dotsPerInch);
    ~PdfPaintDevice() override;

    void setTitle(const QString &title);
    void setCreator(const QString &creator);
    /// The size and margins of the page the painter starts next (or of the first page, before
    /// the painter begins).
    void setPageLayout(PointsSizeF size, PointsMarginsF margins = {});
    /// Ends the current page and starts one with the layout last set.
    bool newPage();

    /// Why the document could not be written; empty while all is well.
    QString errorString() const;

    QPaintEngine *paintEngine() const override;
    int dotsPerInch() const { return m_dotsPerInch; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class PdfPaintEngine;
    QIODevice &m_out;
    int m_dotsPerInch;
    QString m_title;
    QString m_creator;
    PointsSizeF m_pageSize{595.28, 841.89};
    PointsMarginsF m_margins;
    std::unique_ptr<PdfPaintEngine> m_engine;
};

} // namespace tovren::pdf
