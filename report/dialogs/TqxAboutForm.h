#pragma once

#include <QDialog>
#include <QPoint>
#include <QUrl>
#include <functional>

namespace tovren::dialogs {

/// The about box: the program's logo, name and version, and the addresses where its makers
/// are reached, as links that open in the desktop's browser or mail program.
///
/// Only OK closes it. The window is moved by dragging any point that is not a link.
class TqxAboutForm : public QDialog
{
    Q_OBJECT
public:
    /// Opens a link; QDesktopServices::openUrl unless replaced.
    using UrlOpener = std::function<bool(const QUrl &url)>;

    /// @p version is shown as given, such as "0.2".
    explicit TqxAboutForm(const QString &version, QWidget *parent = nullptr);
    ~TqxAboutForm() override;

    void setUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }

    static QUrl productPage();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void open(const QUrl &url);

    UrlOpener m_opener;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace tovren::dialogs
