#pragma once

#include <QAbstractButton>
#include <QLabel>

namespace tovren::dialogs {

/// A caption beside a check box that has none of its own: clicking or double-clicking the
/// caption toggles the box, as clicking a check box's own text would.
class ToggleLabel : public QLabel
{
public:
    ToggleLabel(const QString &caption, QAbstractButton *target, QWidget *parent = nullptr)
        : QLabel(caption, parent)
        , m_target(target)
    {
        setBuddy(target);
    }

protected:
    void mousePressEvent(QMouseEvent *) override { m_target->toggle(); }
    void mouseDoubleClickEvent(QMouseEvent *) override { m_target->toggle(); }

private:
    QAbstractButton *m_target;
};

} // namespace tovren::dialogs
