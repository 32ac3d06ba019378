// A month's delivery rows of one milk area, the read behind the per-area lists and reports, over a
// year of a 5,000-customer business (about two million order_date rows). Target: under 20 ms.
// Run: build/bench/ordersByAreaBench (the first run fills the sample database, about half a minute).

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "samplegen/SampleBusiness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const SampleSize kSize{.customers = 5000, .days = 365};

QString g_database;

// The filled database is kept in the temporary folder under its size and seed, so only the first
// run pays for it (delete it after changing the generator). It is filled under another name and
// renamed, so a run cut short leaves nothing behind to be taken for a full one.
QString sampleDatabase()
{
    const QString path = QDir::temp().filePath(u"halcyon-bench-v%1-c%2-e%3-p%4-d%5-%6-s%7.sqlite"_s
                                                   .arg(Schema::currentVersion())
                                                   .arg(kSize.customers)
                                                   .arg(kSize.employees)
                                                   .arg(kSize.products)
                                                   .arg(kSize.days)
                                                   .arg(kSize.firstDay.toString(u"yyyyMMdd"_s))
                                                   .arg(kSize.seed));
    if (QFile::exists(path))
        return path;
    const QString partial = path + u".part"_s;
    QFile::remove(partial);
    QTextStream(stderr) << "Filling " << path << " once...\n";
    {
        // Closing the last connection folds the write-ahead log into the file.
        const auto db = Database::open(partial);
        SampleBusiness::fill(*db, kSize);
    }
    QFile::rename(partial, path);
    return path;
}

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
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        g_database = sampleDatabase();
    } catch (const DataError& error) {
        QTextStream(stderr) << "Cannot fill the sample database: " << error.message() << '\n';
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
