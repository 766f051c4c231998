#include "report/designer/DesignerStatusBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace tovren::designer {

namespace {

constexpr int kIconSize = 16;

void drawPanel(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

/// A cross-hair: the position of what the panel describes.
void drawPositionIcon(QPainter &painter, QPoint at)
{
    painter.save();
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawRect(at.x() + 3, at.y() + 3, 9, 9);
    painter.drawLine(at.x() + 7, at.y(), at.x() + 7, at.y() + 15);
    painter.drawLine(at.x(), at.y() + 7, at.x() + 15, at.y() + 7);
    painter.restore();
}

/// Two nested frames with a corner arrow: the size of what the panel describes.
void drawSizeIcon(QPainter &painter, QPoint at)
{
    painter.save();
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawRect(at.x() + 1, at.y() + 1, 7, 7);
    painter.setPen(QPen(QColor(40, 40, 140), 1, Qt::DashLine));
    painter.drawRect(at.x() + 1, at.y() + 1, 13, 13);
    painter.restore();
}

} // namespace

DesignerStatusBar::DesignerStatusBar(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

QSize DesignerStatusBar::sizeHint() const
{
    return {kUnitPanelWidth + kPositionPanelWidth + 200, fontMetrics().height() + 8};
}

void DesignerStatusBar::setContent(const StatusBarContent &content)
{
    m_content = content;
    update();
}

void DesignerStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 1, -1, -1);
    const QRect unitPanel(area.left(), area.top(), kUnitPanelWidth - 2, area.height());
    const QRect positionPanel(kUnitPanelWidth, area.top(), kPositionPanelWidth - 2, area.height());
    const QRect textPanel(kUnitPanelWidth + kPositionPanelWidth, area.top(),
                          area.right() - kUnitPanelWidth - kPositionPanelWidth, area.height());
    for (const QRect &panel : {unitPanel, positionPanel, textPanel})
        drawPanel(painter, panel, palette());

    painter.setPen(palette().color(QPalette::WindowText));
    const int textFlags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;
    painter.drawText(unitPanel.adjusted(4, 0, -2, 0), textFlags, m_content.unitName);

    const int iconTop = positionPanel.top() + (positionPanel.height() - kIconSize) / 2;
    drawPositionIcon(painter, {positionPanel.left() + 2, iconTop});
    const QRect inner = positionPanel.adjusted(0, 0, -2, 0);
    painter.drawText(QRect(inner.left() + 20, inner.top(), 70, inner.height()), textFlags,
                     m_content.position);
    if (m_content.showsSelectionIcon) {
        drawSizeIcon(painter, {positionPanel.left() + 92, iconTop});
        painter.drawText(QRect(inner.left() + 110, inner.top(), 58, inner.height()), textFlags,
                         m_content.size);
    }
    painter.drawText(QRect(inner.left() + 170, inner.top(), inner.width() - 170, inner.height()),
                     textFlags, m_content.scale);
    painter.drawText(
        textPanel.adjusted(4, 0, -2, 0), textFlags,
        fontMetrics().elidedText(m_content.objectText, Qt::ElideRight, textPanel.width() - 6));
}

void DesignerStatusBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The toolkit delivers a double-click in place of its second press, so where it falls is
    // where the clicks fell.
    if (event->position().x() < kUnitPanelWidth)
        emit unitsPanelDoubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace tovren::designer
