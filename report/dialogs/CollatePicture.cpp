#include "report/dialogs/CollatePicture.h"

#include <QPainter>

namespace tovren::dialogs {

namespace {

// One numbered sheet of a copy, drawn as the platform's copy pictures draw it.
void drawSheet(QPainter &painter, const QRect &sheet, int number)
{
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.drawText(sheet, Qt::AlignCenter, QString::number(number));
}

// Two copies of pages 1-3 as stacks: 1 2 3 | 1 2 3. Fits 74 x 53 at (8, 0).
void drawCollated(QPainter &painter)
{
    for (int copy = 0; copy < 2; ++copy) {
        const int left = 8 + copy * 38;
        for (int page = 3; page >= 1; --page) {
            const int shift = (3 - page) * 6;
            drawSheet(painter, QRect(left + 12 - shift, 12 - shift, 22, 30), page);
        }
    }
}

// Pages side by side, each stacked twice: 1 1 | 2 2 | 3 3. Fits 92 x 40 at (0, 8).
void drawUncollated(QPainter &painter)
{
    for (int page = 1; page <= 3; ++page) {
        const int left = (page - 1) * 31;
        for (int copy = 1; copy >= 0; --copy)
            drawSheet(painter, QRect(left + copy * 6, 8 + 10 - copy * 6, 22, 28), page);
    }
}

} // namespace

CollatePicture::CollatePicture(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(92, 53);
}

void CollatePicture::setCollated(bool collated)
{
    if (collated == m_collated)
        return;
    m_collated = collated;
    update();
}

void CollatePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    if (m_collated)
        drawCollated(painter);
    else
        drawUncollated(painter);
}

} // namespace tovren::dialogs
