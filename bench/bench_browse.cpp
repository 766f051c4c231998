// Opening the browse query over a large table: the whole snapshot is read at open, so this is
// what a person waits for at start and after every SQL run.
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "bench/PeakMemory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

using namespace tovren;

constexpr int kRows = 100000;

struct Store
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.db"));
    Store()
    {
        db::TDbConnection connection(db::ConnectionSpec::parse(path));
        demo::writeDemoGraduates(connection, kRows, 7);
    }
};

void BM_OpenBrowseQuery(benchmark::State &state)
{
    static Store store;
    db::TDbConnection connection(db::ConnectionSpec::parse(store.path));
    connection.open();
    for (auto _ : state) {
        db::TDbQuery query(connection);
        query.setSql(QStringLiteral("Select * from info"));
        query.open();
        if (query.recordCount() != kRows)
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(query.cellText(kRows - 1, 3));
    }
    state.counters["rows"] = kRows;
    state.counters["peak_rss_mb"] = bench::peakResidentMegabytes();
}
BENCHMARK(BM_OpenBrowseQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ScrollThroughGridCells(benchmark::State &state)
{
    static Store store;
    db::TDbConnection connection(db::ConnectionSpec::parse(store.path));
    connection.open();
    db::TDbQuery query(connection);
    query.setSql(QStringLiteral("Select * from info"));
    query.open();
    qsizetype row = 0;
    for (auto _ : state) {
        // One screenful of a grid: 30 rows of every column.
        for (int r = 0; r < 30; ++r, row = (row + 1) % kRows)
            for (int c = 0; c < query.fieldCount(); ++c)
                benchmark::DoNotOptimize(query.cellText(row, c));
    }
}
BENCHMARK(BM_ScrollThroughGridCells)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
