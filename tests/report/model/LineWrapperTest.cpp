#include "report/model/LineWrapper.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

QFont arial10()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return layoutFont(font);
}

QFont song10()
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(10);
    return layoutFont(font);
}

QStringList wrap(const QFont &font, int width, const QString &text, bool wordBreak = false)
{
    TextMeasurer measurer;
    return LineWrapper(measurer, {font, 0, width, wordBreak}).wrapLine(text);
}

QString joined(QStringList lines)
{
    QString all;
    for (QString &line : lines)
        all += line.remove(kEndOfParagraph);
    return all;
}

TEST(LineWrapper, BreaksAtBlanksAndMarksOnlyTheParagraphEnd)
{
    const QFont font = arial10();
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance("alpha beta")) + 1;
    const QStringList lines = wrap(font, width, "alpha beta gamma");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "alpha beta");
    EXPECT_EQ(lines[1], QString("gamma") + kEndOfParagraph);

    EXPECT_EQ(wrap(font, 500, "short"), QStringList{QString("short") + kEndOfParagraph});
    EXPECT_EQ(wrap(font, 500, ""), QStringList{QString(kEndOfParagraph)});
}

TEST(LineWrapper, LineBreaksInsideTheTextEndParagraphs)
{
    const QStringList lines = wrap(arial10(), 500, "one\r\ntwo");
    EXPECT_EQ(lines,
              (QStringList{QString("one") + kEndOfParagraph, QString("two") + kEndOfParagraph}));
}

TEST(LineWrapper, ChineseWithoutBlanksBreaksBetweenCharactersAndLosesNothing)
{
    const QFont font = song10();
    const QString text = QStringLiteral("中华人民共和国普通高中毕业证书由学校颁发");
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance(text.left(5))) + 1;
    const QStringList lines = wrap(font, width, text);
    ASSERT_EQ(lines.size(), 4);
    for (const QString &line : lines) {
        EXPECT_LE(QFontMetricsF(font).horizontalAdvance(QString(line).remove(kEndOfParagraph)),
                  width);
    }
    EXPECT_EQ(lines[0], text.left(5));
    EXPECT_EQ(joined(lines), text);
}

TEST(LineWrapper, NeverSplitsASurrogatePair)
{
    const QString pair = QString::fromUcs4(U"\U00020000");
    const QString text = pair + pair + pair + pair + pair + pair;
    const QFont font = song10();
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance(pair + pair)) + 1;
    const QStringList lines = wrap(font, width, text);
    EXPECT_GT(lines.size(), 1);
    for (const QString &line : lines)
        EXPECT_FALSE(QString(line).remove(kEndOfParagraph).back().isHighSurrogate()) << line.size();
    EXPECT_EQ(joined(lines), text);
}

TEST(LineWrapper, WordBreakHyphenatesAtSyllablesAndEndsOnNarrowLines)
{
    EXPECT_EQ(BreakPositions(QStringLiteral("молоко")), (std::vector<int>{2, 4}));
    EXPECT_TRUE(BreakPositions(QStringLiteral("дом")).empty());

    const QFont font = arial10();
    const QString word = QStringLiteral("молоко");
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance(QStringLiteral("моло-"))) + 1;
    const QStringList lines = wrap(font, width, word, true);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("моло-"));
    EXPECT_EQ(lines[1], QStringLiteral("ко") + kEndOfParagraph);

    // Narrower than any single letter: the wrapper must still finish and keep every letter.
    const QStringList narrow = wrap(font, 1, QStringLiteral("молоко молоко"), true);
    EXPECT_TRUE(joined(narrow).remove(u'-').remove(u' ').contains(QStringLiteral("молокомолоко")))
        << joined(narrow).toStdString();
}

TEST(TextMeasurer, RemembersWidthsAndWrappedParagraphs)
{
    TextMeasurer measurer;
    const QFont font = arial10();
    const double first = measurer.width(font, 0, "certificate");
    const qint64 measured = measurer.measurements();
    EXPECT_EQ(measurer.width(font, 0, "certificate"), first);
    EXPECT_EQ(measurer.measurements(), measured);
    // Character spacing is added per character on top of the cached width.
    EXPECT_DOUBLE_EQ(measurer.width(font, 2, "certificate"), first + 2 * 11);

    const LineWrapper wrapper(measurer, {font, 0, 40, false});
    const QStringList once = wrapper.wrapLine("alpha beta gamma delta");
    const qint64 afterFirstWrap = measurer.measurements();
    EXPECT_EQ(wrapper.wrapLine("alpha beta gamma delta"), once);
    EXPECT_EQ(measurer.measurements(), afterFirstWrap);
}

} // namespace
} // namespace tovren::model
