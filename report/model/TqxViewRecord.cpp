// The stored records of the built-in object classes: the view part every object shares and
// the class parts of bands, pictures and sub-report marks. Lines have no class part.
#include "report/model/ObjectRecord.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"

#include <cmath>

namespace tovren::model {

namespace {

constexpr quint8 kWrittenRecordMajor = 2;
constexpr qint32 kWholeFrameWidthLimit = 10;

int recordVersion(const TqxView &view)
{
    return view.RecordVersionMajor * 10 + view.RecordVersionMinor;
}

// Stored widths up to the limit are whole pixels and larger ones thousandths of a pixel, so a
// whole width above the limit goes in thousandths too, and a width too thin for its thousandths
// to stand apart from whole pixels is stored as the nearest whole one: either way it reads back
// as it was written.
qint32 storedFrameWidth(DesignPixelsF width)
{
    const double whole = std::floor(width);
    if (whole == width && whole <= kWholeFrameWidthLimit)
        return static_cast<qint32>(whole);
    const qint32 thousandths = roundHalfEven(width * 1000.0);
    if (thousandths > kWholeFrameWidthLimit)
        return thousandths;
    return roundHalfEven(width);
}

DesignPixelsF frameWidthFromStore(qint32 stored)
{
    return stored <= kWholeFrameWidthLimit ? DesignPixelsF(stored) : DesignPixelsF(stored / 1000.0);
}

} // namespace

void TqxView::ReadRecord(RecordReader &reader)
{
    const int version = reader.version();
    const bool design = RecordMode == 0;
    if (version >= 24 || (version == 23 && design))
        Name = reader.readStr();
    if (version >= 24) {
        RecordVersionMajor = reader.readByte();
        RecordVersionMinor = reader.readByte();
    }
    Left = reader.readExtent();
    Top = reader.readExtent();
    Width = reader.readExtent();
    Height = reader.readExtent();
    Flags = reader.readWord();
    FrameTyp = reader.readWord();
    FrameWidth = frameWidthFromStore(reader.readInt());
    FrameColor = reader.readColor();
    FrameStyle = reader.readWord();
    FillColor = reader.readColor();
    if (design) {
        DisplayFormat = reader.readInt();
        CustomFormat = reader.readStr();
    }
    Memo = reader.readStrList();
    if (design && version >= 23) {
        Script = reader.readStrList();
        Visible = reader.readBool16();
    }
    if (version >= 24) {
        Restrictions = reader.readWord();
        Tag = reader.readStr();
        GapX = reader.readExtent();
        GapY = reader.readExtent();
    }
    if (RecordVersionMajor > 1)
        BandAlign = reader.readByte();
}

void TqxView::WriteRecord(RecordWriter &writer)
{
    const bool design = RecordMode == 0;
    RecordVersionMajor = kWrittenRecordMajor;
    if (ObjectKind == okBand)
        RecordVersionMinor = 1;
    writer.writeStr(Name);
    writer.writeByte(RecordVersionMajor);
    writer.writeByte(RecordVersionMinor);
    writer.writeInt(Left);
    writer.writeInt(Top);
    writer.writeInt(Width);
    writer.writeInt(Height);
    writer.writeWord(Flags);
    writer.writeWord(FrameTyp);
    writer.writeInt(storedFrameWidth(FrameWidth));
    writer.writeColor(FrameColor);
    writer.writeWord(FrameStyle);
    writer.writeColor(FillColor);
    if (design) {
        writer.writeInt(DisplayFormat);
        writer.writeStr(CustomFormat);
    }
    writer.writeStrList(design ? Memo : ExpandedText);
    if (design) {
        writer.writeStrList(Script);
        writer.writeBool16(Visible);
    }
    writer.writeWord(Restrictions);
    writer.writeStr(Tag);
    writer.writeInt(GapX);
    writer.writeInt(GapY);
    writer.writeByte(BandAlign);
}

void TqxView::PrintToStream(RecordWriter &writer, const TqxBandView *printingBand)
{
    Q_UNUSED(printingBand);
    ExpandedText = Memo;
    RunState &state = runState();
    if (state.beforePrint)
        state.beforePrint(*this);
    if (state.runObjectScript && !Script.isEmpty())
        state.runObjectScript(*this);
    if (Visible)
        writePreparedObject(writer, *this);
}

void TqxBandView::ReadRecord(RecordReader &reader)
{
    TqxView::ReadRecord(reader);
    if (reader.version() < 24)
        return;
    ChildBand = reader.readStr();
    Columns = reader.readInt();
    ColumnWidth = reader.readExtent();
    ColumnGap = reader.readExtent();
    NewColumnAfter = reader.readInt();
    if (recordVersion(*this) > 20)
        Master = reader.readStr();
}

void TqxBandView::WriteRecord(RecordWriter &writer)
{
    TqxView::WriteRecord(writer);
    writer.writeStr(ChildBand);
    writer.writeInt(Columns);
    writer.writeInt(ColumnWidth);
    writer.writeInt(ColumnGap);
    writer.writeInt(NewColumnAfter);
    writer.writeStr(Master);
}

void TqxPictureView::ReadRecord(RecordReader &reader)
{
    TqxView::ReadRecord(reader);
    const quint8 kind = reader.readByte();
    if (kind > quint8(PictureGraphic::Kind::Jpeg))
        throw ERecordFormat("记录中的图片类型未知");
    if (recordVersion(*this) > 10)
        BlobType = reader.readByte();
    const qint64 end = reader.readInt();
    if (end < reader.pos())
        throw ERecordFormat("图片数据的结束位置在其开始之前");
    const QByteArray bytes = reader.readBytes(end - reader.pos());
    // Undecodable picture data leaves an empty picture; the rest of the template still loads.
    Picture.load(static_cast<PictureGraphic::Kind>(kind), bytes);
    reader.seek(end);
}

void TqxPictureView::WriteRecord(RecordWriter &writer)
{
    TqxView::WriteRecord(writer);
    const bool empty = Picture.kind() == PictureGraphic::Kind::None;
    writer.writeByte(static_cast<quint8>(Picture.kind()));
    writer.writeByte(BlobType);
    const QByteArray bytes = empty ? QByteArray() : Picture.bytes();
    writer.writeInt(static_cast<qint32>(writer.pos() + 4 + bytes.size()));
    writer.writeBytes(bytes);
}

void TqxSubReportView::ReadRecord(RecordReader &reader)
{
    TqxView::ReadRecord(reader);
    SubReportPage = reader.readInt();
}

void TqxSubReportView::WriteRecord(RecordWriter &writer)
{
    TqxView::WriteRecord(writer);
    writer.writeInt(SubReportPage);
}

} // namespace tovren::model
