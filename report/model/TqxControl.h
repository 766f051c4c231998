#pragma once

#include "report/model/TqxView.h"

namespace tovren::model {

/// Base of the controls placed on dialog pages. The model knows only their geometry and
/// visibility; the widget layer derives from it, wraps a real control and paints it.
class TqxControl : public TqxView
{
public:
    TqxControl();

    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    void RegisterProperties() override;
    void Draw(QPainter &painter) override;

    /// Renders the wrapped control at (Left, Top), Width + 1 by Height + 1 pixels.
    virtual void PaintControl(QPainter &painter) = 0;

protected:
    /// Shows or hides the wrapped control when scripts change Visible.
    virtual void setControlVisible(bool visible) { Q_UNUSED(visible); }
};

} // namespace tovren::model
