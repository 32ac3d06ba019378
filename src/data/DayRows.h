#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <functional>

class Database;

// One row of order_date: the delivery of one product to one customer on one day.
struct DayRow {
    int c_code = 0;
    QDate date_d;
    QString names;
    double subscribe_num = 0;
    double give_num = 0;
    double add_num = 0;
    double subtract_num = 0;
    double not_bottle = 0;
    double expense = 0;
    bool refund = false;
    bool suspend = false;
    int milk_area = 0;
    QString bottle_type;
    int loss_duty = 0; // the employee charged for lost bottles; 0 for nobody
};

// The rows of order_date that the database side supplies (design: "Rows the database side
// supplies"), made from the customers' orders.
namespace DayRows {

// Writes the delivery rows of the days from `first` to `last`, both included. An order delivers on
// the days of its subscription type (subscribe_type rows) from its start date on, each product of
// its delivery type (send_type rows), `amount` bottles at the product's price, in the customer's milk
// area. Cancelled orders and customers who are cancelled, returned or lapsed get nothing. A customer
// who already has rows on a day keeps them and gets none added for that day, so running it again
// adds nothing. One customer's orders of one product on one day make one row.
//
// `adjust`, where given, sees every row before it is written, in a fixed order (day, milk area,
// customer, product), so the sample generator can vary the counts. All rows are written in one transaction.
// Returns the number of rows written; throws DataError.
// Writers of day rows take turns (Database::Lock::DayRows), so two at once write each day once.
qint64 write(Database& db, QDate first, QDate last, const std::function<void(DayRow&)>& adjust = {});

// Today and the next two days: what a clerk's login makes sure of, so a business without a scheduled
// run of halcyon-dayrows still has its day rows.
constexpr int kComingDays = 3;
qint64 writeComingDays(Database& db, QDate today);

} // namespace DayRows
