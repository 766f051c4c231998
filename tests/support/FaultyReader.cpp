// Stands in for a reader child and fails the way a damaged file makes the real one fail.
//
// As the reader of an old database, the first argument names the failure and the rest are the
// reader's own. The catalog is always read fine, so the failure strikes while a table's rows are
// read, when a migration is already under way:
//
//   crash   writes two rows, then dies of a signal
//   hang    writes two rows, then never ends
//   memory  allocates without end; should it get 4 GB, writes a whole table as if all was well
//   flood   writes warnings without end
//
// Started as the program's .xls reader (with that reader's hidden command), it crashes at once.

#include "app/import/XlsReaderChild.h"
#include "app/migration/JetDump.h"

#include <QFile>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

using namespace tovren::migration;

namespace {

void writeCatalog(JetDumpWriter &dump)
{
    JetCatalog catalog;
    catalog.versionName = QStringLiteral("JET4");
    catalog.tables.append({QStringLiteral("info"),
                           {{QStringLiteral("Name"), LegacySource::ColumnKind::Text},
                            {QStringLiteral("StudID"), LegacySource::ColumnKind::Text}}});
    dump.writeCatalog(catalog);
}

void writeRows(JetDumpWriter &dump, int count)
{
    for (int i = 0; i < count; ++i)
        dump.writeRow({QStringLiteral("甲%1").arg(i), QString::number(1000 + i)});
}

[[noreturn]] void hang()
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], tovren::import::kXlsReaderCommand) == 0)
        std::raise(SIGSEGV);
    if (argc < 3)
        return 2;
    const QByteArray failure = argv[1];
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    JetDumpWriter dump(out);
    if (qstrcmp(argv[2], "catalog") == 0) {
        writeCatalog(dump);
        return 0;
    }
    if (failure == "crash") {
        writeRows(dump, 2);
        out.flush();
        std::raise(SIGSEGV);
    } else if (failure == "hang") {
        writeRows(dump, 2);
        out.flush();
        hang();
    } else if (failure == "memory") {
        std::vector<char *> blocks;
        constexpr size_t kBlock = 16 << 20;
        for (size_t total = 0; total < (size_t(4) << 30); total += kBlock) {
            auto *block = new char[kBlock];
            std::memset(block, 1, kBlock);
            blocks.push_back(block);
        }
        writeRows(dump, 2);
        dump.writeEnd(2);
        return 0;
    } else if (failure == "flood") {
        for (;;)
            std::fputs("mdb warning: unknown record type in page 12\n", stderr);
    }
    return 2;
}
