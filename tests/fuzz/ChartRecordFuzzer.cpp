// Feeds arbitrary bytes to the chart object's record reader. Every input must end in a loaded
// chart or a format error: a crash, a hang, an oversized allocation or a sanitizer report is a
// fault. A chart that loads must write back the bytes it was read from and draw without harm.

#include "report/chart/TqxChartView.h"
#include "report/model/RecordStream.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using tovren::chart::TqxChartView;

QByteArray recordOf(TqxChartView &chart)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    tovren::model::RecordWriter writer(buffer);
    chart.WriteRecord(writer);
    return bytes;
}

bool readChart(const QByteArray &bytes, TqxChartView &chart)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    tovren::model::RecordReader reader(buffer);
    try {
        chart.ReadRecord(reader);
    } catch (const tovren::model::ERecordFormat &) {
        return false;
    }
    return true;
}

void fuzzChartRecord(const QByteArray &bytes)
{
    TqxChartView first;
    if (!readChart(bytes, first))
        return;
    const QByteArray written = recordOf(first);
    TqxChartView second;
    if (!readChart(written, second) || recordOf(second) != written)
        std::abort(); // what this program writes, it must read back unchanged
    // Sizes beyond a small image say nothing more about the reader; keep runs fast.
    if (second.Width > 0 && second.Width < 400 && second.Height > 0 && second.Height < 400) {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        second.Draw(painter);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Charts draw through a graphics scene, which needs the widgets' application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzChartRecord(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
