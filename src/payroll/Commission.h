#pragma once

#include "data/Decimal.h"

#include <QDate>
#include <QString>
#include <QVariantList>
#include <QtGlobal>

class Database;

// Whose commissions of which month: the pay row's employee as the settlement form shows it.
struct CommissionInputs {
    QString name;          // the employee's name, as the customers' enter_worker spells it
    qint32 employeeCode = 0;
    int year = 0;
    int month = 0;
    QDate referenceDate;   // a customer whose order began more than 30 days before it is an old one
    QString jobTitle;      // "業務" and "送奶員" earn on their own customers
    bool settled = false;  // the pay row's balance flag
};

// The month's bottle commissions of one employee: old customers' (or a milkman's own customers')
// bottles, and new customers' (or the milk area's) bottles.
struct CommissionFigures {
    Decimal oldBottles;
    Decimal newBottles;
};

// Works out the month's bottle commissions from the delivery rows and the products' rates:
// - a salesperson ("業務", row not settled) earns o_c on the bottles of old customers (with their
//   different_move row, an order begun more than 30 days before the reference date) and n_c on those
//   of new ones (an order begun 30 days or fewer before it, or later), subscribed + added - taken off,
//   whatever the row's flags;
// - a milkman ("送奶員", row not settled) earns w_c on his customers' bottles, counted the same way;
// - everyone but an unsettled salesperson earns b_c on every bottle delivered in his milk area,
//   given ones included, refunded and suspended ones left out.
// Only orders begun by the end of the month count. Each list is one statement giving bottle totals
// per product; a total times its product's rate (the first complete row of the name; none or empty:
// nothing) is rounded per product.
class CommissionCalculator {
public:
    explicit CommissionCalculator(Database& db) : m_db(db) {}

    // Throws DataError when the database refuses a statement.
    CommissionFigures compute(const CommissionInputs& inputs) const;

private:
    enum class Rate { Old, New, OwnCustomers, Area };
    enum class CustomerList { Old, New, Signed };

    Decimal customersCommission(CustomerList list, Rate rate, const CommissionInputs& inputs) const;
    Decimal areaCommission(const CommissionInputs& inputs) const;
    Decimal priced(const QString& bottleTotals, const QVariantList& values, Rate rate) const;

    Database& m_db;
};
