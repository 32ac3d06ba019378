// Writing 10,000 delivery rows: one statement prepared once and run for every row, against one prepared
// (and dropped) per row, on SQLite and, where HALCYON_TEST_PG names a server, on PostgreSQL.
#include "data/Database.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 10000;
const QString kInsert = QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, milk_area) "
                                       "VALUES (?, ?, ?, ?, ?, ?)");

QVariantList rowValues(int i)
{
    return {1 + i % 500, QDate(2026, 1, 1).addDays(i / 500), QStringLiteral("鮮乳"), 2, 60.0, 1 + i % 8};
}

Database* database(bool server)
{
    static QTemporaryDir folder;
    static std::unique_ptr<Database> sqlite;
    static std::unique_ptr<Database> postgres;
    std::unique_ptr<Database>& db = server ? postgres : sqlite;
    if (!db) {
        QString location = QDir(folder.path()).filePath(QStringLiteral("bench.sqlite"));
        if (server) {
            if (qEnvironmentVariableIsEmpty("HALCYON_TEST_PG"))
                return nullptr;
            QUrl url(qEnvironmentVariable("HALCYON_TEST_PG"));
            url.setQuery(QStringLiteral("schema=bench_dayrows_%1").arg(QCoreApplication::applicationPid()));
            location = url.toString();
        }
        db = Database::open(location);
        Schema::create(*db);
    }
    return db.get();
}

// The rows are written in a transaction that is then taken back, so every round starts from the same table.
template <class WriteRows>
void measure(benchmark::State& state, WriteRows writeRows)
{
    Database* db = database(state.range(0) == 1);
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    state.SetLabel(state.range(0) == 1 ? "PostgreSQL" : "SQLite");
    for (auto _ : state) {
        Transaction transaction(*db);
        writeRows(*db);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_DayRowsOneStatement(benchmark::State& state)
{
    measure(state, [](Database& db) {
        PreparedStatement insert(db, kInsert);
        for (int i = 0; i < kRows; ++i)
            insert.run(rowValues(i));
    });
}
BENCHMARK(BM_DayRowsOneStatement)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DayRowsPreparedPerRow(benchmark::State& state)
{
    measure(state, [](Database& db) {
        for (int i = 0; i < kRows; ++i)
            db.exec(kInsert, rowValues(i));
    });
}
BENCHMARK(BM_DayRowsPreparedPerRow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
