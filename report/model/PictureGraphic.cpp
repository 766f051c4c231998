#include "report/model/PictureGraphic.h"

#include "report/platform/FileProblems.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tovren::model {

namespace {

QByteArray readerFormat(PictureGraphic::Kind kind)
{
    switch (kind) {
    case PictureGraphic::Kind::Bitmap:
        return "bmp";
    case PictureGraphic::Kind::Icon:
        return "ico";
    case PictureGraphic::Kind::Jpeg:
        return "jpeg";
    case PictureGraphic::Kind::Metafile:
    case PictureGraphic::Kind::None:
        break;
    }
    return {};
}

} // namespace

PictureGraphic::Kind PictureGraphic::kindForExtension(const QString &suffix)
{
    const QString lower = suffix.toLower();
    if (lower == u"bmp")
        return Kind::Bitmap;
    if (lower == u"jpg" || lower == u"jpeg")
        return Kind::Jpeg;
    if (lower == u"ico")
        return Kind::Icon;
    if (lower == u"wmf" || lower == u"emf")
        return Kind::Metafile;
    return Kind::None;
}

void PictureGraphic::clear()
{
    m_kind = Kind::None;
    m_bytes.clear();
    m_image = QImage();
    m_error.clear();
}

bool PictureGraphic::load(Kind kind, const QByteArray &bytes)
{
    clear();
    if (kind == Kind::None)
        return true;
    if (kind == Kind::Metafile) {
        m_kind = kind;
        m_bytes = bytes;
        return true;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, readerFormat(kind));
    QImage image = reader.read();
    if (image.isNull()) {
        m_error = QStringLiteral("图片数据无法读取: ") + reader.errorString();
        return false;
    }
    m_kind = kind;
    m_bytes = bytes;
    m_image = std::move(image);
    return true;
}

bool PictureGraphic::loadFromFile(const QString &fileName)
{
    const Kind kind = kindForExtension(QFileInfo(fileName).suffix());
    QFile file(fileName);
    if (kind == Kind::None || !file.open(QIODevice::ReadOnly)) {
        clear();
        const QString problem = platform::readProblem(fileName);
        m_error = kind == Kind::None ? QStringLiteral("图片文件 %1 的扩展名未知").arg(fileName)
                  : problem.isEmpty()
                      ? QStringLiteral("无法打开图片文件 %1").arg(fileName)
                      : QStringLiteral("无法打开图片文件 %1: %2").arg(fileName, problem);
        return false;
    }
    return load(kind, file.readAll());
}

} // namespace tovren::model
