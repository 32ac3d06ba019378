// The settlement form's waits over a year of a 5,000-customer business: the larger salesperson's
// monthly commission (worked out at every move, target under 250 ms) and the month-end run over every
// open pay row (target under 1 s), each beside the same statements run by hand with doubles.
// Run: build/bench/payrollBench (the first run fills the sample database).

#include "BenchSample.h"

#include "data/Database.h"
#include "payroll/Commission.h"
#include "payroll/MonthEndRun.h"

#include <QHash>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QDate kMonth(2026, 3, 1);
const QDate kReference(2026, 3, 31);
QString g_database;

// The salesperson who signed up the most customers.
CommissionInputs largerSalesperson(Database& db)
{
    QSqlQuery query = db.exec(u"SELECT e_code, employees_data.name, count(*) FROM employees_data, customer_data "
                              "WHERE job_leave = '業務' AND enter_worker = employees_data.name GROUP BY e_code, employees_data.name "
                              "ORDER BY 3 DESC"_s);
    query.next();
    return {query.value(1).toString(), query.value(0).toInt(), kMonth.year(), kMonth.month(), kReference,
            u"業務"_s, false};
}

void commissionOfTheLargerSalesperson(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    const CommissionInputs inputs = largerSalesperson(*db);
    CommissionFigures figures;
    for (auto _ : state)
        benchmark::DoNotOptimize(figures = CommissionCalculator(*db).compute(inputs));
    state.counters["old"] = figures.oldBottles.toDouble();
    state.counters["new"] = figures.newBottles.toDouble();
}

// The same two statements and the rates, read by hand into doubles.
void commissionByHand(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    const CommissionInputs inputs = largerSalesperson(*db);
    auto priced = [&](const QString& customers, const QString& rate, const QDate& dateBound) {
        QHash<QString, double> rates;
        // The open rows are read before any is settled: the next month's rows written below are open
        // too, and a loop still reading would take them up and never end.
        QSqlQuery rows = db->exec(u"SELECT names, %1 FROM complete ORDER BY id"_s.arg(rate));
        while (rows.next())
            if (!rates.contains(rows.value(0).toString()))
                rates.insert(rows.value(0).toString(), rows.value(1).toDouble());
        QSqlQuery totals = db->exec(
            u"SELECT names, sum(coalesce(subscribe_num, 0) + coalesce(add_num, 0) - coalesce(subtract_num, 0)) "
            "FROM order_date WHERE date_d >= ? AND date_d < ? AND c_code IN (%1) GROUP BY names"_s.arg(customers),
            {kMonth, kMonth.addMonths(1), inputs.name, kMonth.addMonths(1), dateBound});
        double sum = 0;
        while (totals.next())
            sum += totals.value(1).toDouble() * rates.value(totals.value(0).toString());
        return sum;
    };
    const QDate oldBefore = kReference.addDays(-30);
    double oldBottles = 0, newBottles = 0;
    for (auto _ : state) {
        oldBottles = priced(u"SELECT order_data.c_code FROM order_data, customer_data, different_move "
                            "WHERE customer_data.c_code = order_data.c_code AND different_move.c_code = customer_data.c_code "
                            "AND customer_data.enter_worker = ? AND order_data.start_date < ? AND order_data.start_date < ?"_s,
                            u"o_c"_s, oldBefore);
        newBottles = priced(u"SELECT order_data.c_code FROM order_data, customer_data "
                            "WHERE customer_data.c_code = order_data.c_code "
                            "AND customer_data.enter_worker = ? AND order_data.start_date < ? AND order_data.start_date >= ?"_s,
                            u"n_c"_s, oldBefore);
        benchmark::DoNotOptimize(oldBottles + newBottles);
    }
    state.counters["old"] = oldBottles;
    state.counters["new"] = newBottles;
}

// Every iteration settles March and is rolled back, so the next one finds the same open rows.
void monthEndRun(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    int settled = 0;
    for (auto _ : state) {
        Transaction undone(*db);
        settled = int(MonthEndRun(*db).run({kMonth.year(), kMonth.month(), kReference, kReference}).settledRows.size());
    }
    state.counters["rows"] = settled;
}

// The run's statements by hand in one transaction: the commissions of each open row as above, its
// net pay in doubles, its settlement and the next month's row.
void monthEndByHand(benchmark::State& state)
{
    const auto db = Database::open(g_database);
    int settled = 0;
    for (auto _ : state) {
        Transaction undone(*db);
        db->exec(u"UPDATE salary_sum_date SET salary_sum_date = ?, settled_month = ? "
                 "WHERE settled_month IS NULL OR settled_month < ?"_s,
                 {kReference, kMonth, kMonth});
        // The open rows are read before any is settled: the next month's rows written below are open
        // too, and a loop still reading would take them up and never end.
        QSqlQuery rows = db->exec(
            u"SELECT salary_detailed.id, salary_detailed.e_code, employees_data.name, employees_data.job_leave, "
            "employees_data.leave_date, salary_data.salary + salary_data.boss + salary_data.post + salary_data.food "
            "+ salary_data.oil + salary_data.other + salary_data.loss + salary_data.traff + fully + reachbonus + bonus "
            "+ effectsbonus + dispatch + overtime, salary_data.work + salary_data.health + ask_leave + late + request "
            "+ other_buckle FROM salary_detailed LEFT JOIN salary_data ON salary_data.e_code = salary_detailed.e_code "
            "LEFT JOIN employees_data ON employees_data.e_code = salary_detailed.e_code "
            "WHERE salary_detailed.balance = 0 ORDER BY salary_detailed.e_code, salary_detailed.id"_s);
        QList<QVariantList> open;
        while (rows.next()) {
            QVariantList row;
            for (int i = 0; i < 7; ++i)
                row << rows.value(i);
            open << row;
        }
        settled = 0;
        for (const QVariantList& row : std::as_const(open)) {
            const CommissionInputs inputs{row[2].toString(), row[1].toInt(), kMonth.year(), kMonth.month(),
                                          kReference, row[3].toString(), false};
            const CommissionFigures earned = CommissionCalculator(*db).compute(inputs);
            const double bottles = earned.oldBottles.toDouble() + earned.newBottles.toDouble();
            const double promise = row[5].toDouble() + bottles - row[6].toDouble();
            db->exec(u"UPDATE salary_detailed SET bottle_m = ?, balance = 1, balance_date = ?, promise = ? "
                     "WHERE id = ? AND balance = 0"_s,
                     {bottles, kReference, promise, row[0]});
            if (row[4].isNull())
                db->exec(u"INSERT INTO salary_detailed (e_code) VALUES (?)"_s, {row[1]});
            ++settled;
        }
    }
    state.counters["rows"] = settled;
}

BENCHMARK(commissionOfTheLargerSalesperson)->Unit(benchmark::kMillisecond);
BENCHMARK(commissionByHand)->Unit(benchmark::kMillisecond);
BENCHMARK(monthEndRun)->Unit(benchmark::kMillisecond);
BENCHMARK(monthEndByHand)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_database);
}
