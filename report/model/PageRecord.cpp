#include "report/model/PageRecord.h"

#include "report/model/RecordStream.h"
#include "report/model/TqxPage.h"

namespace tovren::model {

namespace {

constexpr qint32 kCurrentPageMarker = -1;
constexpr int kOldPageGapBytes = 6;

// Stored border styles 0 and 1 are the older numbering of the dialog border kinds.
quint8 borderStyleFromStore(quint8 stored)
{
    switch (stored) {
    case 0:
        return 3;
    case 1:
        return 2;
    default:
        return stored;
    }
}

} // namespace

void readPageRecord(RecordReader &reader, TqxPage &page,
                    const std::function<bool(const QString &)> &isPageNameTaken)
{
    const int version = reader.version();
    const qint32 marker = reader.readInt();
    const bool current = marker == kCurrentPageMarker;
    SheetRequest sheet;
    sheet.paperCode = current ? reader.readInt() : marker;
    sheet.width = reader.readExtent();
    sheet.height = reader.readExtent();
    page.Margins.left = reader.readExtent();
    page.Margins.top = reader.readExtent();
    page.Margins.right = reader.readExtent();
    page.Margins.bottom = reader.readExtent();
    sheet.landscape = reader.readByte() != 0;
    if (version < 23)
        reader.readBytes(kOldPageGapBytes);
    sheet.bin = version >= 24 ? reader.readInt() : SheetRequest::kDefaultBin;
    page.PrintToPrevPage = reader.readBool16();
    page.UseMargins = reader.readBool16();
    page.ColCount = reader.readInt();
    page.ColGap = reader.readExtent();
    if (version >= 24) {
        page.PageType = reader.readByte();
        page.Name = reader.readStr();
        page.BorderStyle = borderStyleFromStore(reader.readByte());
        page.Caption = reader.readStr();
        page.Color = reader.readColor();
        page.Left = reader.readExtent();
        page.Top = reader.readExtent();
        page.Width = reader.readExtent();
        page.Height = reader.readExtent();
        page.Position = reader.readByte() != 0 ? 4 : 0;
        if (current)
            page.Script = reader.readStrList();
    } else {
        page.MakeUniquePageName(isPageNameTaken);
    }
    page.ChangePaper(sheet);
}

void writePageRecord(RecordWriter &writer, const TqxPage &page)
{
    writer.writeInt(kCurrentPageMarker);
    writer.writeInt(page.PaperSize);
    writer.writeInt(page.PaperWidth);
    writer.writeInt(page.PaperHeight);
    writer.writeInt(page.Margins.left);
    writer.writeInt(page.Margins.top);
    writer.writeInt(page.Margins.right);
    writer.writeInt(page.Margins.bottom);
    writer.writeByte(page.Orientation);
    writer.writeInt(page.PaperBin);
    writer.writeBool16(page.PrintToPrevPage);
    writer.writeBool16(page.UseMargins);
    writer.writeInt(page.ColCount);
    writer.writeInt(page.ColGap);
    writer.writeByte(page.PageType);
    writer.writeStr(page.Name);
    writer.writeByte(page.BorderStyle);
    writer.writeStr(page.Caption);
    writer.writeColor(page.Color);
    writer.writeInt(page.Left);
    writer.writeInt(page.Top);
    writer.writeInt(page.Width);
    writer.writeInt(page.Height);
    writer.writeByte(page.Position);
    writer.writeStrList(page.Script);
}

} // namespace tovren::model
