#include "orders/DeliveryListSheet.h"

#include "data/DeliveredRows.h"
#include "data/Recordset.h"
#include "sheets/SpreadsheetWriter.h"

using namespace Qt::StringLiterals;

namespace {

// A line's bottles leave out those not returned; a product total counts them.
const QString lineBottles =
    u"sum("_s + DeliveredRows::notBelowZero(u"subscribe_num+give_num+add_num-subtract_num-not_bottle"_s) + u") as 總數量"_s;
const QString lineFields = u", order_date.names, temp, goods_addr, name, tel, goods_addr_code"_s;
const QString deliveredOn = u" and "_s + DeliveredRows::condition(u"order_date"_s);

// Grouping by the counts makes each line one customer, product and day.
QString lineGrouping(DeliveryListSheet::Order order)
{
    return order == DeliveryListSheet::Order::ByRouteCode
        ? u" group by customer_data.name, order_date.names, customer_data.tel, customer_data.goods_addr_code,"
          " goods_addr, temp, order_date.milk_area, subscribe_num, give_num, add_num, subtract_num"_s
        : u" group by customer_data.name, order_date.names, customer_data.tel, customer_data.goods_addr, temp,"
          " goods_addr_code, subscribe_num, give_num, add_num, subtract_num, not_bottle"_s;
}

QString lineOrder(DeliveryListSheet::Order order)
{
    return order == DeliveryListSheet::Order::ByRouteCode
        ? u" order by customer_data.goods_addr_code, customer_data.name"_s
        : u" order by customer_data.goods_addr, customer_data.name"_s;
}

} // namespace

DeliveryListSheet::DeliveryListSheet(Database& db, SpreadsheetWriter& sheet, QDate day, Order order)
    : m_db(db), m_sheet(sheet), m_day(day), m_order(order)
{
}

QString DeliveryListSheet::linesStatement(Order order)
{
    return u"select "_s + lineBottles + lineFields
        + u" from customer_data, different_move, order_date"
          " where customer_data.c_code = different_move.c_code and customer_data.c_code = order_date.c_code"_s
        + deliveredOn + u" and order_date.milk_area = ? and order_date.date_d = ?"_s + lineGrouping(order)
        + lineOrder(order);
}

QString DeliveryListSheet::totalsStatement()
{
    return u"select order_date.names, sum("_s + DeliveredRows::shippedBottles(u"order_date"_s)
        + u") as 總數量 from order_date, customer_data, different_move"
           " where order_date.c_code = customer_data.c_code and order_date.c_code = different_move.c_code"_s
        + deliveredOn + u" and order_date.milk_area = ? and order_date.date_d = ?"
                        " group by order_date.names order by order_date.names"_s;
}

// Each customer's subscription types starting that day count once, however many orders carry them.
QString DeliveryListSheet::startersStatement(Order order)
{
    QString grouping = lineGrouping(order);
    if (order == Order::ByAddress)
        grouping += u", order_date.milk_area"_s;
    return u"select "_s + lineBottles + lineFields + u", starters.subscribe_type"_s
        + u" from customer_data,"
          " (select distinct c_code, subscribe_type from order_data where start_date = ?) starters, order_date"
          " where customer_data.c_code = starters.c_code and customer_data.c_code = order_date.c_code"_s
        + deliveredOn + u" and order_date.date_d = ? and order_date.milk_area = ?"_s + grouping
        + u", starters.subscribe_type"_s + lineOrder(order);
}

void DeliveryListSheet::writeArea(const QVariant& area)
{
    Recordset rows(m_db);
    rows.load(linesStatement(m_order), {area, m_day});
    m_row += m_sheet.copyRecords(rows, m_row + 3);
    m_row += 3;

    rows.load(totalsStatement(), {area, m_day});
    m_row += m_sheet.copyRecords(rows, m_row + 3, 4);

    const QDate nextDay = m_day.addDays(1);
    rows.load(startersStatement(m_order), {nextDay, nextDay, area});
    if (rows.recordCount() > 0) {
        m_row += 6;
        m_row += m_sheet.copyRecords(rows, m_row);
    }
    m_row += 12;
    // Addresses, telephones and names show whole; each area's fit measures only its own rows.
    m_sheet.fitColumns();
}
