#include "report/dialogs/RollUpCaption.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace tovren::dialogs {

RollUpCaption::RollUpCaption(QWidget &window)
    : QWidget(&window)
    , m_window(window)
{
    setObjectName(QStringLiteral("Caption"));
    setFixedHeight(kHeightPixels);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setFixedSize(kHeightPixels - 2, kHeightPixels - 2);
    close->setToolTip(QStringLiteral("关闭"));
    connect(close, &QToolButton::clicked, &window, &QWidget::hide);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 1, 1);
    layout->addStretch();
    layout->addWidget(close);
}

void RollUpCaption::setBody(const QList<QWidget *> &body)
{
    m_body.clear();
    for (QWidget *widget : body)
        m_body.append(widget);
}

int RollUpCaption::rolledUpHeightPixels() const
{
    const QLayout *layout = m_window.layout();
    const QMargins margins = layout ? layout->contentsMargins() : QMargins();
    return height() + margins.top() + margins.bottom();
}

void RollUpCaption::rollUp()
{
    if (m_rolledUp)
        return;
    emit aboutToRollUp();
    m_rolledUp = true;
    for (QWidget *widget : std::as_const(m_body))
        if (widget)
            widget->hide();
    m_window.setMinimumHeight(0);
    m_window.resize(m_window.width(), rolledUpHeightPixels());
}

void RollUpCaption::unroll()
{
    if (!m_rolledUp)
        return;
    m_rolledUp = false;
    for (QWidget *widget : std::as_const(m_body))
        if (widget)
            widget->show();
    m_window.resize(m_window.width(), m_expandedHeightPixels);
    emit unrolled();
}

void RollUpCaption::toggle()
{
    if (m_rolledUp)
        unroll();
    else
        rollUp();
    emit heightToggled();
}

void RollUpCaption::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool active = m_window.isActiveWindow();
    painter.fillRect(rect(), palette().color(active ? QPalette::Highlight : QPalette::Dark));
    painter.setPen(palette().color(QPalette::HighlightedText));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(rect().adjusted(4, 0, -kHeightPixels, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     m_window.windowTitle());
}

void RollUpCaption::mousePressEvent(QMouseEvent *event)
{
    m_dragOffset = event->globalPosition().toPoint() - m_window.frameGeometry().topLeft();
}

void RollUpCaption::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        m_window.move(event->globalPosition().toPoint() - m_dragOffset);
}

void RollUpCaption::mouseDoubleClickEvent(QMouseEvent *)
{
    toggle();
}

} // namespace tovren::dialogs
