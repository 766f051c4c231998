// Embedding fonts in one PDF: what a document of a few names costs once the faces are read,
// since a run writes one such document per record.
#include "bench/BenchMain.h"
#include "report/pdf/PdfFontSet.h"
#include "report/pdf/PdfObjectWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRawFont>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren::pdf;

QRawFont rawFont(const QString &family, QFont::Weight weight)
{
    QFont font(family);
    font.setWeight(weight);
    font.setPixelSize(24);
    return QRawFont::fromFont(font);
}

/// Ten characters per face, drawn and embedded as a page would.
void BM_WriteFonts(benchmark::State &state, const QList<QRawFont> &faces, const QStringList &texts)
{
    QList<QList<quint32>> glyphsByFace;
    for (qsizetype face = 0; face < faces.size(); ++face)
        glyphsByFace.append(faces[face].glyphIndexesForString(texts[face]));
    const auto writeDocument = [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        PdfObjectWriter writer(buffer);
        PdfFontSet fonts(writer);
        for (qsizetype face = 0; face < faces.size(); ++face) {
            const int index = fonts.fontIndex(faces[face]);
            for (qsizetype i = 0; i < texts[face].size(); ++i)
                fonts.code(index, glyphsByFace[face][i], QStringView(texts[face]).mid(i, 1));
        }
        if (!fonts.writeFonts())
            state.SkipWithError(qPrintable(fonts.error()));
        benchmark::DoNotOptimize(buffer.data().size());
    };
    // The first document reads the faces; every later one finds them in the cache.
    QElapsedTimer reading;
    reading.start();
    writeDocument();
    state.counters["first_ms"] = double(reading.nsecsElapsed()) / 1e6;
    for (auto _ : state)
        writeDocument();
}

void BM_SongAndLatin(benchmark::State &state)
{
    BM_WriteFonts(
        state,
        {rawFont("AR PL SungtiL GB", QFont::Normal), rawFont("Liberation Sans", QFont::Normal)},
        {QStringLiteral("王李张刘陈杨黄赵周吴"), QStringLiteral("Wang Lihua")});
}
BENCHMARK(BM_SongAndLatin)->Unit(benchmark::kMicrosecond);

void BM_BoldSongCff(benchmark::State &state)
{
    BM_WriteFonts(state, {rawFont("Noto Serif CJK SC", QFont::Bold)},
                  {QStringLiteral("王李张刘陈杨黄赵周吴")});
}
BENCHMARK(BM_BoldSongCff)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
