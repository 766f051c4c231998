#include "report/designer/TqxPageForm.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace tovren::designer {

TqxPageForm::TqxPageForm(QWidget *designer)
    : QWidget(designer, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TqxPageForm::closeEvent(QCloseEvent *event)
{
    // The page window lives as long as the dialog page is shown; the designer ends it.
    event->ignore();
}

void TqxPageForm::reportBounds()
{
    if (m_moveHook && isVisible())
        m_moveHook(QRect(pos(), size()));
}

void TqxPageForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    reportBounds();
}

void TqxPageForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    reportBounds();
}

void TqxPageForm::keyPressEvent(QKeyEvent *event)
{
    // A dialog page is edited like any page, so its window knows the designer's keys; the
    // clipboard keys arrive under their second names, as the designer's table has them.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier && m_keys) {
        const auto forward = [&](Qt::Key key, Qt::KeyboardModifiers as) {
            QKeyEvent translated(QEvent::KeyPress, key, as);
            return m_keys(&translated);
        };
        switch (event->key()) {
        case Qt::Key_C:
            if (forward(Qt::Key_Insert, Qt::ControlModifier))
                return;
            break;
        case Qt::Key_X:
            if (forward(Qt::Key_Delete, Qt::ShiftModifier))
                return;
            break;
        case Qt::Key_V:
            if (forward(Qt::Key_Insert, Qt::ShiftModifier))
                return;
            break;
        default:
            break;
        }
    }
    if (m_keys && m_keys(event))
        return;
    QWidget::keyPressEvent(event);
}

} // namespace tovren::designer
