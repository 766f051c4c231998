#include "report/pdf/PdfPaintDevice.h"
#include "report/platform/TextRunEngine.h"
#include "tests/support/PopplerTools.h"

#include <QFile>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

using test::popplerOutput;

/// Draws on a two-page document the way report objects do, then reads it back with poppler.
class PdfPaintEngineTest : public ::testing::Test
{
protected:
    static constexpr int kDotsPerInch = 600;
    static constexpr double kDotsPerPoint = kDotsPerInch / 72.0;

    QString write(const std::function<void(QPainter &, pdf::PdfPaintDevice &)> &draw)
    {
        const QString path = dir.filePath(QStringLiteral("drawn.pdf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        pdf::PdfPaintDevice device(file, kDotsPerInch);
        device.setTitle(QStringLiteral("毕业证书"));
        device.setPageLayout(pdf::PointsSizeF(595.28, 419.53));
        QPainter painter;
        EXPECT_TRUE(painter.begin(&device));
        draw(painter, device);
        EXPECT_TRUE(painter.end()) << device.errorString().toStdString();
        return path;
    }

    QImage render(const QString &pdf, int page, int dotsPerInch)
    {
        const QString prefix = dir.filePath(QStringLiteral("page%1").arg(page));
        popplerOutput(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dotsPerInch), QStringLiteral("-f"),
                       QString::number(page), QStringLiteral("-l"), QString::number(page),
                       QStringLiteral("-singlefile"), pdf, prefix});
        return QImage(prefix + QStringLiteral(".ppm"));
    }

    QTemporaryDir dir;
};

TEST_F(PdfPaintEngineTest, ShapesPicturesClipsAndPagesLandWhereThePainterPutThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    // The top-left quarter marks which way up the picture landed.
    QPainter(&picture).fillRect(0, 0, 20, 10, Qt::green);
    const QString pdf = write([&](QPainter &painter, pdf::PdfPaintDevice &device) {
        // A red square 1 inch from the top-left corner, half an inch wide.
        painter.fillRect(QRectF(600, 600, 300, 300), Qt::red);
        // A picture scaled up through the transform, one inch right of the square.
        painter.save();
        painter.translate(1200, 600);
        painter.scale(2, 2);
        painter.drawImage(QRectF(0, 0, 200, 100), picture);
        painter.restore();
        // Points with the pen's default square ends, as wide as the pen.
        painter.setPen(QPen(Qt::darkGreen, 60));
        painter.drawPoint(QPointF(2400, 1500));
        painter.setPen(QPen());
        // A clip keeps the left half of a black bar.
        painter.save();
        painter.setClipRect(QRectF(600, 1200, 150, 300));
        painter.fillRect(QRectF(600, 1200, 300, 300), Qt::black);
        painter.restore();
        // The second page is smaller and starts its origin at a 10 pt margin.
        device.setPageLayout(pdf::PointsSizeF(200, 100), pdf::PointsMarginsF(10, 10, 10, 10));
        ASSERT_TRUE(device.newPage());
        painter.fillRect(QRectF(0, 0, 10 * kDotsPerPoint, 10 * kDotsPerPoint), Qt::red);
    });

    const QString info =
        popplerOutput(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                  QStringLiteral("-l"), QStringLiteral("2"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +毕业证书"))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page +1 size: +595.28 x 419.53"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page +2 size: +200 x 100 "))));

    // At 72 dpi a point is a pixel: the square spans 72..108, the picture 144..192 x 72..96.
    const QImage first = render(pdf, 1, 72);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.pixelColor(90, 90), QColor(Qt::red));
    EXPECT_EQ(first.pixelColor(70, 90), QColor(Qt::white));
    EXPECT_EQ(first.pixelColor(150, 75), QColor(Qt::green));
    EXPECT_EQ(first.pixelColor(185, 92), QColor(Qt::blue));
    EXPECT_EQ(first.pixelColor(196, 92), QColor(Qt::white));
    EXPECT_EQ(first.pixelColor(80, 160), QColor(Qt::black));
    EXPECT_EQ(first.pixelColor(100, 160), QColor(Qt::white)) << "the clip let the bar through";
    EXPECT_EQ(first.pixelColor(288, 180), QColor(Qt::darkGreen)) << "the point was not drawn";
    const QImage second = render(pdf, 2, 72);
    ASSERT_EQ(second.size(), QSize(200, 100));
    EXPECT_EQ(second.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(second.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(PdfPaintEngineTest, TextIsWrittenAsTextInEveryFaceItNeeds)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(100);
    arial.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    const QString digits = QStringLiteral("320102198909110640");
    double spacedDots = 0;
    double spacingDots = 0;
    const QString pdf = write([&](QPainter &painter, pdf::PdfPaintDevice &device) {
        QFont unspaced = arial;
        unspaced.setLetterSpacing(QFont::AbsoluteSpacing, 0);
        spacedDots = QFontMetricsF(arial, &device).horizontalAdvance(digits);
        spacingDots = (spacedDots - QFontMetricsF(unspaced, &device).horizontalAdvance(digits)) /
                      digits.size();
        QFont song(QStringLiteral("宋体"));
        song.setPixelSize(200);
        painter.setFont(song);
        // GB 2312, GBK, extension A and extension B: four faces on one line.
        painter.drawText(QPointF(600, 600), QStringLiteral("王喆堃 李䶮𠮷"));
        painter.setFont(arial);
        painter.drawText(QPointF(600, 1200), QStringLiteral("No. ") + digits);
        // Kerned Latin text: the painter shapes it, and every glyph still reads back.
        QFont liberation(QStringLiteral("Liberation Sans"));
        liberation.setPixelSize(100);
        painter.setFont(liberation);
        painter.drawText(QPointF(600, 1500), QStringLiteral("Office staff"));
        // Text turned a quarter round reads the same.
        painter.translate(3000, 1500);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), QStringLiteral("竖排"));
    });
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("王喆堃 李䶮𠮷"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("No. 320102198909110640"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Office staff"))) << text.toStdString();

    const QString html = popplerOutput(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    // The turned text keeps its characters and stands upright on the page: two characters
    // high, one wide.
    const auto turned =
        QRegularExpression(
            QStringLiteral(
                R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">竖排<)re"))
            .match(html);
    ASSERT_TRUE(turned.hasMatch()) << html.toStdString();
    EXPECT_NEAR(turned.captured(4).toDouble() - turned.captured(2).toDouble(), 24, 2);
    EXPECT_NEAR(turned.captured(3).toDouble() - turned.captured(1).toDouble(), 12, 6);

    // Letter spacing reaches the page: the digits span what the painter measured for them, but
    // the spacing after the last one.
    const auto number =
        QRegularExpression(
            QStringLiteral(R"re(xMin="([\d.]+)"[^>]*xMax="([\d.]+)"[^>]*>320102198909110640<)re"))
            .match(html);
    ASSERT_TRUE(number.hasMatch()) << html.toStdString();
    const double widthPt = number.captured(2).toDouble() - number.captured(1).toDouble();
    ASSERT_GT(spacingDots, 0);
    const double expectedPt = (spacedDots - spacingDots) / kDotsPerPoint;
    EXPECT_NEAR(widthPt, expectedPt, 0.01 * expectedPt);
}

// What the engine places itself must land where the painter's own shaping puts it: the same
// texts drawn both ways, at the enlarged size and scale-down printing uses, read back the same.
TEST_F(PdfPaintEngineTest, RunsTheEnginePlacesLandWhereThePaintersShapingPutsThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QStringList texts = {QStringLiteral("320102198909110640"), QStringLiteral("王喆堃"),
                               QStringLiteral("Wang Zhe 2004"),
                               QStringLiteral("上海市徐汇区 88 号")};
    qsizetype placedByEngine = 0;
    const auto drawAll = [&](bool byEngine) {
        return write([&](QPainter &painter, pdf::PdfPaintDevice &) {
            painter.scale(1.0 / 18, 1.0 / 18);
            for (qsizetype i = 0; i < texts.size(); ++i) {
                QFont font(i % 2 ? QStringLiteral("宋体") : QStringLiteral("Arial"));
                font.setPixelSize(2100);
                font.setKerning(false);
                painter.setFont(font);
                const QPointF baseline(600 * 18, (600 + 300 * i) * 18);
                auto *engine = dynamic_cast<platform::TextRunEngine *>(painter.paintEngine());
                ASSERT_NE(engine, nullptr);
                if (byEngine && engine->drawTextRun(baseline, font, texts[i]))
                    ++placedByEngine;
                else
                    painter.drawText(baseline, texts[i]);
            }
        });
    };
    const auto wordsOf = [&](const QString &pdf) {
        return popplerOutput(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    };
    const QString byPainter = wordsOf(drawAll(false));
    const QString byEngine = wordsOf(drawAll(true));
    // 喆 and 堃 come from a fallback face, so that run alone goes through the painter.
    EXPECT_EQ(placedByEngine, texts.size() - 1);
    static const QRegularExpression word(QStringLiteral(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    QList<QRegularExpressionMatch> expected;
    for (auto it = word.globalMatch(byPainter); it.hasNext();)
        expected.append(it.next());
    QList<QRegularExpressionMatch> placed;
    for (auto it = word.globalMatch(byEngine); it.hasNext();)
        placed.append(it.next());
    ASSERT_EQ(placed.size(), expected.size()) << byEngine.toStdString();
    ASSERT_GE(placed.size(), texts.size());
    for (qsizetype i = 0; i < placed.size(); ++i) {
        SCOPED_TRACE(expected[i].captured(5).toStdString());
        EXPECT_EQ(placed[i].captured(5), expected[i].captured(5));
        for (int edge = 1; edge <= 4; ++edge)
            EXPECT_NEAR(placed[i].captured(edge).toDouble(), expected[i].captured(edge).toDouble(),
                        0.02);
    }
}

} // namespace
