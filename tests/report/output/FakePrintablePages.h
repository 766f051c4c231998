#pragma once

#include "report/output/PrintablePages.h"

#include <QList>
#include <QPainter>

namespace tovren::output::testing {

/// Prepared pages that draw their own number and remember what the print loop asked of them.
class FakePrintablePages : public PrintablePages
{
public:
    struct Drawn
    {
        int index;
        QRect target;
    };

    /// @p count A4 portrait pages without margins.
    explicit FakePrintablePages(int count)
    {
        for (int i = 0; i < count; ++i)
            setups << PrintablePageSetup{model::SheetRequest{9, 2100, 2970, -1, false}, {}, false};
        metrics.resize(count);
    }

    int pageCount() const override { return int(setups.size()); }
    PrintablePageSetup pageSetup(int index) const override { return setups.at(index); }
    void setPageMetrics(int index, const model::TqxPageMetrics &m) override { metrics[index] = m; }
    void drawPage(int index, QPainter &painter, const QRect &target) override
    {
        painter.drawText(target.adjusted(100, 100, 0, 0), QStringLiteral("Page %1").arg(index + 1));
        drawn << Drawn{index, target};
    }
    void releasePage(int index) override { released << index; }

    /// 1-based numbers of the pages drawn, in order.
    QList<int> drawnNumbers() const
    {
        QList<int> numbers;
        for (const Drawn &d : drawn)
            numbers << d.index + 1;
        return numbers;
    }

    QList<PrintablePageSetup> setups;
    QList<model::TqxPageMetrics> metrics;
    QList<Drawn> drawn;
    QList<int> released;
};

} // namespace tovren::output::testing
