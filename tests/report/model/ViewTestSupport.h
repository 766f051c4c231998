#pragma once

#include "report/model/TqxView.h"

#include <QImage>
#include <QPainter>

namespace tovren::model::testing {

/// The smallest concrete view: draws its background and frame and nothing else.
class PlainView : public TqxView
{
public:
    void Draw(QPainter &painter) override
    {
        AlignInBand();
        BeginDraw(painter);
        PaintBackground(painter);
        PaintFrame(painter);
        EndDraw();
    }
    QString className() const override { return QStringLiteral("PlainView"); }
};

inline QImage whiteCanvas(int width = 200, int height = 200)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

inline bool isColor(const QImage &image, int x, int y, QColor color)
{
    return image.pixelColor(x, y) == color;
}

} // namespace tovren::model::testing
