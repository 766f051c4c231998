#include "report/designer/PageScrollBox.h"

#include "report/designer/TqxDesignerPage.h"

namespace tovren::designer {

PageScrollBox::PageScrollBox(DesignerHost &host, QWidget *parent)
    : QScrollArea(parent)
{
    auto *content = new QWidget;
    content->setBackgroundRole(QPalette::Dark);
    content->setAutoFillBackground(true);
    setWidget(content); // the box owns the content, the content the canvas
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Dark);
    m_canvas = new TqxDesignerPage(host, content);
}

void PageScrollBox::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    m_canvas->PlacePage();
}

} // namespace tovren::designer
