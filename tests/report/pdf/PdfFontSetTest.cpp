#include "report/pdf/PdfFontSet.h"

#include "report/pdf/CffCharset.h"
#include "report/pdf/FontSource.h"
#include "report/pdf/PdfObjectWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace tovren::pdf {
namespace {

struct Line
{
    QRawFont font;
    QString text;
};

QRawFont rawFont(const QString &family, QFont::Weight weight = QFont::Normal)
{
    QFont font(family);
    font.setWeight(weight);
    font.setPixelSize(24);
    return QRawFont::fromFont(font);
}

/// A one-page document drawing each line in its own font, as the paint engine would: glyphs
/// by their face's glyph numbers, each standing for the characters it was shaped from.
QByteArray onePageDocument(const QList<Line> &lines, QString *error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PdfObjectWriter writer(buffer);
    PdfFontSet fonts(writer);
    const int catalog = writer.reserveObject();
    const int pages = writer.reserveObject();
    const int page = writer.reserveObject();
    const int content = writer.reserveObject();
    const int info = writer.reserveObject();

    QByteArray drawing = "BT\n";
    QByteArray resources;
    double baseline = 800;
    for (const Line &line : lines) {
        const int index = fonts.fontIndex(line.font);
        if (index < 0) {
            *error = fonts.error();
            return {};
        }
        resources += "/F" + QByteArray::number(index) + ' ' +
                     QByteArray::number(fonts.objectNumber(index)) + " 0 R";
        drawing += "/F" + QByteArray::number(index) + " 24 Tf 1 0 0 1 40 " +
                   QByteArray::number(baseline) + " Tm <";
        baseline -= 40;
        // One glyph per character, except that a ligature glyph stands for all of its text.
        qsizetype at = 0;
        while (at < line.text.size()) {
            qsizetype length = line.text[at].isHighSurrogate() ? 2 : 1;
            if (line.text.mid(at, 2) == u"fi")
                length = 2;
            const QString characters = line.text.mid(at, length);
            const QString shaped = characters == u"fi" ? QStringLiteral(u"\uFB01") : characters;
            const QList<quint32> glyphs = line.font.glyphIndexesForString(shaped);
            EXPECT_EQ(glyphs.size(), 1);
            EXPECT_NE(glyphs.value(0), 0u)
                << qPrintable(line.font.familyName()) << " lacks " << qPrintable(shaped);
            drawing += QByteArray::number(fonts.code(index, glyphs.value(0), characters), 16)
                           .rightJustified(4, '0');
            at += length;
        }
        drawing += "> Tj\n";
    }
    drawing += "ET\n";

    writer.writeObject(catalog, "<</Type/Catalog/Pages " + QByteArray::number(pages) + " 0 R>>");
    writer.writeObject(pages, "<</Type/Pages/Kids[" + QByteArray::number(page) + " 0 R]/Count 1>>");
    writer.writeObject(page, "<</Type/Page/Parent " + QByteArray::number(pages) +
                                 " 0 R/MediaBox[0 0 595 842]/Resources<</Font<<" + resources +
                                 ">>>>/Contents " + QByteArray::number(content) + " 0 R>>");
    writer.writeStream(content, {}, drawing);
    if (!fonts.writeFonts()) {
        *error = fonts.error();
        return {};
    }
    writer.writeObject(info, "<<>>");
    writer.finish(catalog, info);
    return buffer.data();
}

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(PdfFontSet, EmbeddedSubsetsDrawAndGiveBackTheirText)
{
    const QList<Line> lines = {
        {rawFont("AR PL SungtiL GB"), QStringLiteral("李王")},
        {rawFont("Liberation Sans"), QStringLiteral("Office fit")},
        {rawFont("Noto Serif CJK SC", QFont::Bold), QStringLiteral("王喆堃")},
        {rawFont("HanaMinB"), QStringLiteral("𠮷")},
        {rawFont("URW Gothic"), QStringLiteral("Gothic")}, // CFF keyed by glyph names
    };
    for (const Line &line : lines)
        ASSERT_TRUE(line.font.isValid());
    ASSERT_EQ(lines[2].font.familyName(), "Noto Serif CJK SC"); // not a fallback face

    QString error;
    const QByteArray document = onePageDocument(lines, &error);
    ASSERT_FALSE(document.isEmpty()) << qPrintable(error);
    // Two runs over the same input write the same bytes, subset tags included.
    EXPECT_EQ(onePageDocument(lines, &error), document);

    QTemporaryDir folder;
    const QString path = folder.filePath("fonts.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document);
    file.close();

    const ToolRun text = run("pdftotext", {"-enc", "UTF-8", path, "-"});
    ASSERT_EQ(text.exitCode, 0) << qPrintable(text.err);
    EXPECT_EQ(text.err, QString());
    EXPECT_EQ(text.out.split('\n', Qt::SkipEmptyParts).mid(0, 5),
              QStringList({"李王", "Office fit", "王喆堃", "𠮷", "Gothic"}));

    const ToolRun fonts = run("pdffonts", {path});
    ASSERT_EQ(fonts.exitCode, 0) << qPrintable(fonts.err);
    const QStringList rows = fonts.out.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(rows.size(), 5) << qPrintable(fonts.out);
    const QStringList expectedTypes = {"CID TrueType", "CID TrueType", "CID Type 0C",
                                       "CID TrueType", "CID Type 0C (OT)"};
    for (int i = 0; i < rows.size(); ++i) {
        // Rows follow the object numbers, which follow first use.
        EXPECT_EQ(rows[i].mid(37, 17).trimmed(), expectedTypes[i]) << qPrintable(rows[i]);
        EXPECT_TRUE(rows[i].contains(QRegularExpression("Identity-H\\s+yes\\s+yes\\s+yes")))
            << qPrintable(rows[i]);
        EXPECT_TRUE(rows[i].contains(QRegularExpression("^[A-Z]{6}\\+"))) << qPrintable(rows[i]);
    }

    // At 72 dpi a pixel is a point: line i sits on the baseline 42 + 40 i pixels from the top.
    const ToolRun render = run("pdftoppm", {"-r", "72", "-png", path, folder.filePath("page")});
    EXPECT_EQ(render.exitCode, 0);
    EXPECT_EQ(render.err, QString());
    const QImage page(folder.filePath("page-1.png"));
    ASSERT_FALSE(page.isNull());
    for (int line = 0; line < lines.size(); ++line) {
        // A code that selects no glyph draws nothing, and no viewer complains.
        int inked = 0;
        for (int y = 42 + 40 * line - 22; y < 42 + 40 * line + 5; ++y) {
            for (int x = 0; x < 300; ++x)
                inked += qGray(page.pixel(x, y)) < 128;
        }
        EXPECT_GT(inked, 40) << "nothing drawn on line " << line;
    }
}

TEST(PdfFontSet, AdvancesAreTheFaceDesignAdvances)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PdfObjectWriter writer(buffer);
    PdfFontSet fonts(writer);
    for (const QRawFont &face : {rawFont("Liberation Sans"), rawFont("AR PL SungtiL GB"),
                                 rawFont("Noto Serif CJK SC", QFont::Bold)}) {
        const int index = fonts.fontIndex(face);
        ASSERT_GE(index, 0) << qPrintable(fonts.error());
        // The same face at another size is the same font of the document.
        QRawFont resized = face;
        resized.setPixelSize(9);
        EXPECT_EQ(fonts.fontIndex(resized), index);

        QRawFont design = face;
        design.setPixelSize(face.unitsPerEm());
        const QList<quint32> glyphs = design.glyphIndexesForString("iW王");
        const QList<QPointF> advances =
            design.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] == 0)
                continue; // the Latin face has no 王
            EXPECT_NEAR(fonts.advance(index, glyphs[i]),
                        advances[i].x() * 1000.0 / face.unitsPerEm(), 0.001)
                << qPrintable(face.familyName()) << ' ' << glyphs[i];
        }
    }
}

TEST(PdfFontSet, UnreadableFaceIsAnErrorNotACrash)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PdfObjectWriter writer(buffer);
    PdfFontSet fonts(writer);
    EXPECT_EQ(fonts.fontIndex(QRawFont()), -1);
    EXPECT_TRUE(fonts.error().startsWith("无法嵌入字体")) << qPrintable(fonts.error());
}

TEST(FontSource, TwoThreadsShareOneReadingOfAFace)
{
    // A face no other test reads, so both threads meet it unread.
    const QRawFont face = rawFont("Liberation Sans", QFont::Bold);
    ASSERT_TRUE(face.isValid());
    const QList<quint32> glyphs = face.glyphIndexesForString("Ab");
    std::shared_ptr<const FontSource> sources[2];
    bool written[2] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i) {
        threads.emplace_back([&, i] {
            QString error;
            sources[i] = FontSource::shared(face, &error);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            PdfObjectWriter writer(buffer);
            PdfFontSet fonts(writer);
            const int index = fonts.fontIndex(face);
            for (const quint32 glyph : glyphs)
                fonts.code(index, glyph, u"x");
            written[i] = index >= 0 && fonts.writeFonts() && writer.ok();
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    ASSERT_TRUE(sources[0]);
    EXPECT_EQ(sources[0], sources[1]);
    EXPECT_TRUE(written[0] && written[1]);
}

TEST(CffCharset, ReadsCidsAndRefusesDamagedTables)
{
    const QByteArray table = rawFont("Noto Serif CJK SC", QFont::Bold).fontTable("CFF ");
    ASSERT_FALSE(table.isEmpty());
    QString error;
    const std::optional<CffCharset> charset = CffCharset::read(table, &error);
    ASSERT_TRUE(charset) << qPrintable(error);
    EXPECT_TRUE(charset->isCidKeyed());
    EXPECT_EQ(charset->glyphCount(), 65535);
    EXPECT_EQ(charset->cid(0), 0u);

    // Cut short or overwritten anywhere in its header, dictionaries or charset, a table is
    // either still read or refused with a reason; nothing is read outside it.
    for (const qsizetype length : {0, 1, 4, 40, 200, 2000, 70000}) {
        error.clear();
        if (!CffCharset::read(QByteArrayView(table).first(length), &error)) {
            EXPECT_FALSE(error.isEmpty()) << length;
        }
    }
    QByteArray damaged = table;
    int refused = 0;
    for (qsizetype at = 0; at < 400; ++at) {
        const char kept = damaged[at];
        damaged[at] = char(0xff);
        error.clear();
        if (!CffCharset::read(damaged, &error)) {
            EXPECT_FALSE(error.isEmpty()) << at;
            ++refused;
        }
        damaged[at] = kept;
    }
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace tovren::pdf
