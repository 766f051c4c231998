#pragma once

#include "report/model/BandType.h"
#include "report/model/TqxView.h"

namespace tovren::model {

/// The design-time form of a band: a strip of the page whose type decides when the builder
/// prints it. The type lives in the low 7 bits of FrameTyp; a band has no frame of its own.
///
/// The property list follows the type: setBandType() rebuilds it, so the inspector never
/// offers an option that the type does not have.
class TqxBandView : public TqxView
{
public:
    static constexpr quint16 kFormNewPageFlag = 2;
    static constexpr quint16 kPrintIfSubsetEmptyFlag = 4;
    static constexpr quint16 kBreakedFlag = 8;
    static constexpr quint16 kOnFirstPageFlag = 16;
    static constexpr quint16 kOnLastPageFlag = 32;
    static constexpr quint16 kRepeatHeaderFlag = 64;
    static constexpr quint16 kPrintChildIfInvisibleFlag = 128;
    static constexpr quint16 kBandTypeMask = 0x7F;

    TqxBandView();

    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    script::Variant GetPropertyValue(const QString &name) override;
    void RegisterProperties() override;
    void Draw(QPainter &painter) override;
    QRegion GetClipRegion(bool extended) const override;
    void ReadRecord(RecordReader &reader) override;
    void WriteRecord(RecordWriter &writer) override;
    QString className() const override { return QStringLiteral("TqxBandView"); }

    int bandType() const { return FrameTyp & kBandTypeMask; }
    void setBandType(int type);
    QString title() const;
    /// Width of the title tab: the title in the label font plus 8, but at least 100.
    DesignPixels BandTitleWidth() const;

    QString ChildBand;
    qint32 Columns = 1;
    DesignPixels ColumnWidth = 200;
    DesignPixels ColumnGap = 20;
    qint32 NewColumnAfter = 1;
    QString Master;

protected:
    bool hasFrameProperties() const override { return false; }

private:
    void setFlag(quint16 flag, bool on) { Flags = on ? (Flags | flag) : (Flags & ~flag); }
    QRect titleTabRect() const;
    void drawTitle(QPainter &painter) const;
};

} // namespace tovren::model
