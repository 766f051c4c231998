// The script editor's colouring after a keystroke in a long script, and opening the
// expression builder's field picker and function list over a report with many fields.

#include "bench/BenchMain.h"
#include "report/dialogs/ExpressionPickers.h"
#include "report/dialogs/ReportCatalogue.h"
#include "report/dialogs/ScriptHighlighter.h"
#include "report/dialogs/TqxExprForm.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxRecordSet.h"
#include "report/engine/TqxReport.h"

#include <QApplication>
#include <QListWidget>
#include <QTextCursor>
#include <QTextDocument>

namespace {

using namespace tovren;

/// A record set that only lists its fields: the builder never reads a record.
class FieldListing : public engine::TqxRecordSet
{
public:
    FieldListing(int fieldCount, engine::TqxComponent *owner)
        : engine::TqxRecordSet(QStringLiteral("Aqy"), owner)
    {
        for (int i = 0; i < fieldCount; ++i)
            m_fields.append(QStringLiteral("字段%1").arg(i + 1));
    }
    void open() override {}
    void close() override {}
    bool isActive() const override { return true; }
    void first() override {}
    void next() override {}
    void prior() override {}
    bool eof() const override { return true; }
    bool bof() const override { return true; }
    qint64 recordCount() const override { return 0; }
    Bookmark bookmark() const override { return 0; }
    void gotoBookmark(Bookmark) override {}
    QStringList fieldNames() const override { return m_fields; }
    int fieldIndex(QStringView name) const override
    {
        return int(m_fields.indexOf(name.toString()));
    }
    engine::TqxFieldType fieldType(int) const override { return engine::TqxFieldType::String; }
    bool fieldIsNull(int) const override { return true; }
    script::Variant fieldValue(int) const override { return {}; }
    QString fieldDisplayText(int) const override { return {}; }
    QByteArray fieldBytes(int) const override { return {}; }

private:
    QStringList m_fields;
};

QString longScript(int lines)
{
    QStringList script{QStringLiteral("begin")};
    for (int i = 0; i < lines - 2; ++i) {
        script.append(i % 7 == 0
                          ? QStringLiteral("  { 第 %1 行 } // 注释").arg(i)
                          : QStringLiteral("  if [Aqy.\"Name\"] <> '' then x := x + %1;").arg(i));
    }
    script.append(QStringLiteral("end"));
    return script.join(u'\n');
}

void BM_HighlightAfterAKeystroke(benchmark::State &state)
{
    QTextDocument document;
    document.setPlainText(longScript(2000));
    dialogs::ScriptHighlighter highlighter(&document);
    QTextCursor cursor(document.findBlockByNumber(1000));
    for (auto _ : state) {
        // Opening a brace comment re-colours every line after it; closing it again, too.
        cursor.insertText(QStringLiteral("{"));
        cursor.deletePreviousChar();
    }
}
BENCHMARK(BM_HighlightAfterAKeystroke)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_HighlightATypedLetter(benchmark::State &state)
{
    QTextDocument document;
    document.setPlainText(longScript(2000));
    dialogs::ScriptHighlighter highlighter(&document);
    QTextCursor cursor(document.findBlockByNumber(1000));
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("a"));
        cursor.deletePreviousChar();
    }
}
BENCHMARK(BM_HighlightATypedLetter)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenExpressionBuilder(benchmark::State &state)
{
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form(QStringLiteral("Form1"));
    FieldListing table(33, &form);
    engine::TqxReport report(QStringLiteral("qxReport1"), &form, registry);
    dialogs::PickerMemory memory;
    for (auto _ : state) {
        const dialogs::ReportCatalogue catalogue(report);
        dialogs::TqxExprForm builder(catalogue, memory);
        dialogs::TqxFieldsForm fields(catalogue, memory, &builder);
        dialogs::TqxFuncForm functions(catalogue, &builder);
        builder.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(functions.functionList()->count());
    }
}
BENCHMARK(BM_OpenExpressionBuilder)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
