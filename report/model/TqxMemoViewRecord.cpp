// The class part of a text object's record: font, alignment, highlight and spacing.
#include "report/model/RecordStream.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"

namespace tovren::model {

namespace {

constexpr int kFirstVersionWithCharset = 23;
constexpr int kFirstVersionWithSpacing = 24;
constexpr int kVersionThatImpliedWordWrap = 21;

quint16 scriptFontStyle(const QFont &font)
{
    return (font.italic() ? fsItalic : 0) | (font.bold() ? fsBold : 0) |
           (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
}

void applyScriptFontStyle(QFont &font, quint16 style)
{
    font.setItalic(style & fsItalic);
    font.setBold(style & fsBold);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
}

} // namespace

void TqxMemoView::ReadRecord(RecordReader &reader)
{
    TqxView::ReadRecord(reader);
    const int version = reader.version();
    const QString family = reader.readStr();
    const qint32 size = reader.readInt();
    // A letter taller than several pages of paper is damage, not design.
    constexpr qint32 kMaxFontPoints = 4096;
    if (size <= 0 || size > kMaxFontPoints)
        throw ERecordFormat("文本对象的字号 " + std::to_string(size) + " 磅无效");
    const quint16 style = reader.readWord();
    const ColorRef color = reader.readColor();
    Alignment = reader.readInt();
    const quint16 charset = reader.readWord();

    Font.setFamily(family);
    Font.setPointSizeF(size);
    applyScriptFontStyle(Font, style);
    FontColor = color;
    FontCharset = version >= kFirstVersionWithCharset
                      ? static_cast<quint8>(charset & 0xFF)
                      : static_cast<quint8>(TqxGlobals::instance().defaultCharset);
    if (RecordMode == 0) {
        HighlightFontStyle = reader.readWord();
        HighlightFontColor = reader.readColor();
        HighlightFillColor = reader.readColor();
        HighlightCondition = reader.readStr();
    }
    if (version >= kFirstVersionWithSpacing) {
        LineSpacing = reader.readExtent();
        CharSpacing = reader.readExtent();
    }
    if (version == kVersionThatImpliedWordWrap)
        setFlag(kWordWrapFlag, true);
}

void TqxMemoView::WriteRecord(RecordWriter &writer)
{
    TqxView::WriteRecord(writer);
    writer.writeStr(Font.family());
    writer.writeInt(roundHalfEven(Font.pointSizeF()));
    writer.writeWord(scriptFontStyle(Font));
    writer.writeColor(FontColor);
    writer.writeInt(Alignment);
    writer.writeWord(FontCharset);
    if (RecordMode == 0) {
        writer.writeWord(HighlightFontStyle);
        writer.writeColor(HighlightFontColor);
        writer.writeColor(HighlightFillColor);
        writer.writeStr(HighlightCondition);
    }
    writer.writeInt(LineSpacing);
    writer.writeInt(CharSpacing);
}

} // namespace tovren::model
