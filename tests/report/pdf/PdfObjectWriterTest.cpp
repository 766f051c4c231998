#include "report/pdf/PdfObjectWriter.h"

#include <QBuffer>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <zlib.h>

using tovren::pdf::PdfObjectWriter;

namespace {

// Enough pages that most of them are written on the writer's second thread.
constexpr int kPages = 300;

QByteArray pageContent(int page)
{
    return "BT /F1 12 Tf 10 " + QByteArray::number(page) + " Td (page " + QByteArray::number(page) +
           ") Tj ET\n" + QByteArray(page % 50, 'x');
}

QByteArray inflated(QByteArrayView compressed)
{
    QByteArray out(64 * 1024, Qt::Uninitialized);
    auto length = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef *>(out.data()), &length,
                   reinterpret_cast<const Bytef *>(compressed.data()),
                   uLong(compressed.size())) != Z_OK)
        return "(damaged)";
    out.truncate(qsizetype(length));
    return out;
}

/// A device that takes the first @p capacity bytes and refuses the rest, as a full disk does.
class FillingDevice : public QIODevice
{
public:
    explicit FillingDevice(qint64 capacity)
        : m_capacity(capacity)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        if (m_written + length > m_capacity)
            return -1;
        m_written += length;
        return length;
    }

private:
    qint64 m_capacity;
    qint64 m_written = 0;
};

/// Writes a document of kPages pages, each a content stream and a page object, to @p writer;
/// @p unwritten is reserved and never written.
void writeDocument(PdfObjectWriter &writer, int &unwritten)
{
    const int catalog = writer.reserveObject();
    const int info = writer.reserveObject();
    unwritten = writer.reserveObject();
    for (int page = 0; page < kPages; ++page) {
        const int content = writer.reserveObject();
        writer.writeStream(content, "/Page " + QByteArray::number(page), pageContent(page));
        writer.writeObject(writer.reserveObject(),
                           "<</Contents " + QByteArray::number(content) + " 0 R>>");
    }
    writer.writeObject(catalog, "<</Type/Catalog>>");
    writer.writeObject(info, "<<>>");
    writer.finish(catalog, info);
}

} // namespace

TEST(PdfObjectWriter, EveryObjectLiesWhereTheTableSaysAndHoldsWhatWasGiven)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int unwritten = 0;
    {
        PdfObjectWriter writer(buffer);
        writeDocument(writer, unwritten);
        EXPECT_TRUE(writer.ok());
    }
    const QByteArray file = buffer.data();

    const QRegularExpressionMatch start =
        QRegularExpression(QStringLiteral("startxref\n(\\d+)\n%%EOF\n$")).match(file);
    ASSERT_TRUE(start.hasMatch());
    const qsizetype tableAt = start.captured(1).toLongLong();
    ASSERT_TRUE(file.mid(tableAt).startsWith("xref\n0 "));
    const QList<QByteArray> rows = file.mid(tableAt).split('\n');
    const int objects = rows[1].split(' ')[1].toInt();
    ASSERT_EQ(objects, 4 + 2 * kPages);

    int page = 0;
    for (int number = 1; number < objects; ++number) {
        const QByteArray &row = rows[2 + number];
        if (number == unwritten) {
            EXPECT_TRUE(row.endsWith(" 65535 f ")) << number;
            continue;
        }
        const qsizetype offset = row.left(10).toLongLong();
        const QByteArray head = QByteArray::number(number) + " 0 obj\n";
        ASSERT_EQ(file.mid(offset, head.size()), head) << number;
        const QByteArray object = file.mid(offset + head.size());
        if (!object.startsWith("<</Page "))
            continue;
        // A content stream: its length and its inflated bytes are those of its page.
        const QRegularExpressionMatch length =
            QRegularExpression(QStringLiteral("^<</Page (\\d+)/Filter/FlateDecode/Length (\\d+)>>"
                                              "\nstream\n"))
                .match(object);
        ASSERT_TRUE(length.hasMatch()) << number;
        EXPECT_EQ(length.captured(1).toInt(), page);
        const QByteArrayView payload =
            QByteArrayView(object).sliced(length.capturedLength(), length.captured(2).toLongLong());
        EXPECT_EQ(inflated(payload), pageContent(page)) << number;
        ++page;
    }
    EXPECT_EQ(page, kPages);
}

TEST(PdfObjectWriter, AFullDeviceIsReportedAndALeftDocumentIsDroppedQuietly)
{
    FillingDevice full(20'000);
    PdfObjectWriter writer(full);
    int unwritten = 0;
    writeDocument(writer, unwritten);
    EXPECT_FALSE(writer.ok());

    // A document given up half-way, as a cancelled export leaves it: no hang, no crash.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        PdfObjectWriter left(buffer);
        for (int page = 0; page < kPages; ++page)
            left.writeStream(left.reserveObject(), {}, pageContent(page));
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF-1.6"));
}
