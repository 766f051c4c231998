#pragma once

#include <QComboBox>

class QToolButton;

namespace tovren::dialogs {

/// An editable combo box with a small button at its right edge (for example "insert a data
/// field" beside a condition). Enabling the box enables the button; Enter and Esc typed into
/// it reach the dialog's default and cancel buttons.
class TqxComboEdit : public QComboBox
{
    Q_OBJECT
public:
    explicit TqxComboEdit(QWidget *parent = nullptr);

    void setButtonIcon(const QIcon &icon);
    void setButtonHint(const QString &hint);
    void setButtonEnabled(bool enabled);
    bool buttonEnabled() const { return m_buttonEnabled; }
    QToolButton *button() const { return m_button; }

signals:
    void buttonClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeButton();

    QToolButton *m_button;
    bool m_buttonEnabled = true;
};

} // namespace tovren::dialogs
