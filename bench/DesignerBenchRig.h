#pragma once

#include "report/model/PaperSelector.h"
#include "report/model/Units.h"
#include "report/platform/DialogProvider.h"

namespace tovren::bench {

/// Paper exactly as the template asks for it, with no printer margins, so timings do not
/// depend on the printers of the machine.
class ExactPaper : public model::PaperSelector
{
public:
    std::optional<Selection> selectSheet(const model::SheetRequest &request) override
    {
        Selection selection{request, {}};
        selection.metrics.PaperWidthPx = model::designPixelsFromTenthsMm(request.width);
        selection.metrics.PaperHeightPx = model::designPixelsFromTenthsMm(request.height);
        selection.metrics.PrintWidthPx = selection.metrics.PaperWidthPx;
        selection.metrics.PrintHeightPx = selection.metrics.PaperHeightPx;
        return selection;
    }
    int defaultPaperCode() const override { return 9; }
    QStringList paperNames() const override { return {}; }
    QList<int> paperCodes() const override { return {}; }
};

/// Answers every question with one answer and chooses no files.
class SilentDialogs : public platform::DialogProvider
{
public:
    explicit SilentDialogs(int answer)
        : m_answer(answer)
    {}
    int messageBox(const QString &, const QString &, int) override { return m_answer; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }

private:
    int m_answer;
};

} // namespace tovren::bench
