#include "data/DayRows.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/DayRowSets.h"

#include <QHash>
#include <QHashFunctions>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace DayRows {

namespace {

using namespace Qt::StringLiterals;

struct Catalogue {
    QHash<QString, double> prices;             // by product name
    QHash<QString, QStringList> ofDeliveryType; // the products each delivery type sends
};

// An order as it delivers: on which days, what, and where.
struct Order {
    int c_code = 0;
    QDate start;
    double amount = 0;
    QString bottleType;
    int milkArea = 0;
    const QSet<QDate>* days = nullptr; // of its subscription type
    QStringList products;               // of its delivery type
};

// Whose rows to bring up to date: every customer's, or those a subquery of c_code or a list of "?" names.
struct Customers {
    QString sql; // empty for every customer
    QVariantList values;

    static Customers named(const QList<qint32>& codes)
    {
        Customers customers{QStringList(codes.size(), u"?"_s).join(u", "_s), {}};
        for (qint32 code : codes)
            customers.values << code;
        return customers;
    }

    // The customers with an order whose `column` is `value`: those a type's change reaches.
    static Customers ordering(const QString& column, const QString& value)
    {
        return {u"SELECT c_code FROM order_data WHERE %1 = ?"_s.arg(column), {value}};
    }
};

// The days to bring up to date, in order, and whose rows.
struct Selection {
    QList<QDate> days;
    Customers customers;
};

// One customer's delivery of one product on one day: no two rows of the day are meant to share it.
struct RowKey {
    int c_code;
    QDate day;
    QString names;
    bool operator==(const RowKey&) const = default;
};

size_t qHash(const RowKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.c_code, key.day, key.names);
}

// A row as the table holds it, and whether an order still gives it.
struct WrittenRow {
    qint64 id = 0;
    DayRow row;
    bool given = false;

    // What the round recorded on the day, beyond the order's values. On a day suspended for everybody
    // the suspend is the day's, not the row's.
    bool holdsMore(bool daySuspended) const
    {
        return row.give_num != 0 || row.add_num != 0 || row.subtract_num != 0 || row.not_bottle != 0 || row.refund
               || (row.suspend && !daySuspended) || row.loss_duty != 0;
    }
};

struct WrittenRows {
    QList<WrittenRow> rows;
    QHash<RowKey, qsizetype> byKey; // the first row of each key
};

// The money of a row: the bottles charged at the product's price. Bottles taken off beyond those
// subscribed and added leave nothing to bill, not a credit. DayRowSets::expenseOf() works the same in SQL.
double expenseOf(const DayRow& row, double price)
{
    return price * std::max(0.0, row.subscribe_num + row.add_num - row.subtract_num);
}

// The columns RowWriter::add binds, in its order.
const QStringList columns = {u"c_code"_s, u"date_d"_s, u"names"_s, u"subscribe_num"_s, u"give_num"_s,
                             u"add_num"_s, u"subtract_num"_s, u"not_bottle"_s, u"expense"_s, u"refund"_s,
                             u"suspend"_s, u"milk_area"_s, u"bottle_type"_s, u"loss_duty"_s};

// Writes new order_date rows many at a time: one multi-row INSERT, prepared once, for every full batch.
class RowWriter {
public:
    explicit RowWriter(Database& db) : m_db(db), m_batch(db, insertOf(kBatchRows)) {}

    void add(const DayRow& row)
    {
        m_values << row.c_code << row.date_d << row.names << row.subscribe_num << row.give_num << row.add_num
                 << row.subtract_num << row.not_bottle << row.expense << int(row.refund) << int(row.suspend)
                 << row.milk_area << row.bottle_type
                 << (row.loss_duty ? QVariant(row.loss_duty) : QVariant(QMetaType::fromType<int>()));
        if (m_values.size() == kBatchRows * columns.size())
            run(m_batch);
    }

    // Writes the rows of the last, partial batch.
    void finish()
    {
        if (m_values.isEmpty())
            return;
        PreparedStatement rest(m_db, insertOf(int(m_values.size() / columns.size())));
        run(rest);
    }

    qint64 written() const { return m_written; }

private:
    // Enough rows to share out each statement's own cost; larger batches measured no faster.
    // 64 rows of 14 values stay far below the bound-value limits of SQLite and PostgreSQL.
    static constexpr int kBatchRows = 64;

    static QString insertOf(int rows)
    {
        const QString row = u"("_s + QStringList(columns.size(), u"?"_s).join(u", "_s) + u")"_s;
        return u"INSERT INTO order_date (%1) VALUES %2"_s.arg(columns.join(u", "_s), QStringList(rows, row).join(u", "_s));
    }

    void run(PreparedStatement& statement)
    {
        statement.run(m_values);
        m_written += m_values.size() / columns.size();
        m_values.clear();
    }

    Database& m_db;
    PreparedStatement m_batch;
    QVariantList m_values;
    qint64 m_written = 0;
};

// Changes rows already written: the order's values into a row, or a row that nothing gives out.
class RowChanges {
public:
    explicit RowChanges(Database& db)
        : m_update(db, u"UPDATE order_date SET subscribe_num = ?, expense = ?, milk_area = ?, bottle_type = ?,"
                       " suspend = ? WHERE id = ?"_s),
          m_remove(db, u"DELETE FROM order_date WHERE id = ?"_s)
    {
    }

    void update(const WrittenRow& written)
    {
        const DayRow& row = written.row;
        m_update.run({row.subscribe_num, row.expense, row.milk_area, row.bottle_type, int(row.suspend), written.id});
        ++m_count;
    }

    void remove(const WrittenRow& written)
    {
        m_remove.run({written.id});
        ++m_count;
    }

    qint64 count() const { return m_count; }

private:
    PreparedStatement m_update;
    PreparedStatement m_remove;
    qint64 m_count = 0;
};

// " AND c_code IN (...)" for the customers meant, with their values; nothing where all are meant.
QString customerFilter(const QString& column, const Customers& customers, QVariantList& values)
{
    if (customers.sql.isEmpty())
        return {};
    values += customers.values;
    return u" AND %1 IN (%2)"_s.arg(column, customers.sql);
}

QHash<QString, QSet<QDate>> deliveryDays(Database& db, QDate first, QDate last)
{
    QHash<QString, QSet<QDate>> days;
    QSqlQuery query = db.exec(u"SELECT subscribe_type, date_d FROM subscribe_type WHERE date_d >= ? AND date_d <= ?"_s,
                              {first, last});
    while (db.nextRow(query))
        days[query.value(0).toString()].insert(query.value(1).toDate());
    return days;
}

// The days of [first, last] suspended for every customer.
QSet<QDate> suspendedDays(Database& db, QDate first, QDate last)
{
    QSet<QDate> days;
    QSqlQuery query = db.exec(u"SELECT date_d FROM suspended_day WHERE date_d >= ? AND date_d <= ?"_s, {first, last});
    while (db.nextRow(query))
        days.insert(query.value(0).toDate());
    return days;
}

Catalogue products(Database& db)
{
    Catalogue catalogue;
    QSqlQuery query = db.exec(u"SELECT names, price FROM products_data"_s);
    while (db.nextRow(query))
        catalogue.prices.insert(query.value(0).toString(), query.value(1).toDouble());

    // A product listed twice in one type is delivered once.
    query = db.exec(u"SELECT send_type, names FROM send_type ORDER BY serial"_s);
    while (db.nextRow(query)) {
        QStringList& list = catalogue.ofDeliveryType[query.value(0).toString()];
        const QString names = query.value(1).toString();
        if (!list.contains(names))
            list.append(names);
    }
    return catalogue;
}

// Ordered by milk area, as the rounds go, and then by customer, so one customer's orders come
// together. A day's rows of one area then lie side by side in the table, which is how the delivery
// lists and reports read them.
QList<Order> deliveringOrders(Database& db, const QHash<QString, QSet<QDate>>& days, const Catalogue& catalogue,
                              const Customers& customers)
{
    QVariantList values;
    const QString filter = customerFilter(u"order_data.c_code"_s, customers, values);
    QList<Order> orders;
    QSqlQuery query = db.exec(u"SELECT order_data.c_code, order_data.start_date, order_data.amount,"
                              " order_data.subscribe_type, order_data.send_type, order_data.bottle_type,"
                              " customer_data.milk_area"
                              " FROM order_data JOIN customer_data ON customer_data.c_code = order_data.c_code WHERE "_s
                                  + DayRowSets::deliveringOrder + filter + u" ORDER BY customer_data.milk_area, order_data.c_code, order_data.o_code"_s,
                              values);
    while (db.nextRow(query)) {
        const auto calendar = days.constFind(query.value(3).toString());
        const auto delivered = catalogue.ofDeliveryType.constFind(query.value(4).toString());
        const QDate start = query.value(1).toDate();
        if (calendar == days.cend() || delivered == catalogue.ofDeliveryType.cend() || !start.isValid())
            continue;
        orders.append({.c_code = query.value(0).toInt(),
                       .start = start,
                       .amount = query.value(2).toDouble(),
                       .bottleType = query.value(5).toString(),
                       .milkArea = query.value(6).toInt(),
                       .days = &calendar.value(),
                       .products = delivered.value()});
    }
    return orders;
}

WrittenRows writtenRows(Database& db, const Selection& selection)
{
    QVariantList values{selection.days.constFirst(), selection.days.constLast()};
    const QString filter = customerFilter(u"c_code"_s, selection.customers, values);
    const QSet<QDate> days(selection.days.cbegin(), selection.days.cend());
    WrittenRows written;
    QSqlQuery query = db.exec(u"SELECT id, c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num,"
                              " not_bottle, expense, refund, suspend, milk_area, bottle_type, loss_duty"
                              " FROM order_date WHERE date_d >= ? AND date_d <= ?"_s
                                  + filter + u" ORDER BY id"_s,
                              values);
    while (db.nextRow(query)) {
        WrittenRow row{.id = query.value(0).toLongLong(),
                       .row = {.c_code = query.value(1).toInt(),
                               .date_d = query.value(2).toDate(),
                               .names = query.value(3).toString(),
                               .subscribe_num = query.value(4).toDouble(),
                               .give_num = query.value(5).toDouble(),
                               .add_num = query.value(6).toDouble(),
                               .subtract_num = query.value(7).toDouble(),
                               .not_bottle = query.value(8).toDouble(),
                               .expense = query.value(9).toDouble(),
                               .refund = query.value(10).toInt() != 0,
                               .suspend = query.value(11).toInt() != 0,
                               .milk_area = query.value(12).toInt(),
                               .bottle_type = query.value(13).toString(),
                               .loss_duty = query.value(14).toInt()}};
        if (!days.contains(row.row.date_d))
            continue;
        const RowKey key{row.row.c_code, row.row.date_d, row.row.names};
        if (!written.byKey.contains(key)) // a second row of a key counts as given by nobody
            written.byKey.insert(key, written.rows.size());
        written.rows.append(row);
    }
    return written;
}

// The written days: today and the next two, whether rows stand on them or not, then every later day
// that holds a row, each found by one step along the date index.
QList<QDate> writtenDays(Database& db, QDate today)
{
    QList<QDate> days;
    for (int i = 0; i < kComingDays; ++i)
        days << today.addDays(i);
    QSqlQuery query = db.exec(u"WITH RECURSIVE written(day) AS ("
                              " SELECT min(date_d) FROM order_date WHERE date_d >= ?"
                              " UNION ALL SELECT (SELECT min(date_d) FROM order_date WHERE date_d > written.day)"
                              " FROM written WHERE written.day IS NOT NULL)"
                              " SELECT day FROM written WHERE day IS NOT NULL"_s,
                              {today.addDays(kComingDays)});
    while (db.nextRow(query))
        days << query.value(0).toDate();
    return days;
}

// Runs in the caller's turn (inTurn).
qint64 bringUpToDate(Database& db, const Selection& selection, const std::function<void(DayRow&)>& adjust)
{
    if (selection.days.isEmpty())
        return 0;
    const QHash<QString, QSet<QDate>> days = deliveryDays(db, selection.days.constFirst(), selection.days.constLast());
    const Catalogue catalogue = products(db);
    const QSet<QDate> suspended = suspendedDays(db, selection.days.constFirst(), selection.days.constLast());
    const QList<Order> orders = deliveringOrders(db, days, catalogue, selection.customers);
    WrittenRows written = writtenRows(db, selection);

    RowWriter writer(db);
    RowChanges changes(db);
    QList<DayRow> customerRows; // the rows one customer's orders give on one day, one per product
    auto writeCustomerRows = [&] {
        for (DayRow& row : customerRows) {
            const double price = catalogue.prices.value(row.names);
            const bool daySuspended = suspended.contains(row.date_d);
            const auto found = written.byKey.constFind({row.c_code, row.date_d, row.names});
            if (found == written.byKey.cend()) {
                row.expense = expenseOf(row, price);
                row.suspend = daySuspended;
                if (adjust)
                    adjust(row);
                writer.add(row);
                continue;
            }
            WrittenRow& kept = written.rows[found.value()];
            kept.given = true;
            DayRow wanted = kept.row;
            wanted.subscribe_num = row.subscribe_num;
            wanted.milk_area = row.milk_area;
            wanted.bottle_type = row.bottle_type;
            wanted.suspend = kept.row.suspend || daySuspended;
            wanted.expense = expenseOf(wanted, price);
            if (wanted.subscribe_num != kept.row.subscribe_num || wanted.expense != kept.row.expense
                || wanted.milk_area != kept.row.milk_area || wanted.bottle_type != kept.row.bottle_type
                || wanted.suspend != kept.row.suspend) {
                kept.row = wanted;
                changes.update(kept);
            }
        }
        customerRows.clear();
    };

    for (const QDate day : selection.days) {
        for (const Order& order : orders) {
            if (!customerRows.isEmpty() && customerRows.constFirst().c_code != order.c_code)
                writeCustomerRows();
            if (order.start > day || !order.days->contains(day))
                continue;
            for (const QString& product : order.products) {
                auto row = std::find_if(customerRows.begin(), customerRows.end(),
                                        [&](const DayRow& r) { return r.names == product; });
                if (row == customerRows.end()) {
                    customerRows.append({.c_code = order.c_code,
                                         .date_d = day,
                                         .names = product,
                                         .milk_area = order.milkArea,
                                         .bottle_type = order.bottleType});
                    row = customerRows.end() - 1;
                }
                row->subscribe_num += order.amount;
            }
        }
        writeCustomerRows();
    }
    writer.finish();

    // Rows no order gives any more: gone, unless the day's round recorded something on them.
    for (WrittenRow& left : written.rows) {
        if (left.given)
            continue;
        const bool daySuspended = suspended.contains(left.row.date_d);
        if (!left.holdsMore(daySuspended)) {
            changes.remove(left);
            continue;
        }
        DayRow wanted = left.row;
        wanted.subscribe_num = 0;
        wanted.suspend = left.row.suspend || daySuspended;
        wanted.expense = expenseOf(wanted, catalogue.prices.value(wanted.names));
        if (wanted.subscribe_num != left.row.subscribe_num || wanted.expense != left.row.expense
            || wanted.suspend != left.row.suspend) {
            left.row = wanted;
            changes.update(left);
        }
    }
    return writer.written() + changes.count();
}

// Two writers of one day would each find it empty and write it twice; they take turns, and the bulk
// suspend waits for the rows being written. `work` runs in one scope holding the turn.
qint64 inTurn(Database& db, const std::function<qint64()>& work)
{
    Transaction transaction(db);
    db.lock(Database::Lock::DayRows);
    const qint64 written = work();
    transaction.commit();
    return written;
}

// The days are read in the turn, so a run writing a day meanwhile is waited for.
qint64 followOnWrittenDays(Database& db, const Customers& customers, QDate today)
{
    return inTurn(db, [&] { return bringUpToDate(db, {.days = writtenDays(db, today), .customers = customers}, {}); });
}

// The rows of `products` (every product where none is named) on the days from `first` to `last` of the
// customers with an order whose `column` is `type`; `onlyGains` where the change only adds deliveries.
DayRowSets::Scope ordering(const QString& column, const QString& type, const QStringList& products, QDate first,
                           QDate last, QDate today, bool onlyGains)
{
    const Customers customers = Customers::ordering(column, type);
    return {.customers = customers.sql,
            .customerValues = customers.values,
            .products = products,
            .first = first,
            .last = last,
            .lastComing = today.addDays(kComingDays - 1),
            .onlyGains = onlyGains};
}

// A type's change on the written days, in one turn.
qint64 followTypeOnWrittenDays(Database& db, const QString& column, const QString& type, const QStringList& products,
                               bool onlyGains, QDate today)
{
    return inTurn(db, [&] {
        const QDate lastWritten = db.scalar(u"SELECT max(date_d) FROM order_date"_s).toDate();
        const QDate last = std::max(lastWritten, today.addDays(kComingDays - 1));
        return DayRowSets::bringUpToDate(db, ordering(column, type, products, today, last, today, onlyGains));
    });
}

// A subscription type that gained or lost `day`: that day's rows of the customers with an order of the
// type, where the day is a written one. Runs in the caller's turn.
qint64 followSubscriptionDay(Database& db, const QString& subscribeType, QDate day, bool gained, QDate today)
{
    if (day < today || !writtenDays(db, today).contains(day))
        return 0;
    return DayRowSets::bringUpToDate(db, ordering(u"subscribe_type"_s, subscribeType, {}, day, day, today, gained));
}

} // namespace

qint64 write(Database& db, QDate first, QDate last, QDate today, const std::function<void(DayRow&)>& adjust)
{
    Selection selection;
    for (QDate day = std::max(first, today); day <= last; day = day.addDays(1))
        selection.days << day;
    if (selection.days.isEmpty())
        return 0;
    return inTurn(db, [&] { return bringUpToDate(db, selection, adjust); });
}

qint64 writeComingDays(Database& db, QDate today)
{
    return write(db, today, today.addDays(kComingDays - 1), today);
}

qint64 followOrders(Database& db, const QList<qint32>& customers, QDate today)
{
    if (customers.isEmpty())
        return 0;
    return followOnWrittenDays(db, Customers::named(customers), today);
}

bool addSubscriptionDay(Database& db, const QString& subscribeType, QDate day, QDate today)
{
    return inTurn(db, [&] {
        if (db.scalar(u"SELECT count(*) FROM subscribe_type WHERE subscribe_type = ? AND date_d = ?"_s,
                      {subscribeType, day})
                .toInt()
            > 0)
            return qint64(0);
        db.exec(u"INSERT INTO subscribe_type (subscribe_type, date_d) VALUES (?, ?)"_s, {subscribeType, day});
        followSubscriptionDay(db, subscribeType, day, true, today);
        return qint64(1);
    }) != 0;
}

bool removeSubscriptionDay(Database& db, const QString& subscribeType, QDate day, QDate today)
{
    return inTurn(db, [&] {
        const qint64 removed = db.exec(u"DELETE FROM subscribe_type WHERE subscribe_type = ? AND date_d = ?"_s,
                                       {subscribeType, day})
                                   .numRowsAffected();
        if (removed > 0)
            followSubscriptionDay(db, subscribeType, day, false, today);
        return removed;
    }) != 0;
}

qint64 followSubscriptionType(Database& db, const QString& subscribeType, QDate today)
{
    return followTypeOnWrittenDays(db, u"subscribe_type"_s, subscribeType, {}, false, today);
}

qint64 followDeliveryType(Database& db, const QString& sendType, const QStringList& added, const QStringList& removed,
                          QDate today)
{
    if (added.isEmpty() && removed.isEmpty())
        return 0;
    return followTypeOnWrittenDays(db, u"send_type"_s, sendType, added + removed, removed.isEmpty(), today);
}

qint64 followDeliveryTypeRemoved(Database& db, const QString& sendType, QDate today)
{
    return followTypeOnWrittenDays(db, u"send_type"_s, sendType, {}, false, today);
}

// Only the money changes: the rows stand as they are, each priced as expenseOf() prices it.
qint64 followPrice(Database& db, const QString& product, QDate today)
{
    static const QString statement = u"UPDATE order_date SET expense = "_s
                                     + DayRowSets::expenseOf(u"?"_s, u"coalesce(subscribe_num, 0)"_s)
                                     + u" WHERE names = ? AND date_d >= ?"_s;
    return inTurn(db, [&] {
        const double price = db.scalar(u"SELECT price FROM products_data WHERE names = ?"_s, {product}).toDouble();
        return qint64(db.exec(statement, {price, product, today}).numRowsAffected());
    });
}

qint64 suspendDay(Database& db, QDate day)
{
    return inTurn(db, [&] {
        if (!db.scalar(u"SELECT count(*) FROM suspended_day WHERE date_d = ?"_s, {day}).toInt())
            db.exec(u"INSERT INTO suspended_day (date_d) VALUES (?)"_s, {day});
        return qint64(db.exec(u"UPDATE order_date SET suspend = 1 WHERE date_d = ?"_s, {day}).numRowsAffected());
    });
}

// The suspend cleared on every row, then the day written afresh where it is a written one: rows that
// only the holiday kept go, and what the round recorded stays.
qint64 resumeDay(Database& db, QDate day, QDate today)
{
    return inTurn(db, [&] {
        db.exec(u"DELETE FROM suspended_day WHERE date_d = ?"_s, {day});
        const qint64 resumed = db.exec(u"UPDATE order_date SET suspend = 0 WHERE date_d = ?"_s, {day}).numRowsAffected();
        if (day < today || !writtenDays(db, today).contains(day))
            return resumed;
        return resumed + bringUpToDate(db, {.days = {day}, .customers = {}}, {});
    });
}

} // namespace DayRows

namespace DayRows {

namespace {

using namespace Qt::StringLiterals;

bool productNamed(Database& db, const QString& name)
{
    return db.scalar(u"SELECT count(*) FROM products_data WHERE names = ?"_s, {name}).toInt() > 0;
}

} // namespace

qint64 followProductRenamed(Database& db, const QString& from, const QString& to, QDate today)
{
    if (from == to)
        return 0;
    return inTurn(db, [&] {
        if (db.scalar(u"SELECT count(*) FROM products_data WHERE names = ?"_s, {to}).toInt() > 1)
            throw DataError(DataError::Kind::Usage, u"Another product is already named %1."_s.arg(to));
        if (productNamed(db, from))
            return qint64(0);
        const qint64 types = db.exec(u"UPDATE send_type SET names = ? WHERE names = ?"_s, {to, from}).numRowsAffected();
        return types
            + db.exec(u"UPDATE order_date SET names = ? WHERE names = ? AND date_d >= ?"_s, {to, from, today})
                  .numRowsAffected();
    });
}

qint64 followProductDeleted(Database& db, const QString& product, QDate today)
{
    return inTurn(db, [&] {
        if (productNamed(db, product))
            return qint64(0);
        QStringList types;
        QSqlQuery sending = db.exec(u"SELECT DISTINCT send_type FROM send_type WHERE names = ? ORDER BY send_type"_s, {product});
        while (db.nextRow(sending))
            types << sending.value(0).toString();
        if (!types.isEmpty())
            throw DataError(DataError::Kind::Usage, u"The delivery types still delivering %1: %2. Take it out of them first."_s
                                                        .arg(product, types.join(u", "_s)));
        return qint64(db.exec(u"DELETE FROM order_date WHERE names = ? AND date_d >= ?"_s, {product, today}).numRowsAffected());
    });
}

qint64 followCustomerDeleted(Database& db, qint32 customer, QDate today)
{
    return inTurn(db, [&] {
        return qint64(db.exec(u"DELETE FROM order_date WHERE c_code = ? AND date_d >= ?"_s, {customer, today}).numRowsAffected());
    });
}

} // namespace DayRows
