#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tovren::model {

/// The graphic of a picture object: a bitmap, metafile, icon or JPEG image.
///
/// It keeps the bytes it was loaded from, so a template writes back exactly what it read even
/// for kinds that are only shown, and it decodes them once through Qt's image readers (libjpeg
/// for JPEG). Bytes that do not decode leave the graphic empty and report why; nothing raises.
class PictureGraphic
{
public:
    /// Numbers as stored before the graphic in a template record.
    enum class Kind : quint8 { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, Jpeg = 4 };

    Kind kind() const { return m_kind; }
    /// Nothing to draw: no graphic, or one that is only kept (see isKeptUndrawn()).
    bool isEmpty() const { return m_image.isNull(); }
    /// A graphic kept byte for byte that cannot be drawn here (a metafile): its object shows
    /// where it stands instead, and writes it back unchanged.
    bool isKeptUndrawn() const { return m_kind == Kind::Metafile && m_image.isNull(); }
    const QImage &image() const { return m_image; }
    const QByteArray &bytes() const { return m_bytes; }
    QString errorString() const { return m_error; }

    /// Replaces the graphic by @p bytes of @p kind; false (and an empty graphic) when they do
    /// not decode. A metafile is kept but stays empty: there is no metafile reader here.
    bool load(Kind kind, const QByteArray &bytes);
    /// The kind follows the file's extension (.bmp, .jpg/.jpeg, .ico, .wmf/.emf), as the
    /// original picture editor decided; other extensions are refused.
    bool loadFromFile(const QString &fileName);
    void clear();

    static Kind kindForExtension(const QString &suffix);

private:
    Kind m_kind = Kind::None;
    QByteArray m_bytes;
    QImage m_image;
    QString m_error;
};

} // namespace tovren::model
