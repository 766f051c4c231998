#include "report/platform/TextCodec.h"

#include <QStringEncoder>
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

TEST(TextCodec, EncodesEveryCharacterAsTheConverterDoes)
{
    // Characters of the plane are encoded one at a time from a table: every one of them, each
    // twice (the second time from the table) and between ASCII, must come out as the converter
    // writes the whole text.
    QString text;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (!QChar::isSurrogate(c))
            text.append(QChar(char16_t(c)));
    }
    text += QStringLiteral("abc") + text;
    QStringEncoder converter("GB18030");
    ASSERT_TRUE(converter.isValid());
    EXPECT_EQ(encode8Bit(text), converter.encode(text));
}

TEST(TextCodec, EmptyAndMalformedInputNeverFail)
{
    EXPECT_TRUE(decode8Bit(QByteArray()).isEmpty());
    EXPECT_TRUE(encode8Bit(QString()).isEmpty());
    // A lead byte without its trail byte decodes to a replacement, not to lost text after it.
    const QString decoded = decode8Bit(QByteArray("ab\xb1", 3));
    EXPECT_TRUE(decoded.startsWith(QStringLiteral("ab")));
}
