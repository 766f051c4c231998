#pragma once

#include "report/model/TqxView.h"

namespace tovren::model {

/// A horizontal or vertical line: a view whose only drawing is its top or left frame line.
/// The orientation is decided anew from the shape at every drawing and stays in the object.
class TqxLineView : public TqxStretcheable
{
public:
    TqxLineView();

    void RegisterProperties() override;
    void Draw(QPainter &painter) override;
    QRegion GetClipRegion(bool extended) const override;
    QString className() const override { return QStringLiteral("TqxLineView"); }

    DesignPixels CalcHeight() override { return Height; }
    DesignPixels MinimumHeight() override { return 1; }
    DesignPixels RemainderHeight() override { return 0; }

    /// Makes the line horizontal when it is wider than high, else vertical.
    void applyOrientation();
};

} // namespace tovren::model
