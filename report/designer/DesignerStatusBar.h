#pragma once

#include "report/designer/StatusBarContent.h"

#include <QWidget>

namespace tovren::designer {

/// The designer's status bar: the unit on the left, the position and size of the selection
/// (or the rectangle being dragged, or the mouse) in the middle, the selected object's name and
/// text on the right. A double-click on the unit asks for the next unit.
class DesignerStatusBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kUnitPanelWidth = 75;
    static constexpr int kPositionPanelWidth = 230;

    explicit DesignerStatusBar(QWidget *parent = nullptr);

    void setContent(const StatusBarContent &content);
    const StatusBarContent &content() const { return m_content; }

    QSize sizeHint() const override;

signals:
    void unitsPanelDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    StatusBarContent m_content;
};

} // namespace tovren::designer
