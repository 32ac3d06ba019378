// The reports over a year of a 5,000-customer business (about two million order_date rows), each beside
// the plainest way to the same figures. Daily report, all areas of a day: within 1.5 times one grouped
// SELECT of its sums read by hand, "ok" to written .xlsx under 200 ms. Invoice listing, a month: within
// 1.3 times its grouped SELECT by hand, under 1 s with the .xlsx. Payment reminder load, a month: within
// 1.3 times its grouped SELECT by hand, under 500 ms. The per-row queries of the first design are
// measured beside them.
// Run: build/bench/reportsBench (the first run fills the sample database).

#include "BenchSample.h"
#include "accounts/AccountsForms.h"
#include "core/AppContext.h"
#include "data/DataError.h"
#include "data/Database.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_database;
const QDate kDay(2026, 6, 15);

// The forms of accounts on the sample database; sheets go to a temporary folder and are not opened.
struct Reports {
    Reports() : db(Database::open(g_database)), clock(kDay), app(*db, messages, clock)
    {
        registerAccountsForms(app);
        app.spreadsheets.folder = sheets.path();
        app.spreadsheets.open = [](const QString&, const std::function<void()>&) {};
    }

    QWidget* open(const QString& name)
    {
        QWidget* form = OpenFormCommand(app)(name);
        QApplication::processEvents();
        return form;
    }

    void click(QWidget* form, const QString& name)
    {
        form->findChild<QAbstractButton*>(name)->click();
        QApplication::processEvents();
    }

    QTemporaryDir sheets;
    std::unique_ptr<Database> db;
    SilentMessages messages;
    FixedClock clock;
    AppContext app;
};

void readAll(QSqlQuery query)
{
    const int columns = query.record().count();
    while (query.next())
        for (int i = 0; i < columns; ++i)
            benchmark::DoNotOptimize(query.value(i));
}

void dailyReportToXlsx(benchmark::State& state)
{
    Reports reports;
    for (auto _ : state) {
        QWidget* dialog = reports.open(u"載入日計報表"_s);
        reports.click(dialog, u"Option2"_s);
        reports.click(dialog, u"OKButton"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void dailySumsByHand(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    for (auto _ : state)
        readAll(db->exec(u"select order_date.milk_area, names, bottle_type, sum(subscribe_num), sum(add_num),"
                         " sum(subtract_num), sum(case when refund = 1 then subscribe_num end),"
                         " sum(case when suspend = 1 then subscribe_num end) from order_date, customer_data"
                         " where order_date.c_code = customer_data.c_code and order_date.date_d = ?"
                         " group by order_date.milk_area, names, bottle_type"_s,
                         {kDay}));
}

// The first design: five queries per area, product and bottle type.
void dailySumsPerRow(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    QList<QVariantList> rows;
    for (QSqlQuery q = db->exec(u"select milk_area, names, bottle_type from milk_area, products_data, bottle_type"_s);
         q.next();)
        rows << QVariantList{q.value(0), q.value(1), q.value(2)};
    const QStringList sums{u"sum(subscribe_num)"_s, u"sum(add_num)"_s, u"sum(subtract_num)"_s,
                           u"sum(subscribe_num)"_s, u"sum(subscribe_num)"_s};
    const QStringList filters{{}, {}, {}, u" and refund = 1"_s, u" and suspend = 1"_s};
    for (auto _ : state)
        for (const QVariantList& row : rows)
            for (int i = 0; i < sums.size(); ++i)
                benchmark::DoNotOptimize(db->scalar(
                    u"select "_s + sums[i] + u" from order_date, customer_data where order_date.c_code ="
                    " customer_data.c_code and order_date.milk_area = ?"_s + filters[i] +
                        u" and order_date.date_d = ? and order_date.bottle_type = ? and order_date.names = ?"_s,
                    {row[0], kDay, row[2], row[1]}));
    state.counters["rows"] = rows.size();
}

void invoiceListingToXlsx(benchmark::State& state)
{
    Reports reports;
    for (auto _ : state) {
        QWidget* dialog = reports.open(u"載入發票明細"_s);
        reports.click(dialog, u"OKButton"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void invoiceListingByHand(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    for (auto _ : state)
        readAll(db->exec(u"select customer_data.c_code, name, tel, addr, sum(expense), billhead, unifyserial"
                         " from customer_data, order_date where coalesce(customer_data.advancepay, 0) = 0"
                         " and customer_data.bill2 = 1 and customer_data.c_code = order_date.c_code"
                         " and order_date.date_d >= ? and order_date.date_d <= ?"
                         " group by customer_data.c_code, name, tel, addr, billhead, unifyserial"
                         " order by customer_data.c_code"_s,
                         {QDate(2026, 6, 1), QDate(2026, 6, 30)}));
}

void reminderLoad(benchmark::State& state)
{
    Reports reports;
    for (auto _ : state) {
        QWidget* form = reports.open(u"提示繳款名單"_s);
        delete form;
    }
}

void reminderTotalsByHand(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    for (auto _ : state)
        readAll(db->exec(u"select customer_data.c_code, name, coalesce(sum(subscribe_num), 0)"
                         " from customer_data left join order_date on order_date.c_code = customer_data.c_code"
                         " and refund = 0 and suspend = 0 and not_bottle = 0 and date_d >= ? and date_d <= ?"
                         " group by customer_data.c_code, name order by customer_data.c_code"_s,
                         {QDate(2026, 6, 1), kDay}));
}

// The first design: one total query per customer.
void reminderTotalsPerCustomer(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    QVariantList codes;
    for (QSqlQuery q = db->exec(u"select c_code from customer_data order by c_code"_s); q.next();)
        codes << q.value(0);
    for (auto _ : state)
        for (const QVariant& code : codes)
            benchmark::DoNotOptimize(db->scalar(u"select sum(subscribe_num) from order_date where c_code = ?"
                                                " and refund = 0 and suspend = 0 and not_bottle = 0"
                                                " and date_d >= ? and date_d <= ?"_s,
                                                {code, QDate(2026, 6, 1), kDay}));
}

BENCHMARK(dailyReportToXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(dailySumsByHand)->Unit(benchmark::kMillisecond);
BENCHMARK(dailySumsPerRow)->Unit(benchmark::kMillisecond);
BENCHMARK(invoiceListingToXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(invoiceListingByHand)->Unit(benchmark::kMillisecond);
BENCHMARK(reminderLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(reminderTotalsByHand)->Unit(benchmark::kMillisecond);
BENCHMARK(reminderTotalsPerCustomer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_database);
}
