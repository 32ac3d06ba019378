// The delivery-day grid's pages over the sample business (5,000 customers and a year of delivery rows:
// about two million rows, 165,000 of them in a month): the first, a middle and the last page of the
// month view and of the all view, each read as the grid reads it, beside a plain read of 256 rows along
// the primary key in the same run. On SQLite and, where HALCYON_TEST_PG names a server, on PostgreSQL.
// Target: every page within twice the plain read.

#include "BenchSample.h"
#include "data/Database.h"
#include "data/RowReader.h"
#include "widgets/FetchingGrid.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTextStream>
#include <QUrl>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_sample;       // the SQLite books
QString g_serverSample; // the same business on the server, filled at its first benchmark
constexpr int kPage = 256; // the grid's page
const QDate kFirst(2026, 6, 1);

enum class View { Month, All };
enum class Position { First, Middle, Last };

// The sample books on SQLite (0) or on the server (1); null where no server is named.
std::unique_ptr<Database> openSample(benchmark::State& state)
{
    const bool server = state.range(0) == 1;
    state.SetLabel(server ? "PostgreSQL" : "SQLite");
    if (!server)
        return Database::open(g_sample);
    if (qEnvironmentVariableIsEmpty("HALCYON_TEST_PG"))
        return nullptr;
    if (g_serverSample.isEmpty()) {
        QUrl url(qEnvironmentVariable("HALCYON_TEST_PG"));
        url.setQuery(u"schema=bench_gridpages_%1"_s.arg(QCoreApplication::applicationPid()));
        QTextStream(stderr) << "Filling the sample business on the server...\n";
        const auto db = Database::open(url.toString());
        SampleBusiness::fill(*db, kBenchSample);
        // The statistics books in use have from the server's own upkeep.
        db->exec(u"analyze"_s);
        g_serverSample = url.toString();
    }
    return Database::open(g_serverSample);
}

// The rows 訂法全灠 shows, as it asks for them.
FetchingGrid::Query viewRows(const Database& db, View view)
{
    FetchingGrid::Query query;
    query.select = u"select * from order_date"_s;
    query.order = {u"c_code"_s, u"date_d"_s, u"id"_s};
    if (view == View::Month) {
        query.filter = db.kind() == Database::Kind::SQLite ? u"+date_d >= ? and +date_d < ?"_s
                                                           : u"date_d >= ? and date_d < ?"_s;
        query.values = {kFirst, kFirst.addMonths(1)};
    }
    return query;
}

// The query of the page at `position`: the grid goes on after the row before it, so that page is the
// first page of the rows after that row, read by the same statement.
FetchingGrid::Query pageRows(Database& db, View view, Position position)
{
    FetchingGrid::Query query = viewRows(db, view);
    if (position == Position::First)
        return query;
    const QString where = query.filter.isEmpty() ? QString() : u" where "_s + query.filter;
    const int rows = db.scalar(u"select count(*) from order_date"_s + where, query.values).toInt();
    const int before = position == Position::Middle ? rows / 2 : rows - kPage;
    QSqlQuery last = db.exec(u"select c_code, date_d, id from order_date%1"
                             " order by c_code nulls first, date_d nulls first, id limit 1 offset ?"_s.arg(where),
                             QVariantList(query.values) << before - 1);
    last.next();
    query.filter += (query.filter.isEmpty() ? u""_s : u" and "_s) + u"(c_code, date_d, id) > (?, ?, ?)"_s;
    query.values << last.value(0) << last.value(1) << last.value(2);
    return query;
}

void BM_GridPage(benchmark::State& state)
{
    const auto db = openSample(state);
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    const FetchingGrid::Query page = pageRows(*db, View(state.range(1)), Position(state.range(2)));
    FetchingGrid grid(*db, u"order_date"_s);
    for (auto _ : state)
        grid.setQuery(page);
    state.counters["rows"] = grid.rowsRead();
}

// The plain way: 256 rows from the middle of the table along its primary key, each value taken as the
// grid takes it.
void BM_PlainIndexRead(benchmark::State& state)
{
    const auto db = openSample(state);
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    const qint64 from = db->scalar(u"select max(id) / 2 from order_date"_s).toLongLong();
    qsizetype read = 0;
    for (auto _ : state) {
        RowReader rows(*db, u"select * from order_date where id > ? order by id limit ?"_s, {from, kPage});
        const int columns = rows.record().count();
        QVector<QVector<QVariant>> page;
        while (rows.next()) {
            QVector<QVariant> row(columns);
            for (int i = 0; i < columns; ++i)
                row[i] = rows.value(i);
            page << row;
        }
        read = page.size();
    }
    state.counters["rows"] = double(read);
}

// Each database's plain read first, then its pages: month view first, middle and last; then the all view.
void registerBenchmarks()
{
    for (int server : {0, 1}) {
        benchmark::RegisterBenchmark("BM_PlainIndexRead", BM_PlainIndexRead)
            ->ArgNames({"pg"})
            ->Arg(server)
            ->Unit(benchmark::kMillisecond);
        for (int view : {0, 1})
            for (int position : {0, 1, 2})
                benchmark::RegisterBenchmark(view == 0 ? "BM_GridPage/month" : "BM_GridPage/all", BM_GridPage)
                    ->ArgNames({"pg", "view", "at"})
                    ->Args({server, view, position})
                    ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    registerBenchmarks();
    return runBenchmarks(argc, argv, &g_sample);
}
