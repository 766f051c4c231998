#include "report/script/CompiledScript.h"
#include "report/script/TqxParser.h"
#include "report/script/VariableInterpretator.h"

#include <benchmark/benchmark.h>

namespace {

using tovren::script::CompiledScript;
using tovren::script::PreparedExpression;
using tovren::script::TqxParser;
using tovren::script::Variant;

void evaluatePrepared(benchmark::State &state, const QString &expression)
{
    const TqxParser parser;
    const PreparedExpression prepared = TqxParser::prepare(expression);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.evaluate(prepared));
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_EvaluatePreparedConcatenation(benchmark::State &state)
{
    evaluatePrepared(state, QStringLiteral("\"abc\" + 'def'"));
}
BENCHMARK(BM_EvaluatePreparedConcatenation);

void BM_EvaluatePreparedStringLiterals(benchmark::State &state)
{
    evaluatePrepared(state, QStringLiteral("'abc' + 'def'"));
}
BENCHMARK(BM_EvaluatePreparedStringLiterals);

void BM_EvaluatePreparedComparison(benchmark::State &state)
{
    evaluatePrepared(state, QStringLiteral("(1 + 2) * 3 >= 9"));
}
BENCHMARK(BM_EvaluatePreparedComparison);

void BM_EvaluatePreparedWithNames(benchmark::State &state)
{
    TqxParser parser;
    const Variant quantity(12);
    parser.setGetValueCallback([&](const QString &) { return quantity; });
    const PreparedExpression prepared =
        TqxParser::prepare(u"IF([Qty] > 10, COPY('abcdef', 2, 3), 'none')");
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.evaluate(prepared));
}
BENCHMARK(BM_EvaluatePreparedWithNames);

// A 40-character expression, compiled from text to its prepared form.
const QString fortyCharacters = QStringLiteral("IF([Qty] > 10, COPY(Name, 1, 3), 'none')");

void BM_CompileFortyCharacterExpression(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TqxParser::prepare(fortyCharacters));
    state.SetLabel(std::to_string(fortyCharacters.size()) + " characters");
}
BENCHMARK(BM_CompileFortyCharacterExpression);

void BM_ToPostfixFortyCharacterExpression(benchmark::State &state)
{
    const TqxParser parser;
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.ToPostfix(fortyCharacters));
}
BENCHMARK(BM_ToPostfixFortyCharacterExpression);

void BM_EvaluateFromText(benchmark::State &state)
{
    const TqxParser parser;
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Evaluate(u"(1 + 2) * 3 >= 9"));
}
BENCHMARK(BM_EvaluateFromText);

void BM_ScriptLoopOfThousandRounds(benchmark::State &state)
{
    tovren::script::VariableInterpretator interpreter;
    QStringList code;
    QStringList errors;
    interpreter.CompileScript(
        {QStringLiteral("begin Total := 0; for i := 1 to 1000 do Total := Total + i end")}, code,
        errors);
    const CompiledScript compiled(code);
    for (auto _ : state)
        interpreter.execute(compiled);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ScriptLoopOfThousandRounds);

void BM_CompileScript(benchmark::State &state)
{
    tovren::script::TqxInterpretator interpreter;
    const QStringList source{
        QStringLiteral("begin"),
        QStringLiteral(
            "  if [Qty] > 10 then Memo1.Font.Color := clRed else Memo1.Font.Color := clBlack;"),
        QStringLiteral("  for i := 1 to 3 do Total := Total + i; // sum"),
        QStringLiteral("  while Total < 100 do Total := Total * 2"),
        QStringLiteral("end"),
    };
    QStringList code;
    QStringList errors;
    for (auto _ : state) {
        interpreter.CompileScript(source, code, errors);
        benchmark::DoNotOptimize(code);
    }
}
BENCHMARK(BM_CompileScript);

} // namespace

BENCHMARK_MAIN();
