#include "report/chart/TqxChartView.h"

#include "report/chart/ChartPlan.h"
#include "report/chart/ChartRenderer.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"

#include <QPainter>

namespace tovren::chart {

namespace {

enum RecordMode : quint8 { DataDefinition = 0, Picture = 1 };

bool namesSource(const QString &name, const QString &source)
{
    // An unnamed source names no object, not every object without a name.
    return !source.isEmpty() && name.compare(source, Qt::CaseInsensitive) == 0;
}

} // namespace

TqxChartView::TqxChartView()
{
    ObjectKind = model::okAddIn;
    BaseName = QStringLiteral("Chart");
    Flags |= kHookObjectFlag;
}

void TqxChartView::RegisterProperties()
{
    TqxView::RegisterProperties();
    addProperty(QStringLiteral("Chart"), model::pkHasEditor | model::pkSingleSelection);
}

bool TqxChartView::hasDataDefinition() const
{
    return !Memo.isEmpty() || !LegendSource.isEmpty() || !ValueSource.isEmpty();
}

void TqxChartView::NotifyHook(model::TqxView &printed)
{
    if (!LegendSource.isEmpty() && !ValueSource.isEmpty() && Memo.size() < 2)
        Memo = QStringList{QString(), QString()};
    qsizetype target = 0;
    if (namesSource(printed.Name, LegendSource)) {
        target = 0;
        if (!ChartSettings.singleSeries)
            ++SeriesRow;
    } else if (namesSource(printed.Name, ValueSource)) {
        target = ChartSettings.singleSeries ? 1 : SeriesRow;
    } else {
        return;
    }
    while (Memo.size() <= target)
        Memo << QString();
    if (!printed.ExpandedText.isEmpty())
        Memo[target] += printed.ExpandedText.first() + u';';
}

void TqxChartView::PrintToStream(model::RecordWriter &writer,
                                 const model::TqxBandView *printingBand)
{
    TqxView::PrintToStream(writer, printingBand);
    Memo.clear();
    SeriesRow = 0;
}

void TqxChartView::Draw(QPainter &painter)
{
    AlignInBand();
    ExpandedText = Memo;
    const QSizeF designSize(Width, Height);
    BeginDraw(painter);
    if (!RenderChart(painter, designSize))
        PaintBackground(painter);
    PaintFrame(painter);
    EndDraw();
}

QColor TqxChartView::backgroundColor() const
{
    return FillColor == model::kNoColor ? QColor(Qt::white) : model::toQColor(FillColor);
}

bool TqxChartView::RenderChart(QPainter &painter, const QSizeF &designSize)
{
    if (model::runState().suppressDrawing)
        return true;
    const QRectF target(DrawRect.left, DrawRect.top, DrawRect.right - DrawRect.left,
                        DrawRect.bottom - DrawRect.top);
    if (designSize.isEmpty() || target.isEmpty())
        return false;
    if (!hasDataDefinition() && !StaticPicture.isEmpty())
        return StaticPicture.drawFitted(painter, target);

    std::optional<ChartPlan> plan;
    if (hasDataDefinition()) {
        plan = planChart(Memo, ChartSettings, OthersLabel);
        if (!plan)
            return false;
    }
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / designSize.width(), target.height() / designSize.height());
    if (plan)
        ChartRenderer(*plan, ChartSettings).paint(painter, designSize, backgroundColor());
    else
        ChartRenderer::paintBare(painter, designSize, backgroundColor());
    painter.restore();
    return true;
}

QByteArray TqxChartView::pictureToStore() const
{
    if (!StaticPicture.isEmpty())
        return StaticPicture.bytes();
    const QSizeF designSize(Width, Height);
    const QColor background = backgroundColor();
    return ChartPicture::record(designSize,
                                [&](QPainter &painter) {
                                    ChartRenderer::paintBare(painter, designSize, background);
                                })
        .bytes();
}

void TqxChartView::ReadRecord(model::RecordReader &reader)
{
    TqxView::ReadRecord(reader);
    StaticPicture.clear();
    if (reader.readByte() == Picture) {
        const qint32 size = reader.readInt();
        if (size < 0 || size > reader.size() - reader.pos())
            throw model::ERecordFormat("图表图片的长度超出了记录中剩余的数据");
        StaticPicture.load(reader.readBytes(size));
        // A picture record stands for a chart without options: reading one into an existing
        // chart (as undo does) must not leave the options it had before.
        ChartSettings = ChartSettingsRecord();
        LegendSource.clear();
        ValueSource.clear();
        OthersLabel.clear();
        return;
    }
    ChartSettings =
        ChartSettingsRecord::fromBytes(reader.readBytes(ChartSettingsRecord::kRecordBytes));
    LegendSource = reader.readStr();
    ValueSource = reader.readStr();
    OthersLabel = reader.readStr();
}

bool TqxChartView::keepsOptionsWithoutData() const
{
    // The picture record has no room for options: options chosen before the chart has data
    // are stored in a data record without lines instead, unless a picture is to be kept.
    return StaticPicture.isEmpty() &&
           (!(ChartSettings == ChartSettingsRecord()) || !OthersLabel.isEmpty());
}

void TqxChartView::WriteRecord(model::RecordWriter &writer)
{
    TqxView::WriteRecord(writer);
    if (hasDataDefinition() || keepsOptionsWithoutData()) {
        writer.writeByte(DataDefinition);
        writer.writeBytes(ChartSettings.toBytes());
        writer.writeStr(LegendSource);
        writer.writeStr(ValueSource);
        writer.writeStr(OthersLabel);
        return;
    }
    const QByteArray picture = pictureToStore();
    writer.writeByte(Picture);
    writer.writeInt(qint32(picture.size()));
    writer.writeBytes(picture);
}

} // namespace tovren::chart
