// Writing 10,000 delivery rows: one statement prepared once and run for every row, against one prepared
// (and dropped) per row. Then the day rows following the changes they come from, over a business of
// 5,000 customers, with a month of rows written ahead (today 2026/12/1) and with a year's rows, today
// being mid-June (half a year written ahead): an order's save (target 50 ms), a login's three days and a
// customer's save, each beside the plainest way to the same rows; a delivery type gaining or losing a
// product, a subscription day added or taken out and a price changed (target 1 s with a month ahead,
// within twice the plain statements with the year), each beside plain set-based statements that write
// the same rows without minding what stands. On SQLite and, where HALCYON_TEST_PG names a server, on
// PostgreSQL. Arguments: the server (0 SQLite, 1 PostgreSQL), the business (0 a month ahead, 1 a year).
#include "BenchSample.h"
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

// A database of its own for the run: a SQLite file (`sqliteFile`, filled before, where given), or a
// schema on the server HALCYON_TEST_PG names (nothing where none is named); `fill` runs once as it is made.
Database* database(const QString& name, bool server, const std::function<void(Database&)>& fill,
                   const QString& sqliteFile = {})
{
    static QTemporaryDir folder;
    std::unique_ptr<Database>& db = openDatabases[{name, server}];
    if (!db && !server && !sqliteFile.isEmpty()) {
        db = Database::open(sqliteFile);
        return db.get();
    }
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

// The two businesses, and the day each is at. The year's is the benchmarks' sample, which SQLite keeps
// from one run to the next; each round of a benchmark is taken back.
struct Business {
    const char* name;
    SampleSize size;
    QDate today;
};
const Business kBusinesses[] = {
    {"month", {.customers = 5000, .days = 40, .firstDay = QDate(2026, 11, 22)}, QDate(2026, 12, 1)},
    {"year", kBenchSample, QDate(2026, 6, 15)},
};

// Customers with orders, and one order of each, in turn.
std::vector<std::pair<qint32, qint32>> ordersInTurn(Database& db)
{
    std::vector<std::pair<qint32, qint32>> orders;
    QSqlQuery query = db.exec(QStringLiteral("SELECT c_code, min(o_code) FROM order_data GROUP BY c_code ORDER BY c_code"));
    while (query.next())
        orders.emplace_back(query.value(0).toInt(), query.value(1).toInt());
    return orders;
}

// What a round measures on: the books, the day, and the customer and order whose turn it is.
struct Round {
    Database& db;
    QDate today;
    qint32 customer;
    qint32 order;
};

// Each round is taken back, outside the time measured. `prepare` runs untimed first in the round.
template <class Prepare, class Measured>
void measureOnBusiness(benchmark::State& state, Prepare prepare, Measured measured)
{
    const Business& business = kBusinesses[state.range(1)];
    Database* db = database(QString::fromLatin1(business.name), state.range(0) == 1,
                            [&](Database& db) {
                                SampleBusiness::fill(db, business.size);
                                // As the server's autovacuum would before long.
                                if (db.kind() == Database::Kind::PostgreSQL)
                                    db.exec(QStringLiteral("ANALYZE"));
                            },
                            state.range(0) == 0 && state.range(1) == 1 ? benchSampleDatabase() : QString());
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    state.SetLabel(std::string(state.range(0) == 1 ? "PostgreSQL, " : "SQLite, ") + business.name + " ahead");
    const auto orders = ordersInTurn(*db);
    std::size_t turn = 0;
    qint64 written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<Transaction> round(std::in_place, *db);
        const auto [customer, order] = orders[turn++ % orders.size()];
        const Round now{*db, business.today, customer, order};
        prepare(now);
        state.ResumeTiming();
        written += measured(now);
        state.PauseTiming();
        round.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = benchmark::Counter(double(written), benchmark::Counter::kAvgIterations);
}

template <class Measured>
void measureOnBusiness(benchmark::State& state, Measured measured)
{
    measureOnBusiness(state, [](const Round&) {}, measured);
}

// Both servers, both businesses.
void onBoth(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
}

qint64 affected(QSqlQuery query)
{
    return query.numRowsAffected();
}

// A raised amount: the customer's written days from today on are rewritten.
void BM_OrderSaveRewritesWrittenDays(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](const Round& r) { r.db.exec(QStringLiteral("UPDATE order_data SET amount = amount + 1 WHERE o_code = ?"), {r.order}); },
        [](const Round& r) { return DayRows::followOrders(r.db, {r.customer}, r.today); });
}
BENCHMARK(BM_OrderSaveRewritesWrittenDays)->Apply(onBoth);

// The same days written afresh, where the customer had no rows on them: all inserts.
void BM_OrderSaveInsertOnly(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](const Round& r) {
            r.db.exec(QStringLiteral("DELETE FROM order_date WHERE c_code = ? AND date_d >= ?"), {r.customer, r.today});
        },
        [](const Round& r) { return DayRows::followOrders(r.db, {r.customer}, r.today); });
}
BENCHMARK(BM_OrderSaveInsertOnly)->Apply(onBoth);

// A login after one order in a hundred changed: today and the next two days rewritten.
void BM_LoginRewritesThreeDays(benchmark::State& state)
{
    measureOnBusiness(
        state, [](const Round& r) { r.db.exec(QStringLiteral("UPDATE order_data SET amount = amount + 1 WHERE o_code % 100 = 0")); },
        [](const Round& r) { return DayRows::writeComingDays(r.db, r.today); });
}
BENCHMARK(BM_LoginRewritesThreeDays)->Apply(onBoth);

// The three days written into days without rows, as the insert-only write of a login did.
void BM_LoginInsertOnly(benchmark::State& state)
{
    measureOnBusiness(
        state,
        [](const Round& r) {
            r.db.exec(QStringLiteral("DELETE FROM order_date WHERE date_d >= ? AND date_d <= ?"),
                      {r.today, r.today.addDays(DayRows::kComingDays - 1)});
        },
        [](const Round& r) { return DayRows::writeComingDays(r.db, r.today); });
}
BENCHMARK(BM_LoginInsertOnly)->Apply(onBoth);

// A customer moved to another milk area: the save with the customer's written days rewritten.
void BM_CustomerSaveRewritesWrittenDays(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        r.db.exec(QStringLiteral("UPDATE customer_data SET milk_area = milk_area + 1 WHERE c_code = ?"), {r.customer});
        return DayRows::followOrders(r.db, {r.customer}, r.today);
    });
}
BENCHMARK(BM_CustomerSaveRewritesWrittenDays)->Apply(onBoth);

// The plainest way to the same rows: the area written into them by one statement.
void BM_CustomerSaveAreaByStatement(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        r.db.exec(QStringLiteral("UPDATE customer_data SET milk_area = milk_area + 1 WHERE c_code = ?"), {r.customer});
        return affected(r.db.exec(QStringLiteral("UPDATE order_date SET milk_area = milk_area + 1"
                                                 " WHERE c_code = ? AND date_d >= ?"),
                                  {r.customer, r.today}));
    });
}
BENCHMARK(BM_CustomerSaveAreaByStatement)->Apply(onBoth);

// The product that most delivery types send.
QString busiestProduct(Database& db)
{
    return db.scalar(QStringLiteral("SELECT names FROM send_type GROUP BY names ORDER BY count(*) DESC, names")).toString();
}

// The first delivery type that sends the busiest product, or that does not.
QString deliveryType(Database& db, bool sendingBusiest)
{
    return db
        .scalar(QStringLiteral("SELECT min(send_type) FROM send_kind WHERE send_type %1 IN"
                               " (SELECT send_type FROM send_type WHERE names = ?)")
                    .arg(sendingBusiest ? QString() : QStringLiteral("NOT")),
                {busiestProduct(db)})
        .toString();
}

// The plain statements' rows: the orders' deliveries as they come, one row each, priced by subscription.
const QString kPlainRows = QStringLiteral(
    "INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, milk_area, bottle_type)"
    " SELECT order_data.c_code, subscribe_type.date_d, send_type.names, order_data.amount,"
    " products_data.price * order_data.amount, customer_data.milk_area, order_data.bottle_type"
    " FROM order_data JOIN customer_data ON customer_data.c_code = order_data.c_code"
    " JOIN subscribe_type ON subscribe_type.subscribe_type = order_data.subscribe_type"
    " AND subscribe_type.date_d >= order_data.start_date"
    " JOIN send_type ON send_type.send_type = order_data.send_type"
    " JOIN products_data ON products_data.names = send_type.names"
    " WHERE order_data.cancel = 0 AND customer_data.cancel = 0 AND customer_data.returnss = 0"
    " AND customer_data.timeout = 0 AND order_data.amount > 0 AND %1");

QDate lastWrittenDay(Database& db)
{
    return db.scalar(QStringLiteral("SELECT max(date_d) FROM order_date")).toDate();
}

// The busiest product added to a delivery type without it; returns the type.
QString addBusiestProduct(const Round& r)
{
    const QString type = deliveryType(r.db, false);
    r.db.exec(QStringLiteral("INSERT INTO send_type (serial, send_type, names) SELECT max(serial) + 1, ?, ? FROM send_type"),
              {type, busiestProduct(r.db)});
    return type;
}

void BM_DeliveryTypeGainsAProduct(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString type = addBusiestProduct(r);
        return DayRows::followDeliveryType(r.db, type, {busiestProduct(r.db)}, {}, r.today);
    });
}
BENCHMARK(BM_DeliveryTypeGainsAProduct)->Apply(onBoth)->Iterations(5);

void BM_DeliveryTypeGainsAProductPlain(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString type = addBusiestProduct(r);
        return affected(r.db.exec(kPlainRows.arg(QStringLiteral("order_data.send_type = ? AND send_type.names = ?"
                                                                " AND subscribe_type.date_d >= ? AND subscribe_type.date_d <= ?")),
                                  {type, busiestProduct(r.db), r.today, lastWrittenDay(r.db)}));
    });
}
BENCHMARK(BM_DeliveryTypeGainsAProductPlain)->Apply(onBoth)->Iterations(5);

// The busiest product taken out of the first delivery type that sends it; returns the type.
QString takeOutBusiestProduct(const Round& r)
{
    const QString type = deliveryType(r.db, true);
    r.db.exec(QStringLiteral("DELETE FROM send_type WHERE send_type = ? AND names = ?"), {type, busiestProduct(r.db)});
    return type;
}

void BM_DeliveryTypeLosesAProduct(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString product = busiestProduct(r.db);
        return DayRows::followDeliveryType(r.db, takeOutBusiestProduct(r), {}, {product}, r.today);
    });
}
BENCHMARK(BM_DeliveryTypeLosesAProduct)->Apply(onBoth)->Iterations(5);

void BM_DeliveryTypeLosesAProductPlain(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString product = busiestProduct(r.db);
        const QString type = takeOutBusiestProduct(r);
        return affected(r.db.exec(QStringLiteral("DELETE FROM order_date WHERE names = ? AND date_d >= ?"
                                                 " AND c_code IN (SELECT c_code FROM order_data WHERE send_type = ?)"),
                                  {product, r.today, type}));
    });
}
BENCHMARK(BM_DeliveryTypeLosesAProductPlain)->Apply(onBoth)->Iterations(5);

// A Tuesday a week or more on, added to the Monday, Wednesday and Friday calendar.
const QString kOddDays = QStringLiteral("一三五");
QDate aTuesdayOn(QDate today)
{
    const QDate weekOn = today.addDays(7);
    return weekOn.addDays((2 - weekOn.dayOfWeek() + 7) % 7);
}

void BM_SubscriptionDayAdded(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        return qint64(DayRows::addSubscriptionDay(r.db, kOddDays, aTuesdayOn(r.today), r.today));
    });
}
BENCHMARK(BM_SubscriptionDayAdded)->Apply(onBoth);

void BM_SubscriptionDayAddedPlain(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QDate day = aTuesdayOn(r.today);
        r.db.exec(QStringLiteral("INSERT INTO subscribe_type (subscribe_type, date_d) VALUES (?, ?)"), {kOddDays, day});
        return affected(r.db.exec(kPlainRows.arg(QStringLiteral("order_data.subscribe_type = ? AND subscribe_type.date_d = ?")),
                                  {kOddDays, day}));
    });
}
BENCHMARK(BM_SubscriptionDayAddedPlain)->Apply(onBoth);

// Tomorrow taken out of the every-day calendar.
const QString kEveryDay = QStringLiteral("每日");

void BM_SubscriptionDayTakenOut(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        return qint64(DayRows::removeSubscriptionDay(r.db, kEveryDay, r.today.addDays(1), r.today));
    });
}
BENCHMARK(BM_SubscriptionDayTakenOut)->Apply(onBoth);

void BM_SubscriptionDayTakenOutPlain(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QDate tomorrow = r.today.addDays(1);
        r.db.exec(QStringLiteral("DELETE FROM subscribe_type WHERE subscribe_type = ? AND date_d = ?"), {kEveryDay, tomorrow});
        return affected(r.db.exec(QStringLiteral("DELETE FROM order_date WHERE date_d = ?"
                                                 " AND c_code IN (SELECT c_code FROM order_data WHERE subscribe_type = ?)"),
                                  {tomorrow, kEveryDay}));
    });
}
BENCHMARK(BM_SubscriptionDayTakenOutPlain)->Apply(onBoth);

// The busiest product's price raised, its rows from today on priced again.
void BM_PriceChange(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString product = busiestProduct(r.db);
        r.db.exec(QStringLiteral("UPDATE products_data SET price = price + 1 WHERE names = ?"), {product});
        return DayRows::followPrice(r.db, product, r.today);
    });
}
BENCHMARK(BM_PriceChange)->Apply(onBoth);

void BM_PriceChangePlain(benchmark::State& state)
{
    measureOnBusiness(state, [](const Round& r) {
        const QString product = busiestProduct(r.db);
        r.db.exec(QStringLiteral("UPDATE products_data SET price = price + 1 WHERE names = ?"), {product});
        return affected(r.db.exec(QStringLiteral("UPDATE order_date SET expense ="
                                                 " (SELECT price FROM products_data WHERE names = ?) * subscribe_num"
                                                 " WHERE names = ? AND date_d >= ?"),
                                  {product, product, r.today}));
    });
}
BENCHMARK(BM_PriceChangePlain)->Apply(onBoth);

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
