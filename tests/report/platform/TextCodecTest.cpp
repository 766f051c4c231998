#include "report/platform/TextCodec.h"

#include <gtest/gtest.h>

using namespace tovren::platform;

TEST(TextCodec, DecodesGbkBytesAsWrittenByOldFiles)
{
    // "毕业" in GBK.
    const QByteArray gbk("\xb1\xcf\xd2\xb5", 4);
    EXPECT_EQ(decode8Bit(gbk), QStringLiteral("毕业"));
    EXPECT_EQ(encode8Bit(u"毕业"), gbk);
    EXPECT_EQ(encode8Bit(u"Arial 10"), QByteArray("Arial 10"));
}

TEST(TextCodec, RareCharactersInNamesSurviveARoundTrip)
{
    // Characters outside GBK, as found in personal names: extension B ideographs and 㑳.
    const QString names = QStringLiteral("王𠀀明 李㑳 𪚥");
    const QByteArray encoded = encode8Bit(names);
    EXPECT_FALSE(encoded.contains('?'));
    EXPECT_EQ(decode8Bit(encoded), names);
}

TEST(TextCodec, EmptyAndMalformedInputNeverFail)
{
    EXPECT_TRUE(decode8Bit(QByteArray()).isEmpty());
    EXPECT_TRUE(encode8Bit(QString()).isEmpty());
    // A lead byte without its trail byte decodes to a replacement, not to lost text after it.
    const QString decoded = decode8Bit(QByteArray("ab\xb1", 3));
    EXPECT_TRUE(decoded.startsWith(QStringLiteral("ab")));
}
