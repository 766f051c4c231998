#pragma once

#include <QWidget>
#include <functional>

namespace tovren::designer {

/// The window a dialog page is designed in: it stands for the dialog the page becomes, so its
/// position and size are the page's. It stays in front of the designer, cannot be closed by
/// itself, and reports every move and resize so the designer can write them into the page.
class TqxPageForm : public QWidget
{
    Q_OBJECT
public:
    explicit TqxPageForm(QWidget *designer);

    /// Called with the window's new frame position and client size after a move or resize.
    void setMoveHook(std::function<void(const QRect &bounds)> hook)
    {
        m_moveHook = std::move(hook);
    }
    /// Keys the window does not use itself go here (the designer's keyboard table).
    void setKeyHandler(std::function<bool(QKeyEvent *)> handler) { m_keys = std::move(handler); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void reportBounds();

    std::function<void(const QRect &)> m_moveHook;
    std::function<bool(QKeyEvent *)> m_keys;
};

} // namespace tovren::designer
