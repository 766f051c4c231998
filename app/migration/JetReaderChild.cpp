#include "app/migration/JetReaderChild.h"

#include "app/isolation/ReaderChannel.h"
#include "app/migration/JetDatabase.h"
#include "app/migration/JetDump.h"

namespace tovren::migration {

namespace {

JetCatalog readCatalog(const JetDatabase &database)
{
    JetCatalog catalog;
    catalog.versionName = database.versionName();
    for (const QString &table : database.tableNames())
        catalog.tables.append({table, database.columns(table)});
    return catalog;
}

} // namespace

int runJetReaderChild(const QStringList &arguments)
{
    const QString mode = arguments.value(0);
    const bool wantsCatalog = mode == u"catalog" && arguments.size() == 3;
    const bool wantsRows = mode == u"rows" && arguments.size() == 4;
    if (!wantsCatalog && !wantsRows)
        return 2;

    isolation::ReaderChannel channel;
    if (!channel.isOpen())
        return 2;
    JetDumpWriter dump(channel.device());
    try {
        const JetDatabase database(arguments.at(1), arguments.at(2));
        if (wantsCatalog) {
            dump.writeCatalog(readCatalog(database));
        } else {
            const qsizetype rows = database.readRows(
                arguments.at(3), [&dump](const QVariantList &values) { dump.writeRow(values); });
            dump.writeEnd(rows);
        }
    } catch (const std::exception &error) {
        dump.writeError(QString::fromUtf8(error.what()));
    }
    return channel.finish() ? 0 : 2;
}

} // namespace tovren::migration
