#include "report/model/TqxControl.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;

class ButtonLike : public TqxControl
{
public:
    void PaintControl(QPainter &painter) override
    {
        painter.fillRect(QRect(Left, Top, Width + 1, Height + 1), toQColor(FillColor));
    }
    QString className() const override { return QStringLiteral("TqxButtonControl"); }

    std::vector<bool> shown;

protected:
    void setControlVisible(bool visible) override { shown.push_back(visible); }
};

TEST(TqxControl, ListsOnlyGeometryVisibilityAndRestrictions)
{
    ButtonLike control;
    control.RegisterProperties();
    ASSERT_EQ(control.Properties().size(), 7u);
    EXPECT_EQ(control.Properties().front().PropKind, 257);
    EXPECT_EQ(control.findProperty("Memo"), nullptr);
    EXPECT_EQ(control.FillColor, clBtnFace);
    EXPECT_EQ(control.ObjectKind, okAddIn);
}

TEST(TqxControl, VisibilityReachesTheWrappedControl)
{
    ButtonLike control;
    control.SetPropertyValue("visible", Variant(false));
    control.CallMethod("SHOW", {}, {}, {});
    EXPECT_EQ(control.shown, std::vector<bool>({false, true}));
}

TEST(TqxControl, PaintsAtItsPlace)
{
    ButtonLike control;
    control.SetBounds(5, 5, 10, 10);
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    control.Draw(painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(15, 15), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixelColor(16, 16), QColor(Qt::white));
}

} // namespace
} // namespace tovren::model
