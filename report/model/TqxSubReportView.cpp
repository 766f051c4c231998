#include "report/model/TqxSubReportView.h"

#include "report/model/DesignFonts.h"

#include <QPainter>

namespace tovren::model {

TqxSubReportView::TqxSubReportView()
{
    ObjectKind = okSubReport;
    BaseName = QStringLiteral("SubReport");
}

void TqxSubReportView::Draw(QPainter &painter)
{
    AlignInBand();
    FrameWidth = 1;
    BeginDraw(painter);
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(Left, Top, Width, Height);
    painter.setClipRect(DrawRect.toQRect());
    painter.setFont(designLabelFont());
    painter.drawText(QRect(Left + 2, Top + 2, Width, Height), Qt::AlignLeft | Qt::AlignTop, Name);
    painter.restore();
    EndDraw();
}

} // namespace tovren::model
