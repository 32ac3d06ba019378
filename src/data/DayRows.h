#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
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
//
// A day's rows are what the orders give for it. An order delivers on the days of its subscription
// type (subscribe_type rows) from its start date on, each product of its delivery type (send_type
// rows), `amount` bottles, in the customer's milk area. Cancelled orders and customers who are
// cancelled, returned or lapsed get nothing. One customer's orders of one product on one day make one
// row. Its money is the product's price times the bottles charged (subscribed, added, less taken off),
// never below nothing.
//
// Bringing a day up to date writes the rows it lacks and the order's values into the rows it has;
// what a row holds beyond them (bottles given, added, taken off or lost, refund, suspend, the employee
// charged) stays. Bottles taken off beyond what the order now gives stay recorded, should the order
// rise again; meanwhile the row bills nothing and the reports count its bottles as none
// (DeliveredRows::notBelowZero). A row that no order gives any more goes, or, where it holds more,
// keeps that with nothing subscribed. A day suspended for every customer (suspendDay) has every row
// written onto it suspended, and its suspend is the day's: a row it alone keeps goes once no order gives
// it. Days before `today` are what happened and are never touched.
// A day brought up to date again changes nothing. Every count returned is of rows written, added or removed.
//
// Writers of day rows take turns (Database::Lock::DayRows), so two at once never write a day twice
// and the bulk suspend never misses a row being written. Each call writes in one transaction, or in
// the caller's. Throws DataError.
namespace DayRows {

// The days from `first` to `last`, both included, less those before `today`. `adjust`, where given,
// sees every new row before it is written, in a fixed order (day, milk area, customer, product), so the
// sample generator can vary the counts (it makes its own past, so its `today` is its first day).
qint64 write(Database& db, QDate first, QDate last, QDate today, const std::function<void(DayRow&)>& adjust = {});

// Today and the next two days: what a clerk's login makes sure of, so a business without a scheduled
// run of halcyon-dayrows still has its day rows.
constexpr int kComingDays = 3;
qint64 writeComingDays(Database& db, QDate today);

// Following a change of what the rows come from, in the caller's transaction where there is one: the
// written days of the customers the change reaches are brought up to date. The written days are today
// and the next two, whether rows stand on them or not, and every later day that holds rows. A change of
// a type or of a calendar day reads and writes only the rows it reaches, a few statements over the set
// (DayRowSets), so the turn is held no longer than that.

// The customers' rows: what an order's save or delete, and a change of a customer's milk area or
// standing, bring up to date, so the change reaches the delivery lists at once.
qint64 followOrders(Database& db, const QList<qint32>& customers, QDate today);

// A day added to a subscription type, and that day's rows of the customers with an order of the type
// where the day is a written one. The type gains the day once, however many clerks add it at the same
// moment: false where it has the day already.
bool addSubscriptionDay(Database& db, const QString& subscribeType, QDate day, QDate today);

// A day taken out of a subscription type, with that day's rows as above; false where the type has no
// such day.
bool removeSubscriptionDay(Database& db, const QString& subscribeType, QDate day, QDate today);

// A subscription type taken away with its days: the rows of the customers with an order of the type.
qint64 followSubscriptionType(Database& db, const QString& subscribeType, QDate today);

// A delivery type that gained the products `added` and lost those `removed`: the rows of those products
// of the customers with an order of the type.
qint64 followDeliveryType(Database& db, const QString& sendType, const QStringList& added, const QStringList& removed,
                          QDate today);

// A delivery type taken away with its products: the rows of the customers with an order of the type.
qint64 followDeliveryTypeRemoved(Database& db, const QString& sendType, QDate today);

// A product whose price changed: the money of its rows from today on. No row comes or goes with a price.
qint64 followPrice(Database& db, const QString& product, QDate today);

// The bulk suspend: every row of `day` suspended, whichever customer, product or flags, and the day
// marked suspended for every customer, so that rows written onto it later are written suspended until
// it is resumed. The rows suspended.
qint64 suspendDay(Database& db, QDate day);

// The bulk resume: the mark taken off and every row of `day` resumed; a written day from `today` on is
// then as a fresh write of the orders gives it. The rows resumed, besides those written, added or removed.
qint64 resumeDay(Database& db, QDate day, QDate today);

} // namespace DayRows

// What the written days follow of a product or a customer that takes another name or goes, once its
// own row is saved or deleted. Each runs in one transaction, or in the caller's, holding the writers'
// turn. Days before `today` keep what happened, under the names they had.
namespace DayRows {

// A product renamed from `from` to `to`: the delivery types that send it and its rows from today on
// carry the new name, so they keep their price and the next write finds the product. Where another
// product still has the old name, the types and rows are that product's and stay. A name another
// product already has is refused (DataError), as the two products' rows would become one.
qint64 followProductRenamed(Database& db, const QString& from, const QString& to, QDate today);

// A product deleted: its rows from today on go, whatever the round recorded on them. Refused (DataError,
// naming them) while a delivery type still sends it: taking it out of a type is the clerk's choice, and
// the type's customers' days follow that change. Where another product still has the name, nothing goes.
qint64 followProductDeleted(Database& db, const QString& product, QDate today);

// A customer deleted: its rows from today on go, whatever the round recorded on them.
qint64 followCustomerDeleted(Database& db, qint32 customer, QDate today);

} // namespace DayRows
