#include "report/engine/GalleryFile.h"

#include "report/model/RecordStream.h"
#include "report/model/TemplatePageList.h"

namespace tovren::engine {

using model::PictureGraphic;

namespace {

/// The template part is always the current page format; gallery files carry no version.
constexpr int kGalleryStreamVersion = 25;

} // namespace

void GalleryFile::write(QIODevice &file, const Preview &preview, const model::TqxPages &pages,
                        const model::TemplateSettings &settings,
                        const model::TemplateBlockHandler &blocks)
{
    model::RecordWriter writer(file);
    writer.writeStrList(preview.description);
    const qint64 offsetField = file.pos();
    writer.writeInt(0);
    const bool hasPicture = preview.picture.kind() != PictureGraphic::Kind::None;
    writer.writeByte(hasPicture ? 1 : 0);
    if (hasPicture) {
        // The picture as a picture object stores it: kind, end offset, bytes.
        const QByteArray &bytes = preview.picture.bytes();
        writer.writeByte(static_cast<quint8>(preview.picture.kind()));
        writer.writeInt(static_cast<qint32>(writer.pos() + 4 + bytes.size()));
        writer.writeBytes(bytes);
    }
    const qint64 templateStart = file.pos();
    file.seek(offsetField);
    writer.writeInt(static_cast<qint32>(templateStart));
    file.seek(templateStart);
    model::writePageList(writer, pages, settings, blocks);
}

GalleryFile::Preview GalleryFile::readPreview(QIODevice &file)
{
    model::RecordReader reader(file, kGalleryStreamVersion);
    Preview preview;
    preview.description = reader.readStrList();
    reader.readInt();
    if (reader.readByte() == 1) {
        const quint8 kind = reader.readByte();
        if (kind > quint8(PictureGraphic::Kind::Jpeg))
            throw model::ERecordFormat("模板库文件中的图片类型未知");
        const qint64 end = reader.readInt();
        if (end < reader.pos())
            throw model::ERecordFormat("图片数据的结束位置在其开始之前");
        preview.picture.load(static_cast<PictureGraphic::Kind>(kind),
                             reader.readBytes(end - reader.pos()));
    }
    return preview;
}

void GalleryFile::readTemplate(QIODevice &file, model::TqxPages &pages,
                               model::TemplateSettings &settings,
                               model::TemplateBlockHandler &blocks)
{
    model::RecordReader reader(file, kGalleryStreamVersion);
    reader.readStrList();
    const qint64 templateStart = reader.readInt();
    if (templateStart < reader.pos() || templateStart > file.size())
        throw model::ERecordFormat("模板库文件中的位置超出了文件范围");
    reader.seek(templateStart);
    model::readPageList(reader, pages, settings, blocks);
}

} // namespace tovren::engine
