// The delivery-day grid's pages over one month of the sample business (about 165,000 rows): the first
// page and the last, each read after the row shown last, beside the plain way of counting rows off
// ("limit ? offset ?"), which sorts the month again up to the page. Target: the last page within twice
// the first.

#include "BenchSample.h"
#include "data/Database.h"
#include "widgets/FetchingGrid.h"

#include <QSqlQuery>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_sample;
constexpr int kPage = 256; // the grid's page
const QDate kFirst(2026, 6, 1);

FetchingGrid::Query monthRows()
{
    FetchingGrid::Query query;
    query.select = u"select * from order_date"_s;
    query.filter = u"date_d >= ? and date_d < ?"_s;
    query.values = {kFirst, kFirst.addMonths(1)};
    query.order = {u"c_code"_s, u"date_d"_s, u"id"_s};
    return query;
}

int monthCount(Database& db)
{
    return db.scalar(u"select count(*) from order_date where date_d >= ? and date_d < ?"_s, {kFirst, kFirst.addMonths(1)})
        .toInt();
}

void BM_GridFirstPage(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    FetchingGrid grid(*db, u"order_date"_s);
    for (auto _ : state)
        grid.setQuery(monthRows());
    state.counters["rows"] = grid.rowsRead();
}

// The grid scrolled to the month's end, untimed; then its last page.
void BM_GridLastPage(benchmark::State& state)
{
    const auto db = Database::open(g_sample);
    const int rows = monthCount(*db);
    FetchingGrid grid(*db, u"order_date"_s);
    for (auto _ : state) {
        state.PauseTiming();
        grid.setQuery(monthRows());
        while (grid.rowsRead() + kPage < rows)
            grid.model()->fetchMore({});
        state.ResumeTiming();
        grid.model()->fetchMore({});
    }
    state.counters["rows"] = grid.rowsRead();
}

// The plain way: a page counted off from the month's first row, read to its end.
void offsetPage(benchmark::State& state, bool last)
{
    const auto db = Database::open(g_sample);
    const int offset = last ? monthCount(*db) - kPage : 0;
    int read = 0;
    for (auto _ : state) {
        QSqlQuery page = db->exec(u"select * from order_date where date_d >= ? and date_d < ?"
                                  " order by c_code, date_d, id limit ? offset ?"_s,
                                  {kFirst, kFirst.addMonths(1), kPage, offset});
        for (read = 0; page.next(); ++read)
            benchmark::DoNotOptimize(page.value(0));
    }
    state.counters["rows"] = read;
}

void BM_OffsetFirstPage(benchmark::State& state) { offsetPage(state, false); }
void BM_OffsetLastPage(benchmark::State& state) { offsetPage(state, true); }

} // namespace

BENCHMARK(BM_GridFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridLastPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OffsetFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetLastPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_sample);
}
