#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSizeF>
#include <deque>

namespace tovren::platform {

/// A sheet's exact size in PDF points (1/72 inch).
using PointsSizeF = QSizeF;

/// Passes a PDF through to its file and gives every page the exact size of its sheet.
///
/// Qt's PDF writer rounds a page to whole points (an A5 sheet becomes 595 x 420 pt instead of
/// 595.28 x 419.53) and draws from the rounded top edge. This device rewrites each page's media
/// and trim boxes, in the order the pages are written, to the exact size queued for that page,
/// keeping the top-left corner where the drawing starts. Each box keeps its length in bytes, so
/// the file's cross-reference offsets stay right. A page without a queued size keeps the box the
/// writer gave it.
class ExactPdfPageSize : public QIODevice
{
public:
    /// Writes through to @p target, which must be open for writing and outlive this device.
    explicit ExactPdfPageSize(QIODevice &target);
    ~ExactPdfPageSize() override;

    /// The exact size of the next page the writer starts, as the reader sees it (oriented).
    void queuePage(PointsSizeF exactSize);

    /// Writes out what is held back; called by close().
    bool flushPending();
    void close() override;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool rewriteBoxesInPending();
    bool rewriteBox(qsizetype boxStart, qsizetype valuesStart, qsizetype valuesEnd);

    QIODevice &m_target;
    QByteArray m_pending;
    std::deque<PointsSizeF> m_queued;
    PointsSizeF m_currentPage;
};

/// The box values "0 0 W H" of a page written at @p writtenHeightText (the writer's own text)
/// with the exact size @p exact, padded with blanks to @p length bytes; empty when they cannot
/// be written in that length.
QByteArray exactBoxValues(PointsSizeF exact, const QByteArray &writtenHeightText, qsizetype length);

} // namespace tovren::platform
