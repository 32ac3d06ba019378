// The recordset against the plainest way of doing the same work, in one run, over the sample business
// (about two million order_date rows): a snapshot of 100,000 delivery rows loaded beside the same query
// iterated by hand (targets: a form's first load within 1.5 times, a refresh within 1.2 times), then find,
// sort and bookmark return, and a snapshot of every delivery row (target: under 200 MiB).
// Run: build/bench/recordsetBench (the first run fills the sample database).
#include "BenchSample.h"
#include "data/Database.h"
#include "data/Recordset.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <ctime>
#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

QString g_sample;
const QString kQuery = u"SELECT * FROM order_date WHERE id <= 100000"_s;
const QString kEveryRow = u"SELECT * FROM order_date"_s;

// Every value of every row read once, as a hand-written loop would; nothing is kept.
qint64 iterateByHand(Database& db, const QString& sql = kQuery)
{
    QSqlQuery query = db.exec(sql);
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
    const auto db = Database::open(g_sample);
    for (auto _ : state)
        benchmark::DoNotOptimize(iterateByHand(*db));
}
BENCHMARK(BM_IterateQueryByHand)->Unit(benchmark::kMillisecond);

void BM_LoadRecordset(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    Recordset rs(*db);
    for (auto _ : state) {
        rs.load(kQuery);
        benchmark::DoNotOptimize(rs.recordCount());
    }
}
BENCHMARK(BM_LoadRecordset)->Unit(benchmark::kMillisecond);

// The processor time of this thread: on a shared machine a round may wait for a core, but it takes
// no more of it.
double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The two side by side, round after round, so a busy machine slows both alike; each round's load is
// set beside its hand loop, in processor time. A data source refreshed keeps its recordset (`refreshed`); a
// form's first load takes a new one and lets it go with the form (`fresh`).
void BM_LoadAgainstHandIteration(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    const bool fresh = state.range(0) == 1;
    state.SetLabel(fresh ? "fresh" : "refreshed");
    Recordset kept(*db);
    kept.load(kQuery);
    double byHand = 1e9, loading = 1e9;
    std::vector<double> ratios;
    for (auto _ : state) {
        double start = cpuMilliseconds();
        benchmark::DoNotOptimize(iterateByHand(*db));
        const double hand = cpuMilliseconds() - start;
        start = cpuMilliseconds();
        if (fresh) {
            Recordset rs(*db);
            rs.load(kQuery);
        } else {
            kept.load(kQuery);
        }
        const double load = cpuMilliseconds() - start;
        byHand = std::min(byHand, hand);
        loading = std::min(loading, load);
        ratios.push_back(load / hand);
    }
    std::nth_element(ratios.begin(), ratios.begin() + qsizetype(ratios.size()) / 2, ratios.end());
    state.counters["hand_ms"] = byHand;
    state.counters["load_ms"] = loading;
    // Each round's two beside each other, the middle round of all: steadier than the fastest of each.
    state.counters["ratio"] = ratios[ratios.size() / 2];
}
BENCHMARK(BM_LoadAgainstHandIteration)->Arg(0)->Arg(1)->Iterations(12)->Unit(benchmark::kMillisecond);

void BM_FindLastCustomer(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    Recordset rs(*db);
    rs.load(kQuery);
    for (auto _ : state) {
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.find(Criterion::equals(u"c_code"_s, u"4999"_s)));
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.find(Criterion::contains(u"names"_s, u"不存在"_s)));
    }
}
BENCHMARK(BM_FindLastCustomer)->Unit(benchmark::kMillisecond);

void BM_SortByAreaAndDate(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    Recordset rs(*db);
    rs.load(kQuery);
    for (auto _ : state) {
        rs.setSort(u"milk_area ASC, date_d DESC"_s);
        state.PauseTiming();
        rs.setSort({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortByAreaAndDate)->Unit(benchmark::kMillisecond);

void BM_RestoreLoadOrder(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    Recordset rs(*db);
    rs.load(kQuery);
    for (auto _ : state) {
        state.PauseTiming();
        rs.setSort(u"names DESC"_s);
        state.ResumeTiming();
        rs.setSort({});
    }
}
BENCHMARK(BM_RestoreLoadOrder)->Unit(benchmark::kMillisecond);

void BM_BookmarkReturn(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    Recordset rs(*db);
    rs.load(kQuery);
    rs.moveLast();
    const auto mark = rs.bookmark();
    for (auto _ : state) {
        rs.moveFirst();
        benchmark::DoNotOptimize(rs.gotoBookmark(mark));
    }
}
BENCHMARK(BM_BookmarkReturn)->Unit(benchmark::kMillisecond);

size_t heapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// A snapshot of every delivery row: the heap it holds, and its load beside iterating the rows by hand.
void BM_SnapshotOfEveryDeliveryRow(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(iterateByHand(*db, kEveryRow));
        const double byHand = timer.nsecsElapsed() / 1e6;
        const size_t before = heapInUse();
        timer.restart();
        Recordset rs(*db);
        rs.load(kEveryRow);
        const double loading = timer.nsecsElapsed() / 1e6;
        const size_t after = heapInUse();
        state.counters["rows"] = rs.recordCount();
        state.counters["MiB"] = double(after - before) / (1024 * 1024);
        state.counters["bytes_per_row"] = double(after - before) / rs.recordCount();
        state.counters["hand_ms"] = byHand;
        state.counters["load_ms"] = loading;
    }
}
BENCHMARK(BM_SnapshotOfEveryDeliveryRow)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_sample);
}
