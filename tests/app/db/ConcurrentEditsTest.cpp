// Four desks edit the same few graduates at once, each through its own connection, as an office
// does on one shared store. Every save must either be stored or be refused as a conflict; the
// stored ones, replayed in the only order their conditions allow, must give the final rows.

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "tests/support/StoreFixture.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSqlQuery>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

using namespace tovren;

namespace {

constexpr int kClients = 4;
constexpr int kEditsPerClient = 500;
constexpr int kGraduates = 6;
const QStringList kFields{QStringLiteral("Name"), QStringLiteral("City"),
                          QStringLiteral("SchoolName")};

struct StoredEdit
{
    qlonglong id;
    QString field;
    QString before;
    QString after;
};

struct DeskLog
{
    std::vector<StoredEdit> stored;
    int conflicts = 0;
    QStringList failures;
};

using Cell = std::pair<qlonglong, QString>;

/// One desk: picks a graduate and a field, types a value no one else types, saves. It reads the
/// table again every tenth edit, and otherwise works on what it last saw, as a clerk does.
DeskLog runDesk(const QString &store, int desk)
{
    DeskLog log;
    try {
        db::TDbConnection connection(db::ConnectionSpec::parse(store));
        connection.open();
        db::TDbQuery query(connection);
        query.setSql(QStringLiteral("Select * from info"));
        query.open();
        std::mt19937 random(quint32(desk + 1));
        for (int n = 0; n < kEditsPerClient; ++n) {
            if (n % 10 == 0)
                query.refresh();
            query.moveTo(qsizetype(random() % quint32(query.recordCount())));
            db::TDbField &field = query.fieldByName(kFields[random() % kFields.size()]);
            const StoredEdit edit{query.fieldByName(QStringLiteral("ID")).value().toLongLong(),
                                  field.fieldName(), field.asString(),
                                  QStringLiteral("desk%1-edit%2").arg(desk).arg(n)};
            query.edit();
            field.setAsString(edit.after);
            try {
                query.post();
                log.stored.push_back(edit);
            } catch (const db::ERecordConflict &) {
                ++log.conflicts;
                query.cancel();
            } catch (const db::EDatabaseError &error) {
                log.failures << error.message();
                query.cancel();
            }
        }
    } catch (const std::exception &error) {
        log.failures << QString::fromUtf8(error.what());
    }
    return log;
}

QHash<Cell, QString> readCells(db::TDbConnection &connection)
{
    QHash<Cell, QString> cells;
    QSqlQuery query(connection.database());
    query.exec(QStringLiteral("SELECT * FROM info"));
    while (query.next()) {
        const qlonglong id = query.value(QStringLiteral("ID")).toLongLong();
        for (const QString &field : kFields)
            cells.insert({id, field}, query.value(field).toString());
    }
    return cells;
}

} // namespace

class ConcurrentEdits : public test::StoreTest
{
};

TEST_P(ConcurrentEdits, EveryEditIsStoredOrReportedAndTheStoredOnesReplayToTheRows)
{
    addGraduates(kGraduates);
    const QHash<Cell, QString> initial = readCells(*connection);
    ASSERT_EQ(initial.size(), kGraduates * kFields.size());

    QElapsedTimer clock;
    clock.start();
    std::vector<std::future<DeskLog>> desks;
    for (int desk = 0; desk < kClients; ++desk)
        desks.push_back(std::async(std::launch::async, runDesk, connectionText(), desk));
    std::vector<DeskLog> logs;
    for (auto &desk : desks) {
        if (desk.wait_for(std::chrono::seconds(120)) != std::future_status::ready) {
            std::cerr << "the desks did not finish in two minutes: deadlocked\n";
            std::abort();
        }
        logs.push_back(desk.get());
    }
    const qint64 elapsedMs = clock.elapsed();

    // Per cell, each stored edit must have been made over the value the one before it left.
    QHash<Cell, QMultiHash<QString, QString>> storedByBefore;
    int stored = 0;
    int conflicts = 0;
    for (const DeskLog &log : logs) {
        EXPECT_TRUE(log.failures.isEmpty()) << log.failures.join(u'\n').toStdString();
        EXPECT_EQ(int(log.stored.size()) + log.conflicts, kEditsPerClient)
            << "an edit neither stored nor reported";
        stored += int(log.stored.size());
        conflicts += log.conflicts;
        for (const StoredEdit &edit : log.stored)
            storedByBefore[{edit.id, edit.field}].insert(edit.before, edit.after);
    }
    const QHash<Cell, QString> finalCells = readCells(*connection);
    for (auto cell = initial.cbegin(); cell != initial.cend(); ++cell) {
        QMultiHash<QString, QString> edits = storedByBefore.value(cell.key());
        QString value = cell.value();
        while (!edits.isEmpty()) {
            ASSERT_EQ(edits.count(value), 1)
                << "stored edits of one cell over the same value, or one lost, at "
                << cell.key().second.toStdString() << " of " << cell.key().first;
            value = edits.take(value);
        }
        EXPECT_EQ(finalCells.value(cell.key()), value) << cell.key().second.toStdString();
    }
    EXPECT_GT(stored, 0);
    EXPECT_GT(conflicts, 0) << "the desks should have met on the same cells";
    EXPECT_LT(elapsedMs, 60'000);
    std::cout << kClients << " desks x " << kEditsPerClient << " edits: " << stored << " stored, "
              << conflicts << " conflicts, " << elapsedMs << " ms\n";
}

INSTANTIATE_TEST_SUITE_P(Stores, ConcurrentEdits,
                         ::testing::Values(test::Backend::Sqlite, test::Backend::PostgreSql),
                         test::backendName);
