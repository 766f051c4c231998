#include "report/chart/TqxChartView.h"

#include "ChartPixels.h"
#include "report/chart/ChartRegistration.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace tovren::chart {
namespace {

using model::TqxMemoView;

/// A text object as the builder hands it to hooks: its name and its printed text.
std::unique_ptr<TqxMemoView> printedText(const QString &name, const QString &text)
{
    auto memo = std::make_unique<TqxMemoView>();
    memo->Name = name;
    memo->ExpandedText = QStringList{text};
    return memo;
}

void print(TqxChartView &chart, const QString &name, const QString &text)
{
    chart.NotifyHook(*printedText(name, text));
}

QByteArray recordOf(TqxChartView &chart)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    model::RecordWriter writer(buffer);
    chart.WriteRecord(writer);
    return bytes;
}

std::unique_ptr<TqxChartView> chartFromRecord(const QByteArray &record)
{
    QBuffer buffer;
    buffer.setData(record);
    buffer.open(QIODevice::ReadOnly);
    model::RecordReader reader(buffer);
    auto chart = std::make_unique<TqxChartView>();
    chart->ReadRecord(reader);
    return chart;
}

/// The chart drawn as preview and printing draw it, on a white 640 x 340 image.
QImage rendered(TqxChartView &chart)
{
    model::runState().drawingMode = model::DrawingMode::Output;
    QImage image(640, 340, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.Draw(painter);
    painter.end();
    model::runState().drawingMode = model::DrawingMode::Designing;
    return image;
}

/// Pixels that are not white, leaving out a band of @p inset pixels along the chart's edges.
qsizetype drawnInside(const QImage &image, const TqxChartView &chart, int inset)
{
    qsizetype drawn = 0;
    for (int y = chart.Top + inset; y < chart.Top + chart.Height - inset; ++y)
        for (int x = chart.Left + inset; x < chart.Left + chart.Width - inset; ++x)
            drawn += image.pixel(x, y) != qRgb(255, 255, 255);
    return drawn;
}

/// A framed bar chart of one colour per bar, with nothing but the bars.
std::unique_ptr<TqxChartView> plainBarChart(const QStringList &lines)
{
    auto chart = std::make_unique<TqxChartView>();
    chart->SetBounds(10, 10, 600, 300);
    chart->FrameTyp = model::qxftLeft | model::qxftTop | model::qxftRight | model::qxftBottom;
    chart->Memo = lines;
    ChartSettingsRecord &settings = chart->ChartSettings;
    settings.seriesKind = quint8(SeriesKind::Bar);
    settings.use3D = false;
    settings.legendVisible = false;
    settings.marksVisible = false;
    return chart;
}

TEST(ChartCollecting, LegendAndValuePrintsFillTheTwoLinesInOrder)
{
    TqxChartView chart;
    chart.LegendSource = QStringLiteral("LegendText");
    chart.ValueSource = QStringLiteral("valuetext");
    const char *const legends[] = {"甲", "乙", "丙"};
    const char *const values[] = {"10", "20", "30"};
    for (int i = 0; i < 3; ++i) {
        print(chart, QStringLiteral("legendtext"), QString::fromUtf8(legends[i]));
        print(chart, QStringLiteral("Other"), QStringLiteral("ignored"));
        print(chart, QStringLiteral("ValueText"), QString::fromUtf8(values[i]));
    }
    print(chart, QString(), QStringLiteral("unnamed"));
    EXPECT_EQ(chart.Memo, (QStringList{"甲;乙;丙;", "10;20;30;"}));
}

TEST(ChartCollecting, EachLegendPrintOpensAValueLineOfItsOwnWithSeveralSeries)
{
    TqxChartView chart;
    chart.LegendSource = QStringLiteral("Series");
    chart.ValueSource = QStringLiteral("Value");
    chart.ChartSettings.singleSeries = false;
    for (const auto &[name, text] : {std::pair{"Series", "S1"},
                                     {"Value", "1"},
                                     {"Value", "2"},
                                     {"Series", "S2"},
                                     {"Value", "3"},
                                     {"Value", "4"}})
        print(chart, QString::fromLatin1(name), QString::fromLatin1(text));
    EXPECT_EQ(chart.Memo, (QStringList{"S1;S2;", "1;2;", "3;4;"}));
    EXPECT_EQ(chart.SeriesRow, 2);
}

TEST(ChartDrawing, ThreeValuesDrawThreeBarsSizedByTheirValues)
{
    const auto chart = plainBarChart({"A;B;C", "1;2;3"});
    const QImage image = rendered(*chart);
    const auto bars = testing::firstThreeBars(image);
    ASSERT_GT(bars[0].pixels, 100);
    EXPECT_NEAR(double(bars[1].pixels) / bars[0].pixels, 2.0, 0.15);
    EXPECT_NEAR(double(bars[2].pixels) / bars[0].pixels, 3.0, 0.2);
    EXPECT_LT(bars[0].meanX, bars[1].meanX);
    EXPECT_LT(bars[1].meanX, bars[2].meanX);
}

TEST(ChartDrawing, DataThatMakeNoChartLeaveOnlyTheFrame)
{
    for (const QStringList &lines : {QStringList{"A;B", "1;2;3"}, QStringList{"A;B;C"}}) {
        const auto chart = plainBarChart(lines);
        const QImage image = rendered(*chart);
        EXPECT_EQ(drawnInside(image, *chart, 3), 0) << lines.join(u'|').toStdString();
        EXPECT_EQ(image.pixel(chart->Left, chart->Top + 150), qRgb(0, 0, 0)) << "left frame line";
    }
}

TEST(ChartRecords, ATemplateWithChartsReadsBackToTheSameBytes)
{
    registerChartObject();
    const auto now = [] { return QDateTime(QDate(2026, 3, 1), QTime(10, 30)); };
    model::TqxPages pages;
    model::TemplateSettings settings;
    model::ReportInfo info;
    model::TemplateStream stream(pages, settings, info);
    stream.setClock(now);
    model::TqxPage &page = *pages.page(pages.Add());

    QByteArray settingsBytes(ChartSettingsRecord::kRecordBytes, '\0');
    settingsBytes[0] = 5;  // pie
    settingsBytes[2] = 2;  // a true flag stored as 2
    settingsBytes[30] = 7; // reserved
    qToLittleEndian<qint32>(3, settingsBytes.data() + 8);
    auto collecting = std::make_unique<TqxChartView>();
    collecting->Name = QStringLiteral("Chart1");
    collecting->SetBounds(10, 20, 300, 200);
    collecting->ChartSettings = ChartSettingsRecord::fromBytes(settingsBytes);
    collecting->LegendSource = QStringLiteral("学校");
    collecting->ValueSource = QStringLiteral("人数");
    collecting->OthersLabel = QStringLiteral("其它");
    page.addObject(std::move(collecting));
    auto pictured = std::make_unique<TqxChartView>();
    pictured->Name = QStringLiteral("Chart2");
    pictured->SetBounds(10, 240, 300, 200);
    page.addObject(std::move(pictured));
    auto chosenBeforeData = std::make_unique<TqxChartView>();
    chosenBeforeData->Name = QStringLiteral("Chart3");
    chosenBeforeData->ChartSettings.seriesKind = quint8(SeriesKind::Pie);
    page.addObject(std::move(chosenBeforeData));
    const QByteArray written = stream.toBytes();

    model::TqxPages readPages;
    model::TemplateStream reader(readPages, settings, info);
    reader.setClock(now);
    ASSERT_EQ(reader.read(written), model::TemplateReadResult::Loaded);
    ASSERT_EQ(readPages.page(0)->objectCount(), 3);
    auto &first = dynamic_cast<TqxChartView &>(*readPages.page(0)->object(0));
    EXPECT_EQ(first.ChartSettings.toBytes(), settingsBytes);
    EXPECT_EQ(first.LegendSource, QStringLiteral("学校"));
    auto &second = dynamic_cast<TqxChartView &>(*readPages.page(0)->object(1));
    EXPECT_TRUE(second.StaticPicture.isDrawable()) << "a chart without data keeps a picture";
    auto &third = dynamic_cast<TqxChartView &>(*readPages.page(0)->object(2));
    EXPECT_EQ(third.ChartSettings.kind(), SeriesKind::Pie) << "options chosen before data stay";
    EXPECT_EQ(reader.toBytes(), written);
}

TEST(ChartRecords, APictureFromElsewhereIsKeptAsReadAndDrawsOnlyTheFrame)
{
    // The start of an enhanced metafile: header record type 1, size, and the " EMF" signature.
    QByteArray metafile(88, '\0');
    qToLittleEndian<quint32>(1, metafile.data());
    qToLittleEndian<quint32>(88, metafile.data() + 4);
    metafile.replace(40, 4, " EMF");
    auto source = plainBarChart({});
    source->StaticPicture.load(metafile);
    const QByteArray record = recordOf(*source);

    const auto chart = chartFromRecord(record);
    EXPECT_EQ(chart->StaticPicture.bytes(), metafile);
    EXPECT_EQ(recordOf(*chart), record);
    const QImage image = rendered(*chart);
    EXPECT_EQ(drawnInside(image, *chart, 3), 0);
    EXPECT_EQ(image.pixel(chart->Left, chart->Top + 150), qRgb(0, 0, 0));
}

TEST(ChartRecords, APictureSizeBeyondTheRecordIsAFormatError)
{
    TqxChartView source;
    source.SetBounds(0, 0, 200, 100);
    QByteArray record = recordOf(source);
    ASSERT_TRUE(record.contains("QPIC")) << "a new chart without data stores a picture";
    const qint32 pictureBytes = qint32(record.size() - record.lastIndexOf("QPIC"));
    const qsizetype sizeAt = record.size() - pictureBytes - 4;
    ASSERT_EQ(qFromLittleEndian<qint32>(record.constData() + sizeAt), pictureBytes);
    qToLittleEndian<qint32>(pictureBytes + 1, record.data() + sizeAt);
    EXPECT_THROW(chartFromRecord(record), model::ERecordFormat);
    qToLittleEndian<qint32>(-1, record.data() + sizeAt);
    EXPECT_THROW(chartFromRecord(record), model::ERecordFormat);
}

} // namespace
} // namespace tovren::chart
