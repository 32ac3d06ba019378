// The recordset against the plainest way of doing the same work, in one run: loading a snapshot of
// 100,000 delivery rows beside iterating the same query by hand, then find, sort and bookmark return.
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;
const QString kQuery = QStringLiteral("SELECT * FROM order_date");

Database& database()
{
    static QTemporaryDir folder;
    static std::unique_ptr<Database> db = [] {
        auto opened = Database::open(QDir(folder.path()).filePath(QStringLiteral("bench.sqlite")));
        Schema::create(*opened);
        Transaction transaction(*opened);
        QSqlQuery insert(opened->connection());
        insert.prepare(QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, give_num, add_num, "
                                      "subtract_num, not_bottle, expense, refund, suspend, milk_area) "
                                      "VALUES (?, ?, ?, ?, 0, 0, 0, 0, ?, 0, 0, ?)"));
        const QDate first(2026, 1, 1);
        for (int i = 0; i < kRows; ++i) {
            insert.addBindValue(1 + i % 5000);
            insert.addBindValue(first.addDays(i / 5000));
            insert.addBindValue(i % 3 ? QStringLiteral("鮮乳") : QStringLiteral("優酪乳"));
            insert.addBindValue(1 + i % 3);
            insert.addBindValue(25.0 * (1 + i % 3));
            insert.addBindValue(1 + i % 8);
            insert.exec();
        }
        transaction.commit();
        return opened;
    }();
    return *db;
}

void BM_IterateQueryByHand(benchmark::State& state)
{
    Database& db = database();
    for (auto _ : state) {
        QSqlQuery query = db.exec(kQuery);
        const int columns = query.record().count();
        qint64 rows = 0;
        while (query.next()) {
            for (int i = 0; i < columns; ++i)
                benchmark::DoNotOptimize(query.value(i));
            ++rows;
        }
        benchmark::DoNotOptimize(rows);
    }
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
