// A month's delivery rows of one milk area, the read behind the per-area lists and reports, over a
// year of a 5,000-customer business (about two million order_date rows). Target: under 20 ms.
// Run: build/bench/ordersByAreaBench (the first run fills the sample database, about half a minute).

#include "BenchSample.h"
#include "data/Database.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_database;

const int kArea = 3;
const QDate kMonth(2026, 3, 1);

// Reads every value of a row, as a grid showing it would.
void readRow(const QSqlQuery& query, int columns)
{
    for (int i = 0; i < columns; ++i)
        benchmark::DoNotOptimize(query.value(i));
}

// The program's way: a date range (design, "Data") that the index on (milk_area, date_d) serves.
void monthOfOneArea(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    qint64 rows = 0;
    for (auto _ : state) {
        QSqlQuery query = db->exec(u"SELECT * FROM order_date WHERE milk_area = ? AND date_d >= ? AND date_d < ?"_s,
                                   {kArea, kMonth, kMonth.addMonths(1)});
        const int columns = query.record().count();
        for (rows = 0; query.next(); ++rows)
            readRow(query, columns);
    }
    state.counters["rows"] = double(rows);
}

// The plainest way: every delivery row read, the area's month picked out in C++.
void monthOfOneAreaByScan(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    qint64 rows = 0;
    for (auto _ : state) {
        QSqlQuery query = db->exec(u"SELECT * FROM order_date"_s);
        const QSqlRecord record = query.record();
        const int area = record.indexOf(u"milk_area"_s);
        const int day = record.indexOf(u"date_d"_s);
        rows = 0;
        while (query.next()) {
            const QDate date = query.value(day).toDate();
            if (query.value(area).toInt() != kArea || date < kMonth || date >= kMonth.addMonths(1))
                continue;
            readRow(query, record.count());
            ++rows;
        }
    }
    state.counters["rows"] = double(rows);
}

BENCHMARK(monthOfOneArea)->Unit(benchmark::kMillisecond);
BENCHMARK(monthOfOneAreaByScan)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_database);
}
