#pragma once

#include "report/model/PictureGraphic.h"
#include "report/model/TqxView.h"

namespace tovren::model {

/// Shows a bitmap, metafile, icon or JPEG image, stored in the template or loaded from a blob
/// field named by the first line of Memo. A metafile is kept and written back as it was read,
/// but only its place is drawn: a frame with crossed diagonals.
class TqxPictureView : public TqxView
{
public:
    static constexpr quint16 kCenterFlag = 2;
    static constexpr quint16 kKeepAspectFlag = 4;

    TqxPictureView();

    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    script::Variant GetPropertyValue(const QString &name) override;
    script::Variant CallMethod(const QString &name, const script::Variant &p1,
                               const script::Variant &p2, const script::Variant &p3) override;
    void RegisterProperties() override;
    void LoadFromBlob(const std::optional<QByteArray> &blob) override;
    void Draw(QPainter &painter) override;
    void ReadRecord(RecordReader &reader) override;
    void WriteRecord(RecordWriter &writer) override;
    QString className() const override { return QStringLiteral("TqxPictureView"); }

    /// Where the graphic goes inside DrawRect; valid between BeginDraw() and EndDraw().
    QRect targetRect() const;

    PictureGraphic Picture;
    quint8 BlobType = btBMP;

private:
    void drawUndrawnPlaceholder(QPainter &painter) const;
    void setFlag(quint16 flag, bool on) { Flags = on ? (Flags | flag) : (Flags & ~flag); }
};

} // namespace tovren::model
