// The recordset against the plainest way of doing the same work, in one run: loading a snapshot of
// 100,000 delivery rows beside iterating the same query by hand, then find, sort and bookmark return.
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <map>

namespace {

constexpr int kRows = 100000;
const QString kQuery = QStringLiteral("SELECT * FROM order_date");

// A books file of `rows` delivery rows, made once per size.
Database& database(int rows = kRows)
{
    static QTemporaryDir folder;
    static std::map<int, std::unique_ptr<Database>> made;
    std::unique_ptr<Database>& db = made[rows];
    if (!db) {
        db = Database::open(QDir(folder.path()).filePath(QStringLiteral("bench%1.sqlite").arg(rows)));
        Schema::create(*db);
        Transaction transaction(*db);
        PreparedStatement insert(*db, QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, give_num, "
                                                     "add_num, subtract_num, not_bottle, expense, refund, suspend, milk_area, "
                                                     "bottle_type) VALUES (?, ?, ?, ?, 0, 0, 0, 0, ?, 0, 0, ?, ?)"));
        const QDate first(2026, 1, 1);
        for (int i = 0; i < rows; ++i)
            insert.run({1 + i % 5000, first.addDays(i / 5000), i % 3 ? QStringLiteral("鮮乳") : QStringLiteral("優酪乳"),
                        1 + i % 3, 25.0 * (1 + i % 3), 1 + i % 8, QStringLiteral("玻璃瓶")});
        transaction.commit();
    }
    return *db;
}

// Every value of every row read once, as a hand-written loop would; nothing is kept.
qint64 iterateByHand(Database& db)
{
    QSqlQuery query = db.exec(kQuery);
    const int columns = query.record().count();
    qint64 rows = 0;
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            benchmark::DoNotOptimize(query.value(i));
        ++rows;
    }
    return rows;
}

void BM_IterateQueryByHand(benchmark::State& state)
{
    Database& db = database();
    for (auto _ : state)
        benchmark::DoNotOptimize(iterateByHand(db));
}
BENCHMARK(BM_IterateQueryByHand)->Unit(benchmark::kMillisecond);

void BM_LoadRecordset(benchmark::State& state)
{
    Database& db = database();
    Recordset rs(db);
    for (auto _ : state) {
        rs.load(kQuery);
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK(BM_LoadRecordset)->Unit(benchmark::kMillisecond);

// The two side by side, round after round, so a busy machine slows both alike; the fastest round of
// each is compared. A data source refreshed keeps its recordset (`refreshed`); a form's first load
// takes a new one and lets it go with the form (`fresh`).
void BM_LoadAgainstHandIteration(benchmark::State& state)
{
    Database& db = database();
    const bool fresh = state.range(0) == 1;
    state.SetLabel(fresh ? "fresh" : "refreshed");
    Recordset kept(db);
    double byHand = 1e9, loading = 1e9;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(iterateByHand(db));
        byHand = std::min(byHand, timer.nsecsElapsed() / 1e6);
        timer.restart();
        if (fresh) {
            Recordset rs(db);
            rs.load(kQuery);
        } else {
            kept.load(kQuery);
        }
        loading = std::min(loading, timer.nsecsElapsed() / 1e6);
    }
    state.counters["hand_ms"] = byHand;
    state.counters["load_ms"] = loading;
    state.counters["ratio"] = loading / byHand;
}
BENCHMARK(BM_LoadAgainstHandIteration)->Arg(0)->Arg(1)->Iterations(8)->Unit(benchmark::kMillisecond);

Recordset& loaded()
{
    static Recordset rs(database());
    if (rs.recordCount() == 0)
        rs.load(kQuery);
    return rs;
}

void BM_FindLastCustomer(benchmark::State& state)
{
    Recordset& rs = loaded();
    for (auto _ : state) {
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.find(Criterion::equals(QStringLiteral("c_code"), QStringLiteral("4999"))));
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.find(Criterion::contains(QStringLiteral("names"), QStringLiteral("不存在"))));
    }
}
BENCHMARK(BM_FindLastCustomer)->Unit(benchmark::kMillisecond);

void BM_SortByAreaAndDate(benchmark::State& state)
{
    Recordset& rs = loaded();
    for (auto _ : state) {
        rs.setSort(QStringLiteral("milk_area ASC, date_d DESC"));
        state.PauseTiming();
        rs.setSort({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortByAreaAndDate)->Unit(benchmark::kMillisecond);

void BM_RestoreLoadOrder(benchmark::State& state)
{
    Recordset& rs = loaded();
    for (auto _ : state) {
        state.PauseTiming();
        rs.setSort(QStringLiteral("names DESC"));
        state.ResumeTiming();
        rs.setSort({});
    }
}
BENCHMARK(BM_RestoreLoadOrder)->Unit(benchmark::kMillisecond);

void BM_BookmarkReturn(benchmark::State& state)
{
    Recordset& rs = loaded();
    rs.moveLast();
    const auto mark = rs.bookmark();
    for (auto _ : state) {
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.gotoBookmark(mark));
    }
}
BENCHMARK(BM_BookmarkReturn)->Unit(benchmark::kMillisecond);

// What a snapshot of a large order_date costs in memory: the heap in use before and after the load.
void BM_SnapshotMemory(benchmark::State& state)
{
    Database& db = database(int(state.range(0)));
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        Recordset rs(db);
        rs.load(kQuery);
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        state.counters["rows"] = rs.recordCount();
        state.counters["MiB"] = double(after - before) / (1024 * 1024);
        state.counters["bytes_per_row"] = double(after - before) / rs.recordCount();
    }
}
BENCHMARK(BM_SnapshotMemory)->Arg(2000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
