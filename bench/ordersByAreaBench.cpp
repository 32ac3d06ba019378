// A month's delivery rows of one milk area, the read behind the per-area lists and reports, over a
// year of a 5,000-customer business (about two million order_date rows). Target: under 20 ms.
// Run: build/bench/ordersByAreaBench (the first run fills the sample database, about half a minute).

#include "BenchSample.h"
#include "data/Database.h"
#include "data/RowReader.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_database;

const int kArea = 3;
const QDate kMonth(2026, 3, 1);

const QString kMonthOfArea = u"SELECT * FROM order_date WHERE milk_area = ? AND date_d >= ? AND date_d < ?"_s;

// Reads every value of a row, as a grid showing it would.
template <typename Rows>
void readRow(const Rows& rows, int columns)
{
    for (int i = 0; i < columns; ++i)
        benchmark::DoNotOptimize(rows.value(i));
}

// The area's month, a date range (design, "Data") that the index on (milk_area, date_d) serves, read
// from the rows that `run` gives.
template <typename Run>
void readMonthOfArea(benchmark::State& state, Run run)
{
    const auto db = Database::open(g_database);
    qint64 count = 0;
    for (auto _ : state) {
        auto rows = run(*db, kMonthOfArea, QVariantList{kArea, kMonth, kMonth.addMonths(1)});
        const int columns = rows.record().count();
        for (count = 0; rows.next(); ++count)
            readRow(rows, columns);
    }
    state.counters["rows"] = double(count);
}

// The program's way: as every recordset reads its rows.
void monthOfOneArea(benchmark::State& state)
{
    readMonthOfArea(state, [](Database& db, const QString& sql, const QVariantList& values) {
        return RowReader(db, sql, values);
    });
}

// The same rows through the driver's query alone.
void monthOfOneAreaByQuery(benchmark::State& state)
{
    readMonthOfArea(state, [](Database& db, const QString& sql, const QVariantList& values) {
        return db.exec(sql, values);
    });
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
BENCHMARK(monthOfOneAreaByQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(monthOfOneAreaByScan)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_database);
}
