#pragma once

#include "report/model/ColorRef.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxObject.h"
#include "report/model/Units.h"
#include "report/model/XmlAttributes.h"

#include <QByteArray>
#include <QRect>
#include <QRegion>
#include <QStringList>
#include <functional>
#include <optional>

class QPainter;

namespace tovren::model {

class RecordReader;
class RecordWriter;
class TqxBandView;

/// A rectangle on the canvas in the platform's convention: right and bottom lie just outside.
struct CanvasRect
{
    DevicePixels left = 0;
    DevicePixels top = 0;
    DevicePixels right = 0;
    DevicePixels bottom = 0;

    QRect toQRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};

/// Scale and offset at which preview and printing draw an object.
struct DrawTransform
{
    double scaleX = 1.0;
    double scaleY = 1.0;
    DevicePixels offsetX = 0;
    DevicePixels offsetY = 0;
};

/// Object kind numbers, the byte before every object record.
enum ObjectKindNumber : quint8 {
    okText = 0,
    okPicture = 1,
    okBand = 2,
    okSubReport = 3,
    okLine = 4,
    okAddIn = 10,
};

/// An element that a template places on a page: the attributes every object shares, the
/// named-property vocabulary of scripts, and the drawing of background and frame.
///
/// The attributes are a plain record that the template reader, the builder and the designer
/// fill directly. Between BeginDraw() and EndDraw() the geometry fields hold canvas pixels
/// instead of design pixels; EndDraw() always restores the design values, so drawing never
/// changes a template.
class TqxView : public TqxObject
{
public:
    static constexpr quint16 kStretchedFlag = 1;
    static constexpr quint16 kHookObjectFlag = 0x8000;

    TqxView();
    ~TqxView() override;

    // TqxObject
    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    script::Variant GetPropertyValue(const QString &name) override;
    script::Variant CallMethod(const QString &name, const script::Variant &p1,
                               const script::Variant &p2, const script::Variant &p3) override;
    void RegisterProperties() override;

    virtual void PaintBackground(QPainter &painter);
    virtual void PaintFrame(QPainter &painter);
    /// Fills the object from a blob field; std::nullopt is a null field.
    virtual void LoadFromBlob(const std::optional<QByteArray> &blob) { Q_UNUSED(blob); }
    /// Called by the builder with every printed object when this object is a hook object.
    virtual void NotifyHook(TqxView &printed) { Q_UNUSED(printed); }
    virtual void AfterTemplateLoad() {}
    virtual void BeginDraw(QPainter &painter);
    virtual void EndDraw();
    /// The left and right gap BeginDraw() sets at scale 1, widened by half the frame; asked
    /// outside drawing.
    DevicePixels unitScaleGapX() const;
    virtual void Draw(QPainter &painter) = 0;
    /// The view part and the class part of the object's record; RecordMode decides between
    /// template and prepared-page records. Reading raises ERecordFormat for a damaged record.
    virtual void ReadRecord(RecordReader &reader);
    virtual void WriteRecord(RecordWriter &writer);
    /// Writes the object as printed into a prepared page: the before-print step and the
    /// object's script run on ExpandedText, then a visible object writes its kind byte and
    /// prepared-page record. @p printingBand is the band being printed, when there is one.
    virtual void PrintToStream(RecordWriter &writer, const TqxBandView *printingBand = nullptr);
    virtual void AfterResize() {}
    /// The attributes of this class that the XML export writes after those every view shares;
    /// text objects and add-ins add theirs here.
    virtual void AddXmlAttributes(XmlAttributes &attributes) const { Q_UNUSED(attributes); }
    /// The area covered by the object and its frame, grown by 10 pixels when @p extended.
    virtual QRegion GetClipRegion(bool extended) const;

    /// The class name by which add-in kinds are registered and stored.
    virtual QString className() const = 0;

    /// Applies BandAlign on RunState's current page and makes this the current object; every
    /// Draw() starts with it.
    void AlignInBand();

    void SetBounds(DesignPixels left, DesignPixels top, DesignPixels width, DesignPixels height);
    bool stretched() const { return Flags & kStretchedFlag; }
    void setStretched(bool on);

    /// Names the object BaseName + n for the first n from 1 that @p isTaken refuses; after
    /// 10000 refusals the name stays empty.
    void MakeUniqueName(const std::function<bool(const QString &)> &isTaken);

    QString Name;
    quint8 ObjectKind = okAddIn;
    quint8 RecordVersionMajor = 0;
    quint8 RecordVersionMinor = 0;
    qint32 ObjectId = 0;
    bool Selected = false;
    QStringList Memo;
    /// Memo after substitution and wrapping; written instead of Memo into prepared pages.
    QStringList ExpandedText;
    QStringList Script;
    DesignPixels Left = 0;
    DesignPixels Top = 0;
    DesignPixels Width = 0;
    DesignPixels Height = 0;
    quint16 Flags = kStretchedFlag;
    quint16 FrameTyp = qxftNone;
    DesignPixelsF FrameWidth = 1;
    ColorRef FrameColor = clBlack;
    quint16 FrameStyle = psSolid;
    ColorRef FillColor = kNoColor;
    qint32 DisplayFormat = 2 * 256 + '.';
    QString CustomFormat;
    bool Visible = true;
    DesignPixels GapX = 2;
    DesignPixels GapY = 1;
    quint16 Restrictions = 0;
    QString Tag;
    quint8 BandAlign = baNone;
    /// 0: records are template records; 1: prepared-page records.
    quint8 RecordMode = 0;
    QString BaseName = QStringLiteral("View");

    DrawTransform Transform;
    /// Computed by BeginDraw(), in canvas pixels.
    CanvasRect DrawRect;
    bool DrawingToPrinter = false;

protected:
    /// Bands and sub-report marks have no frame, fill, tag or alignment of their own.
    virtual bool hasFrameProperties() const { return true; }
    /// The right and bottom edges of the design rectangle under the current transform, unrounded.
    double scaledRight() const;
    double scaledBottom() const;

private:
    struct SavedGeometry
    {
        DesignPixels left, top, width, height;
        DesignPixelsF frameWidth;
        DesignPixels gapX, gapY;
    };
    std::optional<SavedGeometry> m_designGeometry;
};

/// A view whose height can grow with its content; the band engine asks it how tall it must be.
class TqxStretcheable : public TqxView
{
public:
    virtual DesignPixels CalcHeight() = 0;
    virtual DesignPixels MinimumHeight() { return 0; }
    virtual DesignPixels RemainderHeight() { return 0; }
};

} // namespace tovren::model
