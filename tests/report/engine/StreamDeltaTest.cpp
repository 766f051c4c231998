#include "report/engine/StreamDelta.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

/// Bytes shaped like a page's records: names, numbers and texts with runs repeated.
QByteArray pageLikeBytes(QRandomGenerator &random, int records)
{
    QByteArray bytes(1, char(25));
    for (int i = 0; i < records; ++i) {
        bytes.append(QByteArrayLiteral("\x00\x05\x00Memo"));
        bytes.append(QByteArray::number(i));
        bytes.append(QByteArray(12, char(random.bounded(4))));
        for (int j = random.bounded(1, 30); j > 0; --j)
            bytes.append(char(random.bounded(256)));
    }
    return bytes;
}

QByteArray changed(QRandomGenerator &random, QByteArray bytes)
{
    for (int edits = random.bounded(0, 6); edits > 0 && !bytes.isEmpty(); --edits) {
        const qsizetype at = random.bounded(bytes.size());
        const qsizetype length = std::min<qsizetype>(random.bounded(1, 40), bytes.size() - at);
        switch (random.bounded(3)) {
        case 0:
            bytes.remove(at, length);
            break;
        case 1:
            bytes.insert(at, QByteArray(length, char(random.bounded(256))));
            break;
        default:
            bytes.replace(at, length, QByteArray(random.bounded(1, 40), 'x'));
            break;
        }
    }
    return bytes;
}

} // namespace

// Whatever the reference, differences expand to exactly the stream they were made from.
TEST(StreamDeltaTest, DifferencesExpandToTheStreamTheyWereMadeFrom)
{
    QRandomGenerator random(7);
    const QList<QByteArray> odd{
        {}, QByteArray(1, 'a'), QByteArray(7, 'b'), QByteArray(8, 'b'), QByteArray(5000, '\0')};
    for (int round = 0; round < 300; ++round) {
        const QByteArray reference = round < odd.size() ? odd[round] : pageLikeBytes(random, 40);
        const engine::StreamDeltaReference packer(reference);
        const QList<QByteArray> streams{changed(random, reference),
                                        pageLikeBytes(random, 10),
                                        reference + reference,
                                        reference.left(5),
                                        {}};
        for (const QByteArray &stream : streams) {
            const QByteArray delta = packer.encode(stream);
            ASSERT_EQ(engine::expandStreamDelta(reference, delta), stream) << "round " << round;
        }
    }
}

// A page that differs from its reference in a value takes a small part of its bytes, also when
// the reference is too large for every run of it to be noted (a page holding a picture).
TEST(StreamDeltaTest, ALikePageTakesASmallPartOfItsBytes)
{
    QRandomGenerator random(11);
    for (const int records : {40, 20000}) {
        const QByteArray reference = pageLikeBytes(random, records);
        QByteArray page = reference;
        page.replace(page.indexOf("Memo7"), 5, QByteArrayLiteral("\xd5\xc5\xc8\xfd\xb7\xe1"));
        const QByteArray delta = engine::StreamDeltaReference(reference).encode(page);
        EXPECT_LT(delta.size(), page.size() / 20) << records << " records";
        EXPECT_EQ(engine::expandStreamDelta(reference, delta), page);
    }
}
