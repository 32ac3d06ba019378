#include "payroll/Commission.h"

#include "data/Database.h"
#include "data/DeliveredRows.h"
#include "payroll/PayFigures.h"

#include <QHash>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

const QString Salesperson = u"業務"_s;
const QString Milkman = u"送奶員"_s;

// Bottles per product of the delivery rows of the month of the customers a list selects: subscribed,
// added, less taken off; an empty count is 0.
const QString CustomersBottles =
    u"SELECT names, sum("_s
    + DeliveredRows::notBelowZero(u"coalesce(subscribe_num, 0) + coalesce(add_num, 0) - coalesce(subtract_num, 0)"_s)
    + u") "
      "FROM order_date WHERE date_d >= ? AND date_d < ? AND c_code IN (%1) GROUP BY names"_s;

// The customers of the employee's orders begun by the end of the month: old ones have their
// different_move row and an order begun before the reference date's 30 days.
const QString OldCustomers =
    u"SELECT order_data.c_code FROM order_data, customer_data, different_move "
    "WHERE customer_data.c_code = order_data.c_code AND different_move.c_code = customer_data.c_code "
    "AND customer_data.enter_worker = ? AND order_data.start_date < ? AND order_data.start_date < ?"_s;
const QString NewCustomers =
    u"SELECT order_data.c_code FROM order_data, customer_data "
    "WHERE customer_data.c_code = order_data.c_code "
    "AND customer_data.enter_worker = ? AND order_data.start_date < ? AND order_data.start_date >= ?"_s;
const QString SignedCustomers =
    u"SELECT order_data.c_code FROM order_data, customer_data "
    "WHERE customer_data.c_code = order_data.c_code AND customer_data.enter_worker = ?"_s;

// Bottles per product delivered in the employee's milk area in the month, given ones included.
const QString AreaBottles =
    u"SELECT order_date.names, sum("_s
    + DeliveredRows::notBelowZero(
        u"coalesce(subscribe_num, 0) + coalesce(give_num, 0) + coalesce(add_num, 0) - coalesce(subtract_num, 0)"_s)
    + u") FROM order_date, employees_data "
      "WHERE employees_data.e_code = ? AND order_date.milk_area = employees_data.milk_area AND "_s
    + DeliveredRows::condition(u"order_date"_s)
    + u" AND order_date.date_d >= ? AND order_date.date_d < ? "
      "GROUP BY order_date.names"_s;

QString rateColumn(int rate)
{
    static const QString columns[] = {u"o_c"_s, u"n_c"_s, u"w_c"_s, u"b_c"_s};
    return columns[rate];
}

} // namespace

CommissionFigures CommissionCalculator::compute(const CommissionInputs& inputs) const
{
    CommissionFigures figures;
    if (!QDate(inputs.year, inputs.month, 1).isValid())
        return figures;
    if (inputs.jobTitle == Salesperson && !inputs.settled) {
        figures.oldBottles = customersCommission(CustomerList::Old, Rate::Old, inputs);
        figures.newBottles = customersCommission(CustomerList::New, Rate::New, inputs);
        return figures;
    }
    if (inputs.jobTitle == Milkman && !inputs.settled)
        figures.oldBottles = customersCommission(CustomerList::Signed, Rate::OwnCustomers, inputs);
    figures.newBottles = areaCommission(inputs);
    return figures;
}

Decimal CommissionCalculator::customersCommission(CustomerList list, Rate rate, const CommissionInputs& inputs) const
{
    const QDate firstDay(inputs.year, inputs.month, 1);
    const QDate nextMonth = firstDay.addMonths(1);
    // D - start_date > 30 days: the order began before D - 30.
    const QDate oldBefore = inputs.referenceDate.addDays(-30);
    QVariantList values{firstDay, nextMonth, inputs.name};
    QString customers;
    switch (list) {
    case CustomerList::Old:
        customers = OldCustomers;
        values << nextMonth << oldBefore;
        break;
    case CustomerList::New:
        customers = NewCustomers;
        values << nextMonth << oldBefore;
        break;
    case CustomerList::Signed:
        customers = SignedCustomers;
        break;
    }
    return priced(CustomersBottles.arg(customers), values, rate);
}

Decimal CommissionCalculator::areaCommission(const CommissionInputs& inputs) const
{
    const QDate firstDay(inputs.year, inputs.month, 1);
    return priced(AreaBottles, {inputs.employeeCode, firstDay, firstDay.addMonths(1)}, Rate::Area);
}

// Each product's bottles, as the statement totals them, at its rate, rounded per product. The rates
// are read first: a server hands a statement's rows over while they are read, one statement at a time.
Decimal CommissionCalculator::priced(const QString& bottleTotals, const QVariantList& values, Rate rate) const
{
    QHash<QString, QVariant> rates;
    QSqlQuery rows = m_db.exec(u"SELECT names, %1 FROM complete ORDER BY id"_s.arg(rateColumn(int(rate))));
    while (m_db.nextRow(rows)) {
        const QString name = rows.value(0).toString();
        if (!rates.contains(name))
            rates.insert(name, rows.value(1));
    }
    Decimal sum;
    QSqlQuery totals = m_db.exec(bottleTotals, values);
    while (m_db.nextRow(totals)) {
        const QVariant rateValue = rates.value(totals.value(0).toString());
        if (rateValue.isNull())
            continue;
        sum = PayFigures::add(sum, PayFigures::multiply(PayFigures::stored(totals.value(1)), PayFigures::stored(rateValue)));
    }
    return sum;
}
