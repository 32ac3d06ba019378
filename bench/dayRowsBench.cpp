// Writing 10,000 delivery rows: one statement prepared once and run for every row, against one prepared
// (and dropped) per row. Then the day rows following the orders, over a business of 5,000 customers
// with forty days of rows, today being the tenth: an order's save rewriting its customer's 31 written
// days, and a login's three days, each beside the insert-only write of the same days where they lacked
// the rows. On SQLite and, where HALCYON_TEST_PG names a server, on PostgreSQL.
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/Schema.h"
#include "samplegen/SampleBusiness.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <optional>

namespace {

constexpr int kRows = 10000;
const QString kInsert = QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, milk_area) "
                                       "VALUES (?, ?, ?, ?, ?, ?)");

QVariantList rowValues(int i)
{
    return {1 + i % 500, QDate(2026, 1, 1).addDays(i / 500), QStringLiteral("鮮乳"), 2, 60.0, 1 + i % 8};
}

// The databases of the run, by name and kind; closed before the application ends.
std::map<std::pair<QString, bool>, std::unique_ptr<Database>> openDatabases;

// A database of its own for the run: a SQLite file, or a schema on the server HALCYON_TEST_PG names
// (nothing where none is named); `fill` runs once as it is made.
Database* database(const QString& name, bool server, const std::function<void(Database&)>& fill)
{
    static QTemporaryDir folder;
    std::unique_ptr<Database>& db = openDatabases[{name, server}];
    if (!db) {
        QString location = QDir(folder.path()).filePath(name + QStringLiteral(".sqlite"));
        if (server) {
            if (qEnvironmentVariableIsEmpty("HALCYON_TEST_PG"))
                return nullptr;
            QUrl url(qEnvironmentVariable("HALCYON_TEST_PG"));
            url.setQuery(QStringLiteral("schema=bench_%1_%2").arg(name).arg(QCoreApplication::applicationPid()));
            location = url.toString();
        }
        db = Database::open(location);
        fill(*db);
    }
    return db.get();
}

// The rows are written in a transaction that is then taken back, so every round starts from the same table.
template <class WriteRows>
void measure(benchmark::State& state, WriteRows writeRows)
{
    Database* db = database(QStringLiteral("dayrows"), state.range(0) == 1, [](Database& db) { Schema::create(db); });
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

const SampleSize kBusiness{.customers = 5000, .days = 40, .firstDay = QDate(2026, 11, 22)};
const QDate kToday(2026, 12, 1);

// Customers with orders, and one order of each, in turn.
std::vector<std::pair<qint32, qint32>> ordersInTurn(Database& db)
{
    std::vector<std::pair<qint32, qint32>> orders;
    QSqlQuery query = db.exec(QStringLiteral("SELECT c_code, min(o_code) FROM order_data GROUP BY c_code ORDER BY c_code"));
    while (query.next())
        orders.emplace_back(query.value(0).toInt(), query.value(1).toInt());
    return orders;
}

// Each round is taken back, outside the time measured. `prepare` runs untimed first in the round.
template <class Prepare, class Measured>
void measureOnBusiness(benchmark::State& state, Prepare prepare, Measured measured)
{
    Database* db = database(QStringLiteral("business"), state.range(0) == 1,
                            [](Database& db) { SampleBusiness::fill(db, kBusiness); });
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    state.SetLabel(state.range(0) == 1 ? "PostgreSQL" : "SQLite");
    const auto orders = ordersInTurn(*db);
    std::size_t turn = 0;
    qint64 written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<Transaction> round(std::in_place, *db);
        const auto [customer, order] = orders[turn++ % orders.size()];
        prepare(*db, customer, order);
        state.ResumeTiming();
        written += measured(*db, customer);
        state.PauseTiming();
        round.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = benchmark::Counter(double(written), benchmark::Counter::kAvgIterations);
}

// A raised amount: the customer's written days from today on are rewritten.
void BM_OrderSaveRewritesWrittenDays(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](Database& db, qint32, qint32 order) {
            db.exec(QStringLiteral("UPDATE order_data SET amount = amount + 1 WHERE o_code = ?"), {order});
        },
        [](Database& db, qint32 customer) { return DayRows::followOrders(db, {customer}, kToday); });
}
BENCHMARK(BM_OrderSaveRewritesWrittenDays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same days written afresh, where the customer had no rows on them: all inserts.
void BM_OrderSaveInsertOnly(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](Database& db, qint32 customer, qint32) {
            db.exec(QStringLiteral("DELETE FROM order_date WHERE c_code = ? AND date_d >= ?"), {customer, kToday});
        },
        [](Database& db, qint32 customer) { return DayRows::followOrders(db, {customer}, kToday); });
}
BENCHMARK(BM_OrderSaveInsertOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A login after one order in a hundred changed: today and the next two days rewritten.
void BM_LoginRewritesThreeDays(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](Database& db, qint32, qint32) {
            db.exec(QStringLiteral("UPDATE order_data SET amount = amount + 1 WHERE o_code % 100 = 0"));
        },
        [](Database& db, qint32) { return DayRows::writeComingDays(db, kToday); });
}
BENCHMARK(BM_LoginRewritesThreeDays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The three days written into days without rows, as the insert-only write of a login did.
void BM_LoginInsertOnly(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](Database& db, qint32, qint32) {
            db.exec(QStringLiteral("DELETE FROM order_date WHERE date_d >= ? AND date_d <= ?"),
                    {kToday, kToday.addDays(DayRows::kComingDays - 1)});
        },
        [](Database& db, qint32) { return DayRows::writeComingDays(db, kToday); });
}
BENCHMARK(BM_LoginInsertOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    openDatabases.clear();
    return 0;
}
