#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "widgets/FetchingGrid.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <chrono>
#include <latch>
#include <thread>
#include <utility>

using namespace Qt::StringLiterals;

// Delivery rows of 2026/11/30 for three customers (one refunded), and of two days of December.
class DeliveryDaysTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    DeliveryDaysTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        const QDate lastOfNovember(2026, 11, 30);
        db->exec(u"insert into order_date (c_code, date_d, names, refund) values "
                 "(1, ?, 'milk', 0), (2, ?, 'tea', 1), (3, ?, 'milk', 0), (1, ?, 'milk', 0), (2, ?, 'milk', 1)"_s,
                 {lastOfNovember, lastOfNovember, lastOfNovember, QDate(2026, 12, 1), QDate(2026, 12, 8)});
        form = open(u"訂法全灠"_s);
        grid = child<FetchingGrid>(form, u"DataGrid1"_s);
    }

    int suspended(const QDate& day)
    {
        return db->scalar(u"select count(*) from order_date where date_d = ? and suspend = 1"_s, {day}).toInt();
    }
    void pick(const QDate& day) { child<QDateEdit>(form, u"DTPicker1"_s)->setDate(day); }
    void click(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    int gridRows() { return grid->rowsRead(); }

    QWidget* form = nullptr;
    FetchingGrid* grid = nullptr;
};

TEST_P(DeliveryDaysTest, SuspendAndResumeEveryRowOfTheDayWhateverTheGridShows)
{
    EXPECT_EQ(child<QLabel>(form, u"Label1"_s)->text(), u"order_view"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option2"_s)->isChecked());
    EXPECT_EQ(gridRows(), 2) << "December's rows";
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2026/12/1"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text1"_s)->text(), u"False"_s);

    pick(QDate(2026, 11, 30));
    messages.answer(7);
    click(u"所有客戶暫停"_s);
    EXPECT_EQ(messages.last().text, u"sure2026/11/30customer suspend!!"_s);
    EXPECT_EQ(messages.last().flags, 52);
    EXPECT_EQ(messages.last().title, u"整理"_s);
    EXPECT_EQ(suspended(QDate(2026, 11, 30)), 0);

    messages.answer(6);
    click(u"所有客戶暫停"_s);
    EXPECT_EQ(suspended(QDate(2026, 11, 30)), 3) << "every customer's row, the refunded one too";
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where suspend = 1"_s).toInt(), 3);

    messages.answer(6);
    click(u"所有客戶取消暫停"_s);
    EXPECT_EQ(messages.last().title, u"refresh"_s);
    EXPECT_EQ(suspended(QDate(2026, 11, 30)), 0);

    pick(QDate(2026, 12, 8));
    messages.answer(6);
    click(u"所有客戶暫停"_s);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    EXPECT_EQ(child<QLineEdit>(form, u"Text1"_s)->text(), u"True"_s) << "the grid reads its rows again";
    child<QRadioButton>(form, u"Option1"_s)->setChecked(true);
    EXPECT_EQ(gridRows(), 5);
    EXPECT_EQ(messages.count(), 4);
}

TEST_P(DeliveryDaysTest, ADayWithoutRowsSaysSoUnlessRowsMayStillBeWrittenOntoIt)
{
    pick(QDate(2026, 10, 1));
    messages.answer(6);
    click(u"所有客戶取消暫停"_s);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, u"no data!!!"_s);
    EXPECT_EQ(messages.last().detail, u"No delivery row falls on 2026/10/1."_s);
    EXPECT_EQ(messages.last().flags, 48);
    EXPECT_EQ(messages.last().title, u"refresh"_s);

    // A coming day is suspended before its rows are written: they will be written suspended.
    pick(QDate(2026, 12, 10));
    messages.answer(6);
    click(u"所有客戶暫停"_s);
    EXPECT_EQ(messages.count(), 3);
    EXPECT_EQ(db->scalar(u"select date_d from suspended_day"_s).toDate(), QDate(2026, 12, 10));
}

TEST_P(DeliveryDaysTest, TheDayRowWriterRunningAgainKeepsTheSuspend)
{
    const QDate day(2026, 12, 9);
    db->exec(u"insert into products_data (code, names, price) values (1, 'milk', 30)"_s);
    db->exec(u"insert into subscribe_type (subscribe_type, date_d) values ('daily', ?)"_s, {day});
    db->exec(u"insert into send_type (serial, send_type, names) values (1, 'plain', 'milk')"_s);
    db->exec(u"insert into customer_data (c_code, name, milk_area) values (4, 'Dane', 2)"_s);
    db->exec(u"insert into order_data (c_code, start_date, amount, subscribe_type, send_type) "
             "values (4, ?, 1, 'daily', 'plain')"_s,
             {QDate(2026, 12, 1)});
    ASSERT_EQ(DayRows::write(*db, day, day, day), 1);
    pick(day);
    messages.answer(6);
    click(u"所有客戶暫停"_s);
    EXPECT_EQ(DayRows::write(*db, day, day, day), 0);
    EXPECT_EQ(suspended(day), 1);
}

// The suspend waits for a run writing the day's rows, so every row that run writes is suspended.
TEST_P(DeliveryDaysTest, ASuspendDuringADayRowRunSuspendsEveryRowOfTheDay)
{
    const QDate day(2026, 12, 9);
    db->exec(u"insert into products_data (code, names, price) values (1, 'milk', 30)"_s);
    db->exec(u"insert into subscribe_type (subscribe_type, date_d) values ('daily', ?)"_s, {day});
    db->exec(u"insert into send_type (serial, send_type, names) values (1, 'plain', 'milk')"_s);
    for (int customer = 10; customer < 50; ++customer) {
        db->exec(u"insert into customer_data (c_code, name, milk_area) values (?, 'Dane', 2)"_s, {customer});
        db->exec(u"insert into order_data (c_code, start_date, amount, subscribe_type, send_type) "
                 "values (?, ?, 1, 'daily', 'plain')"_s,
                 {customer, day});
    }
    // The run holds its transaction open a while after it has begun the day.
    std::latch running(1);
    std::thread run([&, location = db->location()] {
        auto writer = Database::open(location);
        bool first = true;
        DayRows::write(*writer, day, day, day, [&](DayRow&) {
            if (std::exchange(first, false)) {
                running.count_down();
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }
        });
    });
    running.wait();
    pick(day);
    messages.answer(6);
    click(u"所有客戶暫停"_s);
    run.join();
    EXPECT_EQ(messages.count(), 1) << messages.last().text.toStdString();
    EXPECT_EQ(suspended(day), 40);
}

// Tab leaves the grid for the next control and Shift+Tab comes back; Ctrl+End reads on to the last of
// thousands of rows in one press, and Ctrl+Home goes back to the first.
TEST_P(DeliveryDaysTest, TheKeyboardLeavesTheGridAndReachesItsEnds)
{
    db->exec(u"with recursive customer (c_code) as (select 100 union all select c_code + 1 from customer where c_code < 3099)"
             " insert into order_date (c_code, date_d, names) select c_code, ?, 'milk' from customer"_s,
             {QDate(2026, 12, 20)});
    child<QRadioButton>(form, u"Option1"_s)->setChecked(true);
    activate(form);
    grid->setFocus();
    ASSERT_EQ(gridRows(), 256);

    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(gridRows(), 3005);
    EXPECT_EQ(grid->currentIndex().row(), 3004);
    EXPECT_EQ(grid->currentValue(u"c_code"_s).toInt(), 3099);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2026/12/20"_s);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2026/11/30"_s);

    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(form, u"Text2"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(form, u"所有客戶取消暫停"_s));
    EXPECT_EQ(grid->currentIndex().row(), 0) << "Tab moves the focus, not the current row";
}

INSTANTIATE_TEST_SUITE_P(Backends, DeliveryDaysTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

// A write the database refuses leaves every row of the day as it was.
class DeliveryDaysRefusalTest : public FormTest {};

TEST_F(DeliveryDaysRefusalTest, ARefusedSuspendChangesNothing)
{
    const QDate day(2026, 12, 8);
    db->exec(u"insert into order_date (c_code, date_d, names) values (1, ?, 'milk'), (2, ?, 'milk')"_s, {day, day});
    db->exec(u"create trigger refuse before update on order_date when new.c_code = 2 "
             "begin select raise(abort, 'refused'); end"_s);
    QWidget* form = open(u"訂法全灠"_s);
    messages.answer(6);
    QTest::mouseClick(child<QPushButton>(form, u"所有客戶暫停"_s), Qt::LeftButton);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_TRUE(messages.last().detail.contains(u"refused"_s)) << messages.last().detail.toStdString();
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where suspend = 1"_s).toInt(), 0);
}
