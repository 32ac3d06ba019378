#include "TestDatabase.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "samplegen/SampleBusiness.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

// The first week of March 2026 runs from Monday the 2nd to Sunday the 8th.
const QDate march(2026, 3, 1);
const QDate monday(2026, 3, 2);
const QDate wednesday(2026, 3, 4);
const QDate friday(2026, 3, 6);

class DayRowsTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam());
        db->exec(u"INSERT INTO products_data (code, names, price) VALUES (?, ?, ?), (?, ?, ?)"_s,
                 {1, u"鮮乳"_s, 30, 2, u"優酪乳"_s, 35});
        // "一三五": Mondays, Wednesdays and Fridays of March.
        db->exec(u"INSERT INTO order_kind (subscribe_type) VALUES (?)"_s, {u"一三五"_s});
        for (QDate day(2026, 3, 1); day.month() == 3; day = day.addDays(1))
            if (day.dayOfWeek() % 2 == 1 && day.dayOfWeek() < 7)
                db->exec(u"INSERT INTO subscribe_type (subscribe_type, date_d) VALUES (?, ?)"_s, {u"一三五"_s, day});
        // "早餐組": milk and yoghurt.
        db->exec(u"INSERT INTO send_kind (send_type) VALUES (?)"_s, {u"早餐組"_s});
        db->exec(u"INSERT INTO send_type (serial, send_type, names) VALUES (?, ?, ?), (?, ?, ?)"_s,
                 {1, u"早餐組"_s, u"鮮乳"_s, 2, u"早餐組"_s, u"優酪乳"_s});
        // "鮮乳": milk alone.
        db->exec(u"INSERT INTO send_kind (send_type) VALUES (?)"_s, {u"鮮乳"_s});
        db->exec(u"INSERT INTO send_type (serial, send_type, names) VALUES (?, ?, ?)"_s, {3, u"鮮乳"_s, u"鮮乳"_s});
    }

    int addCustomer(int milkArea, int cancel = 0)
    {
        QSqlQuery query = db->exec(
            u"INSERT INTO customer_data (name, milk_area, cancel) VALUES (?, ?, ?) RETURNING c_code"_s,
            {u"陳淑芬"_s, milkArea, cancel});
        query.next();
        return query.value(0).toInt();
    }

    int addOrder(int customer, QDate start, double amount, const QString& sendType = u"早餐組"_s, int cancel = 0)
    {
        return db->scalar(u"INSERT INTO order_data (c_code, start_date, input_date, amount, subscribe_type, send_type,"
                          " bottle_type, cancel) VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING o_code"_s,
                          {customer, start, start, amount, u"一三五"_s, sendType, u"玻璃瓶"_s, cancel})
            .toInt();
    }

    // One line per row: customer, day, product, bottles, money, area, bottle type, flags; sorted here,
    // as the engines order texts by different collations.
    std::string rows(const QString& where = u"1 = 1"_s, const QVariantList& values = {})
    {
        QStringList lines;
        QSqlQuery query = db->exec(u"SELECT c_code, date_d, names, subscribe_num, expense, milk_area, bottle_type,"
                                   " refund, suspend FROM order_date WHERE "_s + where, values);
        while (query.next())
            lines << u"%1 %2 %3 %4 %5 %6 %7 %8 %9"_s.arg(query.value(0).toString(),
                                                         query.value(1).toDate().toString(Qt::ISODate),
                                                         query.value(2).toString())
                         .arg(query.value(3).toDouble())
                         .arg(query.value(4).toDouble())
                         .arg(query.value(5).toInt())
                         .arg(query.value(6).toString())
                         .arg(query.value(7).toInt())
                         .arg(query.value(8).toInt());
        lines.sort();
        return lines.join(u'\n').toStdString();
    }

    std::string rowsOf(QDate day) { return rows(u"date_d = ?"_s, {day}); }

    // The lines of one customer, the code put in front of each.
    static std::string expected(int customer, const QStringList& lines)
    {
        return (QString::number(customer) + u' ' + lines.join(u'\n' + QString::number(customer) + u' ')).toStdString();
    }

    std::unique_ptr<Database> db;
};

TEST_P(DayRowsTest, RowsAppearOnDeliveryDaysOnly)
{
    const int customer = addCustomer(3);
    addOrder(customer, QDate(2026, 3, 1), 2);

    EXPECT_EQ(DayRows::write(*db, QDate(2026, 3, 1), QDate(2026, 3, 8), march), 6);

    EXPECT_EQ(rows(), expected(customer, {u"2026-03-02 優酪乳 2 70 3 玻璃瓶 0 0"_s,
                                          u"2026-03-02 鮮乳 2 60 3 玻璃瓶 0 0"_s,
                                          u"2026-03-04 優酪乳 2 70 3 玻璃瓶 0 0"_s,
                                          u"2026-03-04 鮮乳 2 60 3 玻璃瓶 0 0"_s,
                                          u"2026-03-06 優酪乳 2 70 3 玻璃瓶 0 0"_s,
                                          u"2026-03-06 鮮乳 2 60 3 玻璃瓶 0 0"_s}));
}

TEST_P(DayRowsTest, TwoWritersAtOnceWriteEachDayOnce)
{
    for (int area = 1; area <= 40; ++area)
        addOrder(addCustomer(area), QDate(2026, 3, 1), 1);
    // Each writer on its own connection, as two runs of halcyon-dayrows; both read the empty days first.
    const QString location = db->location();
    QList<qint64> written(2);
    std::latch ready(2);
    std::vector<std::thread> writers;
    for (int i = 0; i < 2; ++i)
        writers.emplace_back([&, i] {
            auto clerk = Database::open(location);
            ready.arrive_and_wait();
            written[i] = DayRows::write(*clerk, QDate(2026, 3, 1), QDate(2026, 3, 31), march);
        });
    for (std::thread& writer : writers)
        writer.join();

    EXPECT_EQ(written[0] + written[1], 40 * 13 * 2);
    EXPECT_TRUE(written[0] == 0 || written[1] == 0) << written[0] << " and " << written[1];
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM (SELECT DISTINCT c_code, date_d, names FROM order_date) AS once"_s).toInt(),
              db->scalar(u"SELECT count(*) FROM order_date"_s).toInt());
}

// Four clerks add Tuesday to 一三五 at the same moment, each on a connection of their own: the type
// gains it once, and the customer's Tuesday gets its milk and yoghurt once.
TEST_P(DayRowsTest, ASubscriptionDayAddedByClerksAtOnceIsAddedOnce)
{
    const int customer = addCustomer(1);
    addOrder(customer, monday, 1);
    const QDate tuesday = monday.addDays(1);
    constexpr int clerks = 4;
    const QString location = db->location();
    std::vector<int> added(clerks);
    std::latch ready(clerks);
    std::vector<std::thread> threads;
    for (int i = 0; i < clerks; ++i)
        threads.emplace_back([&, i] {
            auto clerk = Database::open(location);
            ready.arrive_and_wait();
            added[i] = DayRows::addSubscriptionDay(*clerk, u"一三五"_s, tuesday, monday);
        });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(std::count(added.cbegin(), added.cend(), 1), 1);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM subscribe_type WHERE date_d = ?"_s, {tuesday}).toInt(), 1);
    EXPECT_EQ(rows(), expected(customer, {u"2026-03-03 優酪乳 1 35 1 玻璃瓶 0 0"_s, u"2026-03-03 鮮乳 1 30 1 玻璃瓶 0 0"_s}));
    EXPECT_TRUE(DayRows::removeSubscriptionDay(*db, u"一三五"_s, tuesday, monday));
    EXPECT_FALSE(DayRows::removeSubscriptionDay(*db, u"一三五"_s, tuesday, monday));
    EXPECT_EQ(rows(), "");
}

TEST_P(DayRowsTest, ALoginWritesTodayAndTheNextTwoDays)
{
    addOrder(addCustomer(1), QDate(2026, 3, 1), 1);
    // Sunday the 1st to Tuesday the 3rd hold one delivery day, Monday; two products each.
    EXPECT_EQ(DayRows::writeComingDays(*db, QDate(2026, 3, 1)), 2);
    // The next login finds Monday written and adds Wednesday.
    EXPECT_EQ(DayRows::writeComingDays(*db, QDate(2026, 3, 2)), 2);
    EXPECT_EQ(db->scalar(u"SELECT count(DISTINCT date_d) FROM order_date"_s).toInt(), 2);
}

TEST_P(DayRowsTest, RunningAgainAddsNothing)
{
    addOrder(addCustomer(3), QDate(2026, 3, 1), 1);
    ASSERT_EQ(DayRows::write(*db, monday, friday, march), 6);
    const std::string firstWeek = rows();

    EXPECT_EQ(DayRows::write(*db, monday, friday, march), 0);
    EXPECT_EQ(rows(), firstWeek);
    // The rest of March: 13 delivery days of two products, less the first week's.
    EXPECT_EQ(DayRows::write(*db, QDate(2026, 3, 1), QDate(2026, 3, 31), march), 2 * 13 - 6);
    EXPECT_EQ(DayRows::write(*db, QDate(2026, 3, 1), QDate(2026, 3, 31), march), 0);
}

// Monday is past when the orders change on Wednesday: it stays as it happened, and Wednesday and
// Friday follow the orders, whatever was written on them before.
TEST_P(DayRowsTest, WrittenDaysFollowNewChangedCancelledAndDeletedOrders)
{
    const int raised = addCustomer(1), cancelled = addCustomer(2), deleted = addCustomer(3), growing = addCustomer(4);
    const int raisedOrder = addOrder(raised, monday, 2, u"鮮乳"_s);
    const int cancelledOrder = addOrder(cancelled, monday, 1, u"鮮乳"_s);
    const int deletedOrder = addOrder(deleted, monday, 1, u"鮮乳"_s);
    addOrder(growing, monday, 1, u"鮮乳"_s);
    ASSERT_EQ(DayRows::write(*db, monday, friday, monday), 4 * 3);
    const std::string mondayBefore = rowsOf(monday);

    db->exec(u"UPDATE order_data SET amount = 3 WHERE o_code = ?"_s, {raisedOrder});
    db->exec(u"UPDATE order_data SET cancel = 1 WHERE o_code = ?"_s, {cancelledOrder});
    db->exec(u"DELETE FROM order_data WHERE o_code = ?"_s, {deletedOrder});
    addOrder(growing, monday, 2); // milk and yoghurt besides the milk it has
    // Two days of three customers changed (one raised row, two rows gone each day), and the growing
    // customer's milk raised and yoghurt added.
    EXPECT_EQ(DayRows::write(*db, monday, friday, wednesday), 2 * (3 + 2));
    EXPECT_EQ(rowsOf(monday), mondayBefore);
    for (const QDate& day : {wednesday, friday}) {
        const QString date = day.toString(Qt::ISODate);
        EXPECT_EQ(rowsOf(day), (QStringList{u"%1 %2 鮮乳 3 90 1 玻璃瓶 0 0"_s.arg(raised).arg(date),
                                            u"%1 %2 優酪乳 2 70 4 玻璃瓶 0 0"_s.arg(growing).arg(date),
                                            u"%1 %2 鮮乳 3 90 4 玻璃瓶 0 0"_s.arg(growing).arg(date)})
                                   .join(u'\n')
                                   .toStdString());
    }
    EXPECT_EQ(DayRows::write(*db, monday, friday, wednesday), 0) << "a second run changes nothing";
}

// What the round recorded on a day stays through a rewrite; a row no order gives keeps it with nothing
// subscribed, and the money follows the bottles charged.
TEST_P(DayRowsTest, WhatTheRoundRecordedStays)
{
    const int customer = addCustomer(3);
    const int order = addOrder(customer, monday, 1);
    ASSERT_EQ(DayRows::write(*db, monday, monday, monday), 2);
    db->exec(u"UPDATE order_date SET suspend = 1, add_num = 1, expense = 60 WHERE names = ?"_s, {u"鮮乳"_s});
    db->exec(u"UPDATE order_date SET refund = 1, loss_duty = 9 WHERE names = ?"_s, {u"優酪乳"_s});

    db->exec(u"UPDATE order_data SET amount = 2 WHERE o_code = ?"_s, {order});
    EXPECT_EQ(DayRows::write(*db, monday, monday, monday), 2);
    EXPECT_EQ(rows(), expected(customer, {u"2026-03-02 優酪乳 2 70 3 玻璃瓶 1 0"_s, u"2026-03-02 鮮乳 2 90 3 玻璃瓶 0 1"_s}));

    db->exec(u"UPDATE order_data SET cancel = 1 WHERE o_code = ?"_s, {order});
    EXPECT_EQ(DayRows::write(*db, monday, monday, monday), 2);
    EXPECT_EQ(rows(), expected(customer, {u"2026-03-02 優酪乳 0 0 3 玻璃瓶 1 0"_s, u"2026-03-02 鮮乳 0 30 3 玻璃瓶 0 1"_s}));
    EXPECT_EQ(db->scalar(u"SELECT sum(add_num) + sum(loss_duty) FROM order_date"_s).toInt(), 10);
    EXPECT_EQ(DayRows::write(*db, monday, monday, monday), 0);
}

// An order's save brings its customer's written days up to date: the days any customer has rows on,
// from today on, and no other customer's rows.
TEST_P(DayRowsTest, AnOrdersSaveFollowsOnTheCustomersWrittenDaysOnly)
{
    const int customer = addCustomer(3), neighbour = addCustomer(4);
    addOrder(customer, monday, 1, u"鮮乳"_s);
    const int neighbours = addOrder(neighbour, monday, 1, u"鮮乳"_s);
    ASSERT_EQ(DayRows::write(*db, monday, wednesday, monday), 4);
    addOrder(customer, monday, 1); // a new order for a customer with rows on the written days
    db->exec(u"UPDATE order_data SET amount = 5 WHERE o_code = ?"_s, {neighbours});

    EXPECT_EQ(DayRows::followOrders(*db, {customer}, QDate(2026, 3, 3)), 2) << "Wednesday's milk raised, yoghurt added";
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE date_d > ?"_s, {wednesday}).toInt(), 0);
    EXPECT_EQ(db->scalar(u"SELECT sum(subscribe_num) FROM order_date WHERE c_code = ?"_s, {customer}).toInt(), 1 + 2 + 1);
    EXPECT_EQ(db->scalar(u"SELECT sum(subscribe_num) FROM order_date WHERE c_code = ?"_s, {neighbour}).toInt(), 2);
}

TEST_P(DayRowsTest, OrdersDeliverFromTheirStartWhileNobodyCancelled)
{
    addOrder(addCustomer(1), wednesday, 1);             // starts on Wednesday
    addOrder(addCustomer(2, 1), monday, 1);             // the customer cancelled
    addOrder(addCustomer(4), monday, 1, u"早餐組"_s, 1);   // the order cancelled
    addOrder(addCustomer(5), monday, 0);                // no bottles
    addOrder(addCustomer(6), monday, 1, u"無此送法"_s);    // a delivery type without products

    EXPECT_EQ(DayRows::write(*db, monday, friday, march), 4);
    EXPECT_EQ(db->scalar(u"SELECT min(date_d) FROM order_date"_s).toDate(), wednesday);
    EXPECT_EQ(db->scalar(u"SELECT count(DISTINCT milk_area) FROM order_date"_s).toInt(), 1);
}

TEST_P(DayRowsTest, OneCustomersOrdersOfOneProductMakeOneRow)
{
    const int customer = addCustomer(3);
    addOrder(customer, monday, 2);
    db->exec(u"INSERT INTO send_type (serial, send_type, names) VALUES (?, ?, ?)"_s,
             {4, u"鮮乳"_s, u"鮮乳"_s}); // listed twice, delivered once
    addOrder(customer, monday, 1, u"鮮乳"_s);

    EXPECT_EQ(DayRows::write(*db, monday, monday, march), 2);
    EXPECT_EQ(rows(),
              expected(customer, {u"2026-03-02 優酪乳 2 70 3 玻璃瓶 0 0"_s, u"2026-03-02 鮮乳 3 90 3 玻璃瓶 0 0"_s}));
}

TEST_P(DayRowsTest, AdjustSeesEveryRowBeforeItIsWritten)
{
    addOrder(addCustomer(3), monday, 1);
    int seen = 0;
    DayRows::write(*db, monday, friday, march, [&](DayRow& row) {
        ++seen;
        row.suspend = row.date_d == friday;
    });
    EXPECT_EQ(seen, 6);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE suspend = 1"_s).toInt(), 2);
}

// Today and the next two days are written days even while no row stands on them.
TEST_P(DayRowsTest, AnOrderEnteredOnAnEmptyTodayIsDeliveredToday)
{
    db->exec(u"INSERT INTO order_kind (subscribe_type) VALUES (?)"_s, {u"每日"_s});
    for (QDate day = monday; day <= friday; day = day.addDays(1))
        db->exec(u"INSERT INTO subscribe_type (subscribe_type, date_d) VALUES (?, ?)"_s, {u"每日"_s, day});
    addOrder(addCustomer(3), monday, 1, u"鮮乳"_s);
    const QDate tuesday = monday.addDays(1);
    ASSERT_EQ(DayRows::writeComingDays(*db, tuesday), 1) << "only Wednesday of Tuesday to Thursday holds rows";

    const int latecomer = addCustomer(3);
    db->exec(u"UPDATE order_data SET subscribe_type = ? WHERE o_code = ?"_s, {u"每日"_s, addOrder(latecomer, tuesday, 1, u"鮮乳"_s)});
    EXPECT_EQ(DayRows::followOrders(*db, {latecomer}, tuesday), 3);
    EXPECT_EQ(rows(u"c_code = ?"_s, {latecomer}),
              expected(latecomer, {u"2026-03-03 鮮乳 1 30 3 玻璃瓶 0 0"_s, u"2026-03-04 鮮乳 1 30 3 玻璃瓶 0 0"_s,
                                   u"2026-03-05 鮮乳 1 30 3 玻璃瓶 0 0"_s}));
}

// The round took off 2 bottles where the order gave 2; the order then drops to 1 and rises to 3. The
// row keeps the 2 taken off throughout, bills 30 x max(0, 1 - 2) = 0, then 30 x (3 - 2) = 30.
TEST_P(DayRowsTest, BottlesTakenOffBeyondTheOrderBillNothingAndHoldAgainWhenItRises)
{
    const int customer = addCustomer(3);
    const int order = addOrder(customer, monday, 2, u"鮮乳"_s);
    ASSERT_EQ(DayRows::write(*db, monday, monday, monday), 1);
    db->exec(u"UPDATE order_date SET subtract_num = 2, expense = 0"_s);
    const auto takenOffAndMoney = [&] {
        QSqlQuery row = db->exec(u"SELECT subtract_num, expense FROM order_date"_s);
        row.next();
        return std::pair(row.value(0).toDouble(), row.value(1).toDouble());
    };
    for (const auto& [amount, money] : {std::pair(1.0, 0.0), std::pair(3.0, 30.0)}) {
        db->exec(u"UPDATE order_data SET amount = ? WHERE o_code = ?"_s, {amount, order});
        DayRows::followOrders(*db, {customer}, monday);
        EXPECT_EQ(takenOffAndMoney(), std::pair(2.0, money)) << amount;
    }
}

// Wednesday is suspended for everybody on Monday. Every path that writes onto it afterwards writes
// suspended rows: a delivery type gaining yoghurt (A's rows), a new order (C), a reinstated customer (B),
// a login (D's order, entered without its days). C's order cancelled takes C's rows, which held only the
// holiday; a row left suspended on the day with no order and nothing recorded (E) goes with the resume. The
// resume leaves the day as a fresh write gives it, A's bottle added by the round kept:
// A milk 1 + 1 added = 2 x 30, yoghurt 35; B 2 x 30, 2 x 35; D 3 x 30, 3 x 35.
TEST_P(DayRowsTest, AHolidayStaysSuspendedOnEveryPathAndItsResumeIsAFreshWrite)
{
    const int a = addCustomer(1), b = addCustomer(2, 1), c = addCustomer(3), d = addCustomer(4), e = addCustomer(5);
    addOrder(a, monday, 1, u"鮮乳"_s);
    addOrder(b, monday, 2);
    ASSERT_EQ(DayRows::write(*db, monday, friday, monday), 3);
    EXPECT_EQ(DayRows::suspendDay(*db, wednesday), 1);

    db->exec(u"INSERT INTO send_type (serial, send_type, names) VALUES (?, ?, ?)"_s, {4, u"鮮乳"_s, u"優酪乳"_s});
    DayRows::followDeliveryType(*db, u"鮮乳"_s, monday);
    const int cOrder = addOrder(c, monday, 1);
    DayRows::followOrders(*db, {c}, monday);
    db->exec(u"UPDATE customer_data SET cancel = 0 WHERE c_code = ?"_s, {b});
    DayRows::followOrders(*db, {b}, monday);
    addOrder(d, monday, 3, u"鮮乳"_s);
    DayRows::writeComingDays(*db, monday);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE date_d = ? AND suspend = 0"_s, {wednesday}).toInt(), 0);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE date_d = ?"_s, {wednesday}).toInt(), 8);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE suspend = 1"_s).toInt(), 8) << "Wednesday's only";

    db->exec(u"UPDATE order_date SET add_num = 1 WHERE c_code = ? AND date_d = ? AND names = ?"_s, {a, wednesday, u"鮮乳"_s});
    db->exec(u"UPDATE order_data SET cancel = 1 WHERE o_code = ?"_s, {cOrder});
    DayRows::followOrders(*db, {c}, monday);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE c_code = ?"_s, {c}).toInt(), 0);

    db->exec(u"INSERT INTO order_date (c_code, date_d, names, suspend) VALUES (?, ?, ?, 1)"_s, {e, wednesday, u"鮮乳"_s});
    EXPECT_EQ(DayRows::resumeDay(*db, wednesday, monday), 7 + 2) << "7 rows resumed; A's milk repriced, E's row gone";
    const QString day = wednesday.toString(Qt::ISODate);
    EXPECT_EQ(rowsOf(wednesday), (QStringList{u"%1 %2 優酪乳 1 35 1 玻璃瓶 0 0"_s.arg(a).arg(day),
                                              u"%1 %2 鮮乳 1 60 1 玻璃瓶 0 0"_s.arg(a).arg(day),
                                              u"%1 %2 優酪乳 2 70 2 玻璃瓶 0 0"_s.arg(b).arg(day),
                                              u"%1 %2 鮮乳 2 60 2 玻璃瓶 0 0"_s.arg(b).arg(day),
                                              u"%1 %2 優酪乳 3 105 4 玻璃瓶 0 0"_s.arg(d).arg(day),
                                              u"%1 %2 鮮乳 3 90 4 玻璃瓶 0 0"_s.arg(d).arg(day)})
                                     .join(u'\n')
                                     .toStdString());
    EXPECT_EQ(DayRows::write(*db, wednesday, wednesday, monday), 0) << "a fresh write changes nothing";
    addOrder(c, monday, 1, u"鮮乳"_s);
    DayRows::followOrders(*db, {c}, monday);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM order_date WHERE suspend = 1"_s).toInt(), 0) << "the day is resumed";
}

INSTANTIATE_TEST_SUITE_P(Backends, DayRowsTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

// The sample business stands on the day rows; the same seed must give the same business.
class SampleBusinessTest : public ::testing::TestWithParam<Backend> {
protected:
    static QStringList dump(Database& db)
    {
        QStringList lines;
        const QStringList statements = {
            u"SELECT c_code, name, tel, milk_area, enter_worker, cancel FROM customer_data ORDER BY c_code"_s,
            u"SELECT c_code, start_date, amount, subscribe_type, send_type FROM order_data ORDER BY o_code"_s,
            u"SELECT c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num, not_bottle, expense,"
            " refund, suspend, milk_area, loss_duty FROM order_date ORDER BY id"_s};
        for (const QString& sql : statements) {
            QSqlQuery query = db.exec(sql);
            const int columns = query.record().count();
            while (query.next()) {
                QStringList fields;
                for (int i = 0; i < columns; ++i)
                    fields << query.value(i).toString();
                lines << fields.join(u'|');
            }
        }
        return lines;
    }
};

TEST_P(SampleBusinessTest, SameSeedSameRows)
{
    REQUIRE_BACKEND(GetParam());
    const SampleSize size{.customers = 20, .days = 21, .seed = 7};
    auto first = openTestDatabase(GetParam());
    auto second = openTestDatabase(GetParam());
    auto other = openTestDatabase(GetParam());
    SampleBusiness::fill(*first, size);
    SampleBusiness::fill(*second, size);
    SampleBusiness::fill(*other, SampleSize{.customers = 20, .days = 21, .seed = 8});

    const QStringList rows = dump(*first);
    EXPECT_EQ(first->scalar(u"SELECT count(*) FROM customer_data"_s).toInt(), 20);
    EXPECT_GT(first->scalar(u"SELECT count(*) FROM order_date"_s).toInt(), 20 * 21 / 2);
    EXPECT_EQ(first->scalar(u"SELECT count(*) FROM order_date WHERE date_d < ? OR date_d > ?"_s,
                            {size.firstDay, size.firstDay.addDays(20)})
                  .toInt(),
              0);
    EXPECT_TRUE(rows == dump(*second));
    EXPECT_FALSE(rows == dump(*other));
}

// A goods entry per product and day: each day opens on the stock the day before closed on, ships the
// day's delivered rows, and the last day's closing stock is the stock on hand.
TEST_P(SampleBusinessTest, GoodsEntriesChainTheStockIntoStockOnHand)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    const SampleSize size{.customers = 30, .products = 2, .days = 5};
    SampleBusiness::fill(*db, size);
    const QDate last = size.firstDay.addDays(4);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM pass_goods"_s).toInt(), 10);
    EXPECT_EQ(db->scalar(u"SELECT update_date FROM update_date"_s).toDate(), last);
    QSqlQuery entries = db->exec(u"SELECT p.code, p.date_d, p.original_store, p.today_enter, p.today_exit, d.much,"
                                 " (SELECT sum(o.subscribe_num + o.give_num + o.add_num - o.subtract_num) FROM order_date o"
                                 "  WHERE o.names = d.names AND o.date_d = p.date_d AND o.refund = 0 AND o.suspend = 0), d.amount, d.store"
                                 " FROM pass_goods p JOIN products_data d ON d.code = p.code ORDER BY p.code, p.serial"_s);
    QHash<int, double> closing;
    while (entries.next()) {
        const int code = entries.value(0).toInt();
        const double opening = entries.value(2).toDouble(), received = entries.value(3).toDouble();
        const double shipped = entries.value(4).toDouble();
        if (closing.contains(code)) {
            EXPECT_EQ(opening, closing[code]);
        }
        EXPECT_EQ(shipped, entries.value(6).toDouble());
        EXPECT_EQ(std::fmod(received, entries.value(5).toDouble()), 0);
        closing[code] = opening + received - shipped;
        EXPECT_GE(closing[code], entries.value(8).toDouble());
        if (entries.value(1).toDate() == last) {
            EXPECT_EQ(entries.value(7).toDouble(), closing[code]);
        }
    }
    EXPECT_EQ(closing.size(), 2);
}

TEST_P(SampleBusinessTest, TelephoneNumbersKeepTheirLeadingZero)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    SampleBusiness::fill(*db, SampleSize{.customers = 5, .days = 1});
    QSqlQuery query = db->exec(u"SELECT tel, cell_phone FROM customer_data"_s);
    while (query.next()) {
        EXPECT_TRUE(query.value(0).toString().startsWith(u"02-"_s));
        EXPECT_TRUE(query.value(1).toString().startsWith(u"09"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SampleBusinessTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
