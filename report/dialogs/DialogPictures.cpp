#include "report/dialogs/DialogPictures.h"

#include <QPainter>

namespace tovren::dialogs {

namespace {

constexpr QSize kOrientationPictureSize(48, 48);

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap sheetWithLetter(QSize sheet)
{
    QPixmap pixmap = transparentPixmap(kOrientationPictureSize);
    QPainter painter(&pixmap);
    const QRect paper((pixmap.width() - sheet.width()) / 2, (pixmap.height() - sheet.height()) / 2,
                      sheet.width(), sheet.height());
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(paper);
    QFont font = painter.font();
    font.setPixelSize(sheet.height() / 2);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(paper, Qt::AlignCenter, QStringLiteral("A"));
    return pixmap;
}

} // namespace

QIcon printerIcon()
{
    QPixmap pixmap = transparentPixmap(QSize(18, 16));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(5, 1, 8, 5);
    painter.setBrush(Qt::lightGray);
    painter.drawRect(1, 6, 16, 6);
    painter.setBrush(Qt::white);
    painter.drawRect(4, 10, 10, 5);
    return QIcon(pixmap);
}

QIcon reportPageIcon()
{
    QPixmap pixmap = transparentPixmap(QSize(28, 32));
    QPainter painter(&pixmap);
    const QPolygon sheet(
        {QPoint(3, 1), QPoint(19, 1), QPoint(25, 7), QPoint(25, 30), QPoint(3, 30)});
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygon({QPoint(19, 1), QPoint(19, 7), QPoint(25, 7)}));
    painter.fillRect(6, 9, 16, 3, QColor(0, 0, 128)); // the title band
    painter.setPen(QColor(128, 128, 128));
    for (int y = 15; y <= 27; y += 3)
        painter.drawLine(6, y, 21, y);
    return QIcon(pixmap);
}

QPixmap portraitPicture()
{
    return sheetWithLetter(QSize(30, 42));
}

QPixmap landscapePicture()
{
    return sheetWithLetter(QSize(42, 30));
}

QPixmap pixmapWithin(const QImage &image, QSize box)
{
    if (image.isNull())
        return {};
    const QImage shown = (image.width() > box.width() || image.height() > box.height())
                             ? image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             : image;
    return QPixmap::fromImage(shown);
}

} // namespace tovren::dialogs
