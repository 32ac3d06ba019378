#include "data/DayRowSets.h"

#include "data/Database.h"
#include "data/DeliveredRows.h"

namespace DayRowSets {

using namespace Qt::StringLiterals;

namespace {

// "<column> is 0 or missing" for each column, joined by AND. Written out rather than as coalesce(), so the
// server can tell from its statistics how many rows it keeps, and plan for them.
QString noneIn(const QStringList& columns)
{
    QStringList each;
    for (const QString& column : columns)
        each << u"(%1 = 0 OR %1 IS NULL)"_s.arg(column);
    return each.join(u" AND "_s);
}

} // namespace

const QString deliveringOrder = noneIn({u"order_data.cancel"_s, u"customer_data.cancel"_s, u"customer_data.returnss"_s,
                                        u"customer_data.timeout"_s})
                                + u" AND order_data.amount > 0"_s;

QString expenseOf(const QString& price, const QString& subscribed, const QString& table)
{
    const QString prefix = table.isEmpty() ? QString() : table + u'.';
    return u"%1 * "_s.arg(price)
           + DeliveredRows::notBelowZero(
               u"%1 + coalesce(%2add_num, 0) - coalesce(%2subtract_num, 0)"_s.arg(subscribed, prefix));
}

namespace {

// The price of the product a row of `table` names; nothing for a product that is not there.
QString priceOf(const QString& table)
{
    return u"coalesce((SELECT max(price) FROM products_data WHERE products_data.names = %1.names), 0)"_s.arg(table);
}

// The day of a row of `table` is suspended for everybody.
QString daySuspended(const QString& table)
{
    return u"EXISTS (SELECT 1 FROM suspended_day WHERE suspended_day.date_d = %1.date_d)"_s.arg(table);
}

// A row's suspend as it is to be: the day's where the day is suspended for everybody, else its own.
const QString wantedSuspend = u"CASE WHEN "_s + daySuspended(u"order_date"_s) + u" THEN 1 ELSE order_date.suspend END"_s;

// " AND <column> IN (?, ...)" for the products meant, with their values; nothing where all are meant.
QString productFilter(const QString& column, const QStringList& products, QVariantList& values)
{
    if (products.isEmpty())
        return {};
    for (const QString& product : products)
        values << product;
    return u" AND %1 IN (%2)"_s.arg(column, QStringList(products.size(), u"?"_s).join(u", "_s));
}

// The written rows of the scope, as a condition on order_date with its values.
struct RowsInScope {
    QString condition;
    QVariantList values;

    explicit RowsInScope(const Scope& scope) : values{scope.first, scope.last}
    {
        condition = u"order_date.date_d >= ? AND order_date.date_d <= ?"_s
                    + productFilter(u"order_date.names"_s, scope.products, values) + u" AND order_date.c_code IN ("_s
                    + scope.customers + u')';
        values += scope.customerValues;
    }
};

// The rows the orders give in the scope, one per customer, day and product, into given_rows: the
// bottles of all the customer's orders of the product that day, the customer's area, the bottle type
// of the first of those orders, and the row written for it already, if any. A calendar's day or a
// delivery type's product listed twice delivers once.
void writeGivenRows(Database& db, const Scope& scope)
{
    db.exec(u"CREATE TEMP TABLE given_rows (c_code INTEGER, date_d DATE, names TEXT, subscribe_num DOUBLE PRECISION,"
            " milk_area INTEGER, bottle_type TEXT, row_id INTEGER, PRIMARY KEY (c_code, date_d, names))"_s);
    QVariantList values{scope.first, scope.last, scope.lastComing};
    const QString products = productFilter(u"names"_s, scope.products, values);
    values += scope.customerValues;
    db.exec(u"INSERT INTO given_rows (c_code, date_d, names, subscribe_num, milk_area, bottle_type, row_id)"
            " SELECT c_code, date_d, names, subscribe_num, milk_area, bottle_type, (SELECT min(id) FROM order_date"
            " WHERE order_date.c_code = numbered.c_code AND order_date.date_d = numbered.date_d"
            " AND order_date.names = numbered.names) FROM ("
            " SELECT order_data.c_code, days.date_d, sends.names, coalesce(customer_data.milk_area, 0) AS milk_area,"
            " order_data.bottle_type, sum(order_data.amount) OVER delivery AS subscribe_num,"
            " row_number() OVER (delivery ORDER BY order_data.o_code) AS n"
            " FROM order_data JOIN customer_data ON customer_data.c_code = order_data.c_code"
            " JOIN (SELECT DISTINCT subscribe_type, date_d FROM subscribe_type WHERE date_d >= ? AND date_d <= ?"
            " AND (date_d <= ? OR EXISTS (SELECT 1 FROM order_date WHERE order_date.date_d = subscribe_type.date_d))) days"
            " ON days.subscribe_type = order_data.subscribe_type AND days.date_d >= order_data.start_date"
            " JOIN (SELECT DISTINCT send_type, names FROM send_type WHERE names IS NOT NULL"_s
                + products + u") sends ON sends.send_type = order_data.send_type WHERE "_s + deliveringOrder
                + u" AND order_data.c_code IN ("_s + scope.customers
                + u") WINDOW delivery AS (PARTITION BY order_data.c_code, days.date_d, sends.names)) numbered"
                  " WHERE n = 1"_s,
            values);
    // The server keeps no statistics of a temporary table by itself; without them it would read all of
    // order_date to join it with the given rows.
    if (db.kind() == Database::Kind::PostgreSQL)
        db.exec(u"ANALYZE given_rows"_s);
}

// The order's values into the rows that have them not.
qint64 updateGivenRows(Database& db)
{
    const QString expense = expenseOf(priceOf(u"given_rows"_s), u"given_rows.subscribe_num"_s, u"order_date"_s);
    return db
        .exec(u"UPDATE order_date SET subscribe_num = given_rows.subscribe_num, milk_area = given_rows.milk_area,"
              " bottle_type = given_rows.bottle_type, suspend = %1, expense = %2 FROM given_rows"
              " WHERE given_rows.row_id IS NOT NULL AND order_date.id = given_rows.row_id"
              " AND (order_date.subscribe_num IS DISTINCT FROM"
              " given_rows.subscribe_num OR order_date.milk_area IS DISTINCT FROM given_rows.milk_area"
              " OR order_date.bottle_type IS DISTINCT FROM given_rows.bottle_type"
              " OR order_date.suspend IS DISTINCT FROM %1 OR order_date.expense IS DISTINCT FROM %2)"_s.arg(wantedSuspend,
                                                                                                           expense))
        .numRowsAffected();
}

// The rows the days lack, in the order the rounds read them.
qint64 insertMissingRows(Database& db)
{
    return db
        .exec(u"INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, suspend, milk_area, bottle_type)"
              " SELECT c_code, date_d, names, subscribe_num, %1 * subscribe_num, CASE WHEN %2 THEN 1 ELSE 0 END,"
              " milk_area, bottle_type FROM given_rows WHERE row_id IS NULL ORDER BY date_d, milk_area, c_code, names"_s.arg(
                  priceOf(u"given_rows"_s), daySuspended(u"given_rows"_s)))
        .numRowsAffected();
}

// The rows of the scope that no order gives any more: gone where they hold nothing the round recorded
// (a day's suspend for everybody being the day's), else kept with nothing subscribed.
qint64 followRowsNotGiven(Database& db, const RowsInScope& rows)
{
    const QString notGiven = rows.condition
                             + u" AND NOT EXISTS (SELECT 1 FROM given_rows WHERE given_rows.c_code = order_date.c_code"
                               " AND given_rows.date_d = order_date.date_d AND given_rows.names = order_date.names)"_s;
    const qint64 removed =
        db.exec(u"DELETE FROM order_date WHERE "_s + notGiven
                    + u" AND "_s
                    + noneIn({u"give_num"_s, u"add_num"_s, u"subtract_num"_s, u"not_bottle"_s, u"refund"_s, u"loss_duty"_s})
                    + u" AND (suspend = 0 OR suspend IS NULL OR "_s + daySuspended(u"order_date"_s) + u')',
                rows.values)
            .numRowsAffected();
    const QString expense = expenseOf(priceOf(u"order_date"_s), u"0"_s, u"order_date"_s);
    const qint64 emptied =
        db.exec(u"UPDATE order_date SET subscribe_num = 0, suspend = %1, expense = %2 WHERE "_s.arg(wantedSuspend, expense)
                    + notGiven
                    + u" AND (subscribe_num IS DISTINCT FROM 0 OR suspend IS DISTINCT FROM %1"
                      " OR expense IS DISTINCT FROM %2)"_s.arg(wantedSuspend, expense),
                rows.values)
            .numRowsAffected();
    return removed + emptied;
}

} // namespace

qint64 bringUpToDate(Database& db, const Scope& scope)
{
    writeGivenRows(db, scope);
    qint64 written = updateGivenRows(db) + insertMissingRows(db);
    if (!scope.onlyGains)
        written += followRowsNotGiven(db, RowsInScope(scope));
    db.exec(u"DROP TABLE given_rows"_s);
    return written;
}

} // namespace DayRowSets
