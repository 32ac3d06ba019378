// Writing 10,000 delivery rows: one statement prepared once and run for every row, against one prepared
// (and dropped) per row. Then the day rows following the orders, over a business of 5,000 customers
// with forty days of rows, today being the tenth: an order's save rewriting its customer's 31 written
// days, and a login's three days, each beside the insert-only write of the same days where they lacked
// the rows. Then the changes the written days follow: a customer's save (target 50 ms) beside the area
// set by one statement; a price, a delivery type's products and a subscription type's day (target 1 s)
// beside every written day rewritten. On SQLite and, where HALCYON_TEST_PG names a server, on PostgreSQL.
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

// A customer moved to another milk area: the save with the customer's written days rewritten.
void BM_CustomerSaveRewritesWrittenDays(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32 customer) {
        db.exec(QStringLiteral("UPDATE customer_data SET milk_area = milk_area + 1 WHERE c_code = ?"), {customer});
        return DayRows::followOrders(db, {customer}, kToday);
    });
}
BENCHMARK(BM_CustomerSaveRewritesWrittenDays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The plainest way to the same rows: the area written into them by one statement.
void BM_CustomerSaveAreaByStatement(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32 customer) {
        db.exec(QStringLiteral("UPDATE customer_data SET milk_area = milk_area + 1 WHERE c_code = ?"), {customer});
        return qint64(db.exec(QStringLiteral("UPDATE order_date SET milk_area = milk_area + 1"
                                             " WHERE c_code = ? AND date_d >= ?"),
                              {customer, kToday})
                          .numRowsAffected());
    });
}
BENCHMARK(BM_CustomerSaveAreaByStatement)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The product that most delivery types send.
QString busiestProduct(Database& db)
{
    return db.scalar(QStringLiteral("SELECT names FROM send_type GROUP BY names ORDER BY count(*) DESC, names")).toString();
}

// Every customer's written days brought up to date, as the plain way of following any change.
qint64 rewriteEveryWrittenDay(Database& db)
{
    return DayRows::write(db, kToday, db.scalar(QStringLiteral("SELECT max(date_d) FROM order_date")).toDate(), kToday);
}

// The busiest product's price raised, its rows from today on priced again.
void BM_PriceChange(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        const QString product = busiestProduct(db);
        db.exec(QStringLiteral("UPDATE products_data SET price = price + 1 WHERE names = ?"), {product});
        return DayRows::followPrice(db, product, kToday);
    });
}
BENCHMARK(BM_PriceChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PriceChangeRewritingEveryDay(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        db.exec(QStringLiteral("UPDATE products_data SET price = price + 1 WHERE names = ?"), {busiestProduct(db)});
        return rewriteEveryWrittenDay(db);
    });
}
BENCHMARK(BM_PriceChangeRewritingEveryDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The busiest product added to the first delivery type; returns the type.
QString addToFirstDeliveryType(Database& db)
{
    const QString type = db.scalar(QStringLiteral("SELECT min(send_type) FROM send_type")).toString();
    db.exec(QStringLiteral("INSERT INTO send_type (serial, send_type, names) SELECT max(serial) + 1, ?, ? FROM send_type"),
            {type, busiestProduct(db)});
    return type;
}

// The written days of the type's customers.
void BM_DeliveryTypeChange(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        return DayRows::followDeliveryType(db, addToFirstDeliveryType(db), kToday);
    });
}
BENCHMARK(BM_DeliveryTypeChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_DeliveryTypeChangeRewritingEveryDay(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        addToFirstDeliveryType(db);
        return rewriteEveryWrittenDay(db);
    });
}
BENCHMARK(BM_DeliveryTypeChangeRewritingEveryDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Tomorrow taken out of the every-day subscription type.
void BM_SubscriptionDayTakenOut(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        const QDate tomorrow = kToday.addDays(1);
        db.exec(QStringLiteral("DELETE FROM subscribe_type WHERE subscribe_type = ? AND date_d = ?"), {QStringLiteral("每日"), tomorrow});
        return DayRows::followSubscriptionDay(db, QStringLiteral("每日"), tomorrow, kToday);
    });
}
BENCHMARK(BM_SubscriptionDayTakenOut)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SubscriptionDayTakenOutRewritingTheDay(benchmark::State& state)
{
    measureOnBusiness(state, [](Database&, qint32, qint32) {}, [](Database& db, qint32) {
        const QDate tomorrow = kToday.addDays(1);
        db.exec(QStringLiteral("DELETE FROM subscribe_type WHERE subscribe_type = ? AND date_d = ?"), {QStringLiteral("每日"), tomorrow});
        return DayRows::write(db, tomorrow, tomorrow, kToday);
    });
}
BENCHMARK(BM_SubscriptionDayTakenOutRewritingTheDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
