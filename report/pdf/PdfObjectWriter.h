#pragma once

#include "report/platform/SerialWorker.h"

#include <QByteArray>
#include <QByteArrayView>
#include <atomic>
#include <memory>
#include <utility>
#include <vector>

class QIODevice;

namespace tovren::pdf {

/// Writes the numbered objects of one PDF file, then its cross-reference table and trailer.
///
/// Objects may be written in any order; a number is reserved first when others must refer to
/// it before it is written. The writer never seeks, so it works on a QSaveFile or a socket.
///
/// Past its first few streams a document is compressed and written on a second thread, in
/// the order the objects were handed over, so the file is the same byte for byte; the device
/// must be left to the writer until finish() returns.
class PdfObjectWriter
{
public:
    explicit PdfObjectWriter(QIODevice &out);
    ~PdfObjectWriter();

    /// A fresh object number, to refer to before the object is written.
    int reserveObject();

    /// Writes "n 0 obj <body> endobj"; @p body is everything between.
    void writeObject(int number, QByteArrayView body);
    /// Writes a stream object: @p dictionaryEntries go inside "<< >>" beside /Length (and
    /// /Filter when @p compress is set).
    void writeStream(int number, QByteArrayView dictionaryEntries, QByteArrayView data,
                     bool compress = true);

    /// Writes the cross-reference table and the trailer naming @p catalog and @p info.
    void finish(int catalog, int info);

    /// False once any write to the device failed (a failure on the second thread shows a few
    /// objects later, and at the latest after finish()).
    bool ok() const { return m_ok.load(std::memory_order_relaxed); }

private:
    void writeObjectNow(int number, QByteArrayView body);
    void writeStreamNow(int number, QByteArrayView dictionaryEntries, QByteArrayView data,
                        bool compress);
    void put(QByteArrayView bytes);
    void beginObject(int number);

    QIODevice &m_out;
    int m_objectCount = 1; // object 0 heads the free list
    int m_streamsWritten = 0;
    // What follows belongs to whichever thread writes: this one until the worker starts, the
    // worker until finish() has waited for it.
    qint64 m_position = 0;
    std::atomic<bool> m_ok = true;
    std::vector<std::pair<int, qint64>> m_writtenAt; // object number, offset
    class Deflater;
    std::unique_ptr<Deflater> m_deflater;
    std::unique_ptr<platform::SerialWorker> m_worker; // last: stops before the rest goes
};

/// Text forms of PDF values.
namespace syntax {
/// A number with at most four decimals and no exponent, as PDF readers require.
QByteArray number(double value);
/// Appends @p value with at most @p decimals decimals (up to 8) and a space, without a
/// temporary. Four are a ten-thousandth of a point, below what any device shows; scale factors
/// of a matrix need more, since they multiply every coordinate after them.
void appendNumber(QByteArray &out, double value, int decimals = 4);
/// A text string: plain ASCII as a literal string, anything else as UTF-16BE with its mark.
QByteArray textString(const QString &text);
} // namespace syntax

} // namespace tovren::pdf
