#pragma once

#include <QScrollArea>

namespace tovren::designer {

class DesignerHost;
class TqxDesignerPage;

/// The designer's scroll box around the page canvas: it holds the canvas on a plain content
/// widget and places it again whenever the box changes size.
class PageScrollBox : public QScrollArea
{
    Q_OBJECT
public:
    explicit PageScrollBox(DesignerHost &host, QWidget *parent = nullptr);

    TqxDesignerPage &canvas() const { return *m_canvas; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TqxDesignerPage *m_canvas;
};

} // namespace tovren::designer
