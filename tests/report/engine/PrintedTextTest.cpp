#include "BuildFixture.h"
#include "report/engine/PdfExportFilter.h"
#include "tests/support/PopplerTools.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tovren;

namespace {

constexpr double kPointsPerDesignPixel = 72.0 / 91.6256157635468;

struct PdfWord
{
    QString text;
    double xMinPt, yMinPt, xMaxPt, yMaxPt;
};

using test::popplerOutput;

std::vector<PdfWord> wordsOf(const QString &pdf)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    const QString html = popplerOutput(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

/// Names as a school office meets them: GB 2312, GBK, extension A and extension B characters,
/// printed bold and regular in the Song face, and an identity number in Arial.
class PrintedTextTest : public test::BuildTest
{
protected:
    PrintedTextTest()
        : BuildTest(1)
    {
        model::TqxPage &page = addPagePerRecord();
        addField(page, 100, 40, QStringLiteral("王喆堃"), QStringLiteral("宋体"), 14, true);
        addField(page, 100, 80, QStringLiteral("李䶮"), QStringLiteral("SimSun"), 12, false);
        addField(page, 100, 120, QStringLiteral("320102198909110640"), QStringLiteral("Arial"), 14,
                 false);
        // Extension B, outside the basic plane: drawn from the supplementary face and mapped
        // back through a surrogate pair.
        addField(page, 100, 160, QStringLiteral("𠮷"), QStringLiteral("宋体"), 12, false);
    }

    void addField(model::TqxPage &page, int left, int top, const QString &text,
                  const QString &family, double points, bool bold)
    {
        model::TqxMemoView &memo = addText(page, left, top, text);
        memo.Font = QFont(family);
        memo.Font.setPointSizeF(points);
        memo.Font.setBold(bold);
        memo.SetBounds(left, top, 300, 30);
    }

    QString writePdf()
    {
        EXPECT_TRUE(report.BuildPages());
        const QString path = dir.filePath(QStringLiteral("names.pdf"));
        engine::PdfExportFilter filter;
        EXPECT_TRUE(report.ExportPages(filter, path)) << report.lastMessage().toStdString();
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(PrintedTextTest, PagesHaveTheSheetsExactSizeAndTextItsExactPointSize)
{
    const QString pdf = writePdf();
    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {pdf});
    if (info.isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const auto size =
        QRegularExpression(QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+))re")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 210 / 25.4 * 72, 0.1); // 595.28
    EXPECT_NEAR(size.captured(2).toDouble(), 148 / 25.4 * 72, 0.1); // 419.53

    const std::vector<PdfWord> words = wordsOf(pdf);
    ASSERT_EQ(words.size(), 4u);
    struct Expected
    {
        QString text;
        double points;
        int characters; // each as wide as the point size
    };
    const Expected expected[] = {{QStringLiteral("王喆堃"), 14, 3},
                                 {QStringLiteral("李䶮"), 12, 2}};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].text.toStdString());
        // Every character comes back from the PDF: no glyph lost its character.
        EXPECT_EQ(words[i].text, expected[i].text);
        const double width = words[i].xMaxPt - words[i].xMinPt;
        EXPECT_NEAR(width, expected[i].points * expected[i].characters,
                    0.005 * expected[i].points * expected[i].characters);
        // The left edge stays where the layout put it, Left + GapX, within a few dots of the
        // 600 dpi grid the page is drawn on.
        EXPECT_NEAR(words[i].xMinPt, 102 * kPointsPerDesignPixel, 0.6);
    }
    EXPECT_EQ(words[2].text, QStringLiteral("320102198909110640"));
    // Arial's digits are 0.556 em wide; 18 of them at 14 pt.
    EXPECT_NEAR(words[2].xMaxPt - words[2].xMinPt, 18 * 0.556 * 14, 0.005 * 18 * 0.556 * 14);
    EXPECT_EQ(words[3].text, QStringLiteral("𠮷"));
    EXPECT_NEAR(words[3].xMaxPt - words[3].xMinPt, 12, 0.005 * 12);
}

TEST_F(PrintedTextTest, EveryCharacterOfARareNameLeavesInk)
{
    const QString pdf = writePdf();
    const std::vector<PdfWord> words = wordsOf(pdf);
    if (words.empty())
        GTEST_SKIP() << "poppler-utils are not installed";
    ASSERT_GE(words.size(), 2u);
    constexpr int kDotsPerInch = 144;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    popplerOutput(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(kDotsPerInch), QStringLiteral("-gray"),
                   QStringLiteral("-singlefile"), pdf, prefix});
    const QImage page(prefix + QStringLiteral(".pgm"));
    ASSERT_FALSE(page.isNull());
    const double scale = kDotsPerInch / 72.0;
    const auto inkIn = [&](double leftPt, double topPt, double sizePt) {
        int dark = 0;
        for (int y = int(topPt * scale); y < int((topPt + sizePt) * scale); ++y)
            for (int x = int(leftPt * scale) + 1; x < int((leftPt + sizePt) * scale) - 1; ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        return dark;
    };
    struct Cells
    {
        double leftPt, topPt, sizePt;
        int count;
    };
    const Cells names[] = {{words[0].xMinPt, words[0].yMinPt, 14, 3},
                           {words[1].xMinPt, words[1].yMinPt, 12, 2},
                           {102 * kPointsPerDesignPixel, 161 * kPointsPerDesignPixel, 12, 1}};
    for (const Cells &name : names) {
        for (int c = 0; c < name.count; ++c)
            EXPECT_GT(inkIn(name.leftPt + c * name.sizePt, name.topPt, name.sizePt), 20)
                << "no ink for character " << c << " at " << name.leftPt << " pt";
    }
}

} // namespace
