#include "data/DayRows.h"

#include "data/DataError.h"
#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace DayRows {

namespace {

using namespace Qt::StringLiterals;

struct Product {
    QString names;
    double price = 0;
};

// An order as it delivers: on which days, what, and where.
struct Order {
    int c_code = 0;
    QDate start;
    double amount = 0;
    QString bottleType;
    int milkArea = 0;
    const QSet<QDate>* days = nullptr; // of its subscription type
    QList<Product> products;            // of its delivery type
};

// The columns RowWriter::add binds, in its order.
const QStringList columns = {u"c_code"_s, u"date_d"_s, u"names"_s, u"subscribe_num"_s, u"give_num"_s,
                             u"add_num"_s, u"subtract_num"_s, u"not_bottle"_s, u"expense"_s, u"refund"_s,
                             u"suspend"_s, u"milk_area"_s, u"bottle_type"_s, u"loss_duty"_s};

// Writes order_date rows many at a time: one multi-row INSERT, prepared once, for every full batch.
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

QHash<QString, QSet<QDate>> deliveryDays(Database& db, QDate first, QDate last)
{
    QHash<QString, QSet<QDate>> days;
    QSqlQuery query = db.exec(u"SELECT subscribe_type, date_d FROM subscribe_type WHERE date_d >= ? AND date_d <= ?"_s,
                              {first, last});
    while (query.next())
        days[query.value(0).toString()].insert(query.value(1).toDate());
    return days;
}

QHash<QString, QList<Product>> productsOfTypes(Database& db)
{
    QHash<QString, double> prices;
    QSqlQuery query = db.exec(u"SELECT names, price FROM products_data"_s);
    while (query.next())
        prices.insert(query.value(0).toString(), query.value(1).toDouble());

    // A product listed twice in one type is delivered once.
    QHash<QString, QList<Product>> products;
    query = db.exec(u"SELECT send_type, names FROM send_type ORDER BY serial"_s);
    while (query.next()) {
        QList<Product>& list = products[query.value(0).toString()];
        const QString names = query.value(1).toString();
        if (std::none_of(list.cbegin(), list.cend(), [&](const Product& p) { return p.names == names; }))
            list.append({names, prices.value(names)});
    }
    return products;
}

// Ordered by milk area, as the rounds go, and then by customer, so one customer's orders come
// together. A day's rows of one area then lie side by side in the table, which is how the delivery
// lists and reports read them.
QList<Order> deliveringOrders(Database& db, const QHash<QString, QSet<QDate>>& days,
                              const QHash<QString, QList<Product>>& products)
{
    QList<Order> orders;
    QSqlQuery query = db.exec(u"SELECT order_data.c_code, order_data.start_date, order_data.amount,"
                              " order_data.subscribe_type, order_data.send_type, order_data.bottle_type,"
                              " customer_data.milk_area"
                              " FROM order_data JOIN customer_data ON customer_data.c_code = order_data.c_code"
                              " WHERE coalesce(order_data.cancel, 0) = 0 AND coalesce(customer_data.cancel, 0) = 0"
                              " AND coalesce(customer_data.returnss, 0) = 0 AND coalesce(customer_data.timeout, 0) = 0"
                              " AND order_data.amount > 0"
                              " ORDER BY customer_data.milk_area, order_data.c_code, order_data.o_code"_s);
    while (query.next()) {
        const auto calendar = days.constFind(query.value(3).toString());
        const auto delivered = products.constFind(query.value(4).toString());
        const QDate start = query.value(1).toDate();
        if (calendar == days.cend() || delivered == products.cend() || !start.isValid())
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

QSet<std::pair<int, QDate>> daysWithRows(Database& db, QDate first, QDate last)
{
    QSet<std::pair<int, QDate>> taken;
    QSqlQuery query = db.exec(u"SELECT DISTINCT c_code, date_d FROM order_date WHERE date_d >= ? AND date_d <= ?"_s,
                              {first, last});
    while (query.next())
        taken.insert({query.value(0).toInt(), query.value(1).toDate()});
    return taken;
}

} // namespace

qint64 write(Database& db, QDate first, QDate last, const std::function<void(DayRow&)>& adjust)
{
    Transaction transaction(db);
    // Two writers of one day would each find it empty and write it twice; they take turns.
    db.lock(Database::Lock::DayRows);
    const QHash<QString, QSet<QDate>> days = deliveryDays(db, first, last);
    const QList<Order> orders = deliveringOrders(db, days, productsOfTypes(db));
    const QSet<std::pair<int, QDate>> taken = daysWithRows(db, first, last);

    RowWriter writer(db);
    QList<DayRow> customerRows; // the rows of one customer and day, one per product
    auto writeCustomerRows = [&] {
        for (DayRow& row : customerRows) {
            if (adjust)
                adjust(row);
            writer.add(row);
        }
        customerRows.clear();
    };

    for (QDate day = first; day <= last; day = day.addDays(1)) {
        for (const Order& order : orders) {
            if (!customerRows.isEmpty() && customerRows.constFirst().c_code != order.c_code)
                writeCustomerRows();
            if (order.start > day || !order.days->contains(day) || taken.contains({order.c_code, day}))
                continue;
            for (const Product& product : order.products) {
                auto row = std::find_if(customerRows.begin(), customerRows.end(),
                                        [&](const DayRow& r) { return r.names == product.names; });
                if (row == customerRows.end()) {
                    customerRows.append({.c_code = order.c_code,
                                         .date_d = day,
                                         .names = product.names,
                                         .milk_area = order.milkArea,
                                         .bottle_type = order.bottleType});
                    row = customerRows.end() - 1;
                }
                row->subscribe_num += order.amount;
                row->expense += order.amount * product.price;
            }
        }
        writeCustomerRows();
    }
    writer.finish();
    transaction.commit();
    return writer.written();
}

qint64 writeComingDays(Database& db, QDate today)
{
    return write(db, today, today.addDays(kComingDays - 1));
}

} // namespace DayRows
