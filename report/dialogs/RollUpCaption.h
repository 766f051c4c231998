#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace tovren::dialogs {

/// The caption bar of the designer's floating tool windows, the inspector and the field list.
/// Those windows are frameless so that the caption behaves alike on every desktop: it shows
/// the window's title, moves the window when dragged, closes it with its button, and a double
/// click rolls the window up to the caption or unrolls it again.
///
/// Rolling up hides the body widgets and shrinks the window to the caption; unrolling shows
/// them and gives the window back its expanded height. The window hears of it through
/// aboutToRollUp() and unrolled() (for what it does itself), then heightToggled() once a
/// double click has been handled, which is when its owner should stack the windows again.
class RollUpCaption : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeightPixels = 18;
    /// A window lower than this, caption and border included, counts as rolled up when it is
    /// placed where it was left.
    static constexpr int kRolledUpBelowPixels = 31;

    /// @p window owns the caption and is the window it heads.
    explicit RollUpCaption(QWidget &window);

    /// The widgets hidden while rolled up; the caption sits above them in the window's layout.
    void setBody(const QList<QWidget *> &body);
    int expandedHeightPixels() const { return m_expandedHeightPixels; }
    void setExpandedHeightPixels(int pixels) { m_expandedHeightPixels = pixels; }
    /// The window's height when rolled up: the caption and the window's layout margins.
    int rolledUpHeightPixels() const;

    bool isRolledUp() const { return m_rolledUp; }
    void rollUp();
    void unroll();
    /// What a double click on the caption does: rolls up or unrolls, then heightToggled().
    void toggle();

signals:
    void aboutToRollUp();
    void unrolled();
    void heightToggled();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QWidget &m_window;
    QList<QPointer<QWidget>> m_body;
    int m_expandedHeightPixels = 0;
    bool m_rolledUp = false;
    QPoint m_dragOffset;
};

} // namespace tovren::dialogs
