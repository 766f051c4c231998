#include "report/dialogs/TqxComboEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace tovren::dialogs {

TqxComboEdit::TqxComboEdit(QWidget *parent)
    : QComboBox(parent)
    , m_button(new QToolButton(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    m_button->setAutoRaise(true);
    m_button->setText(QStringLiteral("…"));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    connect(m_button, &QToolButton::clicked, this, [this] {
        setFocus();
        emit buttonClicked();
    });
    placeButton();
}

void TqxComboEdit::setButtonIcon(const QIcon &icon)
{
    m_button->setIcon(icon);
}

void TqxComboEdit::setButtonHint(const QString &hint)
{
    m_button->setToolTip(hint);
}

void TqxComboEdit::setButtonEnabled(bool enabled)
{
    m_buttonEnabled = enabled;
    m_button->setEnabled(enabled && isEnabled());
}

void TqxComboEdit::placeButton()
{
    // A square a little smaller than the box, inside its right edge, left of the arrow.
    const int side = std::max(8, height() - 4);
    const int arrowWidth = count() > 0 ? side : 0;
    m_button->setGeometry(width() - side - 2 - arrowWidth, 2, side, side);
    if (QLineEdit *edit = lineEdit())
        edit->setTextMargins(0, 0, side + 2, 0);
}

void TqxComboEdit::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    placeButton();
}

void TqxComboEdit::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        m_button->setEnabled(m_buttonEnabled && isEnabled());
}

void TqxComboEdit::keyPressEvent(QKeyEvent *event)
{
    // The combo box would keep Enter and Esc for itself; a dialog's buttons should have them.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace tovren::dialogs
