#include "report/model/TqxControl.h"

namespace tovren::model {

using script::Variant;

TqxControl::TqxControl()
{
    ObjectKind = okAddIn;
    FillColor = clBtnFace;
    FrameTyp = qxftNone;
}

void TqxControl::SetPropertyValue(const QString &name, const Variant &value)
{
    TqxView::SetPropertyValue(name, value);
    if (name.toUpper() == u"VISIBLE")
        setControlVisible(Visible);
}

void TqxControl::RegisterProperties()
{
    clearProperties();
    addProperty(QStringLiteral("Name"), pkText | pkSingleSelection);
    for (const char *geometry : {"Left", "Top", "Width", "Height"})
        addProperty(QString::fromLatin1(geometry), pkSize);
    addProperty(QStringLiteral("Visible"), pkBoolean);
    addProperty(QStringLiteral("Restrictions"), pkHasEditor);
}

void TqxControl::Draw(QPainter &painter)
{
    AlignInBand();
    BeginDraw(painter);
    PaintControl(painter);
    EndDraw();
}

} // namespace tovren::model
