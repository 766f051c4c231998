// Laying out text objects: a certificate's text wrapped and measured with the measuring
// canvas's caches on and off, to show what repeating a layout costs.
#include "bench/BenchMain.h"
#include "report/model/LineWrapper.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren::model;

const QString kParagraph = QStringLiteral(
    "学生张三，性别男，一九八八年五月生，于二〇〇三年九月至二〇〇六年七月在本校高中学习，"
    "修完普通高中课程计划规定的全部课程，成绩合格，准予毕业。 The student has completed "
    "all courses of the senior high school curriculum and is hereby granted this certificate.");

void setCaching(benchmark::State &state)
{
    TqxGlobals::instance().textMeasurer.setCaching(state.range(0) != 0);
    state.SetLabel(state.range(0) ? "cached" : "uncached");
}

void BM_MeasureLine(benchmark::State &state)
{
    setCaching(state);
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(12);
    const QFont layout = layoutFont(font);
    TextMeasurer &measurer = TqxGlobals::instance().textMeasurer;
    for (auto _ : state)
        benchmark::DoNotOptimize(measurer.width(layout, 0, kParagraph));
}
BENCHMARK(BM_MeasureLine)->Arg(0)->Arg(1);

void BM_CalcHeightOfCertificateText(benchmark::State &state)
{
    setCaching(state);
    runState().reset();
    TqxMemoView memo;
    memo.SetBounds(0, 0, 420, 40);
    memo.Font = QFont(QStringLiteral("宋体"));
    memo.Font.setPointSizeF(12);
    memo.setFlag(TqxMemoView::kTextOnlyFlag, true);
    memo.Memo = {kParagraph, kParagraph.left(40)};
    for (auto _ : state)
        benchmark::DoNotOptimize(memo.CalcHeight());
}
BENCHMARK(BM_CalcHeightOfCertificateText)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
