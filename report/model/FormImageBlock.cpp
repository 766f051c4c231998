#include "report/model/FormImageBlock.h"

#include "report/model/FormImage.h"
#include "report/model/RecordStream.h"
#include "report/model/TqxPages.h"

namespace tovren::model {

namespace {

constexpr char kSignature[] = "QXFI";
constexpr qint64 kSignatureBytes = 4;
constexpr quint16 kBlockVersion = 1;

} // namespace

void FormImageBlock::write(RecordWriter &writer, const TqxPages &pages)
{
    qint32 count = 0;
    for (qsizetype i = 0; i < pages.Count(); ++i)
        count += pages.page(i)->formImage ? 1 : 0;
    if (count == 0)
        return;
    writer.writeBytes(QByteArray(kSignature, kSignatureBytes));
    writer.writeWord(kBlockVersion);
    writer.writeInt(count);
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        const auto &image = pages.page(i)->formImage;
        if (!image)
            continue;
        writer.writeInt(static_cast<qint32>(i));
        writer.writeInt(static_cast<qint32>(image->bytes().size()));
        writer.writeBytes(image->bytes());
    }
}

void FormImageBlock::read(RecordReader &reader, TqxPages &pages)
{
    if (reader.size() - reader.pos() < kSignatureBytes)
        return;
    const qint64 start = reader.pos();
    if (reader.readBytes(kSignatureBytes) != QByteArray(kSignature, kSignatureBytes)) {
        reader.seek(start);
        return;
    }
    if (reader.readWord() != kBlockVersion)
        throw ERecordFormat("表格底图块的版本未知");
    const qint32 count = reader.readInt();
    if (count < 0)
        throw ERecordFormat("表格底图的数目为负数");
    for (qint32 i = 0; i < count; ++i) {
        const qint32 pageIndex = reader.readInt();
        const qint32 length = reader.readInt();
        if (length < 0)
            throw ERecordFormat("表格底图的长度为负数");
        // readBytes checks the length against what is left, so a damaged length reserves nothing.
        const QByteArray bytes = reader.readBytes(length);
        TqxPage *page = pages.page(pageIndex);
        if (!page)
            throw ERecordFormat("表格底图属于不存在的页");
        page->formImage = std::make_shared<const FormImage>(FormImage::fromStored(bytes));
    }
}

} // namespace tovren::model
