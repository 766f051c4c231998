// Importing a 10,000-row workbook of graduates into the store: reading the sheet, then appending
// and posting one record per row, as the main window's import command does.
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/GraduateGenerator.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"
#include "tests/support/XlsxWriter.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kRows = 10000;

struct Workbook
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("graduates.xlsx"));
    Workbook()
    {
        test::XlsxWriter writer;
        const QStringList columns = demo::GraduateGenerator::columnNames();
        for (int c = 0; c < columns.size(); ++c)
            writer.setText(1, c + 1, columns[c]);
        demo::GraduateGenerator generator(5);
        for (int row = 2; row <= kRows + 1; ++row) {
            const QStringList values = generator.next();
            for (int c = 0; c < values.size(); ++c)
                writer.setText(row, c + 1, values[c]);
        }
        writer.save(path);
    }
};

const Workbook &workbook()
{
    static const Workbook book;
    return book;
}

void BM_ReadWorkbook(benchmark::State &state)
{
    for (auto _ : state) {
        const import::SheetData sheet = import::WorkbookReader::read(workbook().path);
        if (sheet.rowCount() != kRows + 1)
            state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_ReadWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportWorkbook(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        db::TDbConnection connection(
            db::ConnectionSpec::parse(dir.filePath(QStringLiteral("s.db"))));
        connection.open();
        db::TDbQuery query(connection);
        query.setSql(QStringLiteral("Select * from info"));
        query.open();
        state.ResumeTiming();

        const import::SheetData sheet = import::WorkbookReader::read(workbook().path);
        const auto yield = [] { QCoreApplication::processEvents(); };
        import::SpreadsheetImport importer(query, sheet, workbook().path, yield);
        if (importer.run(import::DuplicateRows::Add).added != kRows)
            state.SkipWithError("wrong number of records added");
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_ImportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
