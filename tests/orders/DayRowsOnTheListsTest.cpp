#include "FormTest.h"
#include "SheetRuns.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "records/RecordToolbar.h"
#include "widgets/DataGrid.h"
#include "widgets/DataCombo.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Today is 2026/12/8. Ash (2 bottles a day) and Birch (1) of area 1 take milk at 36.5 every day; the
// login wrote today and the next two days.
class DayRowsOnTheListsTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    DayRowsOnTheListsTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        runs = std::make_unique<SheetRuns>(*app);
        db->exec(u"insert into milk_area (milk_area) values (1), (2)"_s);
        db->exec(u"insert into products_data (code, names, price) values (1, 'milk', 36.5)"_s);
        db->exec(u"insert into order_kind (subscribe_type) values ('daily')"_s);
        for (QDate day(2026, 12, 1); day.month() == 12; day = day.addDays(1))
            db->exec(u"insert into subscribe_type (subscribe_type, date_d) values ('daily', ?)"_s, {day});
        db->exec(u"insert into send_kind (send_type) values ('M')"_s);
        db->exec(u"insert into send_type (serial, send_type, names) values (1, 'M', 'milk')"_s);
        for (const auto& [code, name, amount] : {std::tuple(1, u"Ash"_s, 2), std::tuple(2, u"Birch"_s, 1)}) {
            db->exec(u"insert into customer_data (c_code, name, milk_area, bill2, goods_addr) values (?, ?, 1, 1, ?)"_s,
                     {code, name, name + u" Lane"_s});
            db->exec(u"insert into different_move (c_code) values (?)"_s, {code});
            db->exec(u"insert into order_data (c_code, start_date, amount, subscribe_type, send_type) values"
                     " (?, '2026-12-01', ?, 'daily', 'M')"_s,
                     {code, amount});
        }
        DayRows::writeComingDays(*db, clock.today());
    }

    // The lines ("Ash 2") and the product totals ("milk 3") of one area's delivery list of a day.
    QStringList deliveryList(QDate day, int area)
    {
        QWidget* list = open(u"載入送貨地址"_s);
        child<QDateEdit>(list, u"DTPicker1"_s)->setDate(day);
        child<DataCombo>(list, u"DataCombo1"_s)->setText(QString::number(area));
        QTest::mouseClick(child<QPushButton>(list, u"OKButton"_s), Qt::LeftButton);
        QStringList printed;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row : sheet.filledRows()) {
            if (sheet.cell(row, 2) == u"milk"_s)
                printed << sheet.cell(row, 5).toString() + u' ' + sheet.cell(row, 1).toString();
            else if (sheet.cell(row, 4) == u"milk"_s)
                printed << u"milk "_s + sheet.cell(row, 5).toString();
        }
        return printed;
    }

    // Ash's December on the two-part invoice listing and in the account enquiry.
    QStringList billedToAsh()
    {
        QWidget* invoices = open(u"載入發票明細"_s);
        QTest::mouseClick(child<QRadioButton>(invoices, u"Option1"_s), Qt::LeftButton);
        child<QLineEdit>(invoices, u"text1"_s)->setText(u"2026"_s);
        child<QLineEdit>(invoices, u"Text2"_s)->setText(u"12"_s);
        QTest::mouseClick(child<QPushButton>(invoices, u"OKButton"_s), Qt::LeftButton);
        QString invoiced;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row : sheet.filledRows())
            if (sheet.cell(row, 1).toInt() == 1)
                invoiced = sheet.cell(row, 5).toString();

        QWidget* enquiry = open(u"客戶帳款查詢"_s);
        child<QDateEdit>(enquiry, u"DTPicker1"_s)->setDate(QDate(2026, 12, 1));
        child<QDateEdit>(enquiry, u"DTPicker2"_s)->setDate(QDate(2026, 12, 31));
        auto* customer = child<DataCombo>(enquiry, u"DataCombo1"_s);
        customer->setText({}); // the form stays open from the step before
        customer->setText(u"1"_s);
        return {invoiced, child<QLineEdit>(enquiry, u"Text2"_s)->text()};
    }

    std::unique_ptr<SheetRuns> runs;
};

// The round took 2 bottles off Ash's 12/9. However the order changes after, that day delivers and bills
// nothing, never less: 36.5 x max(0, 2 - 2), then x max(0, 1 - 2), then x max(0, 0 - 2).
TEST_P(DayRowsOnTheListsTest, BottlesTakenOffBeyondTheOrderNeverCountBelowNothing)
{
    const QDate tomorrow(2026, 12, 9);
    db->exec(u"update order_date set subtract_num = 2, expense = 0 where c_code = 1 and date_d = ?"_s, {tomorrow});
    struct Step {
        const char* order;
        QString change;
        QStringList listed;
        QStringList billed; // 12/8 + 12/9 + 12/10
    };
    const QList<Step> steps = {
        {"as ordered", {}, {u"Ash 0"_s, u"Birch 1"_s, u"milk 1"_s}, {u"146"_s, u"146"_s}},
        {"lowered to 1", u"update order_data set amount = 1 where c_code = 1"_s, {u"Ash 0"_s, u"Birch 1"_s, u"milk 1"_s},
         {u"73"_s, u"73"_s}},
        {"deleted", u"delete from order_data where c_code = 1"_s, {u"Ash 0"_s, u"Birch 1"_s, u"milk 1"_s},
         {u"0"_s, u"0"_s}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.order);
        if (!step.change.isEmpty()) {
            db->exec(step.change);
            DayRows::followOrders(*db, {1}, clock.today());
        }
        EXPECT_EQ(deliveryList(tomorrow, 1), step.listed);
        EXPECT_EQ(billedToAsh(), step.billed);
    }
    EXPECT_EQ(db->scalar(u"select subtract_num from order_date where c_code = 1 and date_d = ?"_s, {tomorrow}).toInt(), 2)
        << "what the round took off stays recorded";
    EXPECT_EQ(messages.count(), 0);
}

// Saved on the customer form, a new milk area and a nullified customer reach tomorrow's list at once.
TEST_P(DayRowsOnTheListsTest, TomorrowsListFollowsACustomerMovedOrNullifiedAtOnce)
{
    const QDate tomorrow(2026, 12, 9);
    ASSERT_EQ(deliveryList(tomorrow, 1), (QStringList{u"Ash 2"_s, u"Birch 1"_s, u"milk 3"_s}));

    QWidget* customers = open(u"客戶基本資料"_s);
    auto* toolbar = child<RecordToolbar>(customers, u"Toolbar1"_s);
    clickTool(toolbar, 7);
    auto* area = child<DataCombo>(customers, u"DataCombo2"_s);
    area->lineEdit()->selectAll();
    QTest::keyClicks(area->lineEdit(), u"2"_s);
    clickTool(toolbar, 7);
    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(deliveryList(tomorrow, 1), (QStringList{u"Birch 1"_s, u"milk 1"_s}));
    EXPECT_EQ(deliveryList(tomorrow, 2), (QStringList{u"Ash 2"_s, u"milk 2"_s}));

    clickTool(toolbar, 3);
    clickTool(toolbar, 7);
    child<QCheckBox>(customers, u"Check4"_s)->click();
    clickTool(toolbar, 7);
    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(deliveryList(tomorrow, 1), QStringList{});
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where date_d < ?"_s, {clock.today()}).toInt(), 0);
}

// A day taken out of the subscription type, tea put into the delivery type, a new price of milk and
// the subscription type taken away, each saved on its form: the written days from today follow, and yesterday stays as it happened.
TEST_P(DayRowsOnTheListsTest, WrittenDaysFollowTheTypesAndThePriceFromToday)
{
    const QDate yesterday(2026, 12, 7), tomorrow(2026, 12, 9);
    DayRows::write(*db, yesterday, yesterday, yesterday);
    db->exec(u"insert into products_data (code, names, price) values (2, 'tea', 20)"_s);
    const auto rowsOn = [&](QDate day) {
        QStringList rows;
        QSqlQuery query = db->exec(u"select c_code, names, subscribe_num, expense from order_date where date_d = ?"
                                   " order by c_code, names"_s,
                                   {day});
        while (query.next())
            rows << u"%1 %2 %3 %4"_s.arg(query.value(0).toInt())
                        .arg(query.value(1).toString())
                        .arg(query.value(2).toDouble())
                        .arg(query.value(3).toDouble());
        return rows;
    };
    const QStringList yesterdays = rowsOn(yesterday);
    ASSERT_EQ(yesterdays, (QStringList{u"1 milk 2 73"_s, u"2 milk 1 36.5"_s}));

    QWidget* subscriptions = open(u"設定訂法"_s);
    QTest::mouseClick(child<QCheckBox>(subscriptions, u"Check1"_s), Qt::LeftButton);
    child<QRadioButton>(subscriptions, u"Option2"_s)->setChecked(true);
    for (QDate day : {yesterday, tomorrow}) {
        messages.answer(6);
        emit child<QCalendarWidget>(subscriptions, u"MonthView1"_s)->clicked(day);
    }
    EXPECT_EQ(deliveryList(tomorrow, 1), QStringList{});
    EXPECT_EQ(rowsOn(yesterday), yesterdays);

    QWidget* deliveries = open(u"設定送法"_s);
    QTest::mouseClick(child<QCheckBox>(deliveries, u"Check1"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(deliveries, u"Command1"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(deliveries, u"確定"_s), Qt::LeftButton);
    EXPECT_EQ(rowsOn(clock.today()), (QStringList{u"1 milk 2 73"_s, u"1 tea 2 40"_s, u"2 milk 1 36.5"_s, u"2 tea 1 20"_s}));
    EXPECT_EQ(rowsOn(yesterday), yesterdays);

    QWidget* products = open(u"產品基本資料"_s);
    auto* toolbar = child<RecordToolbar>(products, u"Toolbar1"_s);
    clickTool(toolbar, 7);
    typeOver(child<QLineEdit>(products, u"text1(3)"_s), u"40"_s);
    clickTool(toolbar, 7);
    ASSERT_EQ(messages.count(), 2) << "the two days' questions only";
    EXPECT_EQ(rowsOn(clock.today().addDays(2)),
              (QStringList{u"1 milk 2 80"_s, u"1 tea 2 40"_s, u"2 milk 1 40"_s, u"2 tea 1 20"_s}));
    EXPECT_EQ(rowsOn(yesterday), yesterdays);

    messages.answer(6);
    QTest::mouseClick(child<QPushButton>(subscriptions, u"刪除"_s), Qt::LeftButton);
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where date_d >= ?"_s, {clock.today()}).toInt(), 0)
        << "the type taken away takes its written days";
    EXPECT_EQ(rowsOn(yesterday), yesterdays);
}

// Changed in the unlocked grids, a customer's area and a delivery type's product reach the written days
// with the change: Ash moves to area 2 in the customer list; milk becomes tea (20) in the delivery types.
TEST_P(DayRowsOnTheListsTest, ChangesInTheUnlockedGridsReachTheWrittenDaysAtOnce)
{
    const QDate tomorrow(2026, 12, 9);
    db->exec(u"insert into products_data (code, names, price) values (2, 'tea', 20)"_s);
    const auto changeInGrid = [&](QWidget* form, const QString& unlock, const QString& column, const QString& value) {
        child<QCheckBox>(form, unlock)->setChecked(true);
        auto* grid = child<DataGrid>(form, u"DataGrid1"_s);
        const QModelIndex cell = grid->model()->index(0, grid->dataSource()->recordset().fieldIndex(column));
        grid->setCurrentIndex(cell);
        ASSERT_TRUE(grid->model()->setData(cell, value));
        ASSERT_TRUE(grid->commitRow());
    };

    changeInGrid(open(u"客戶全灠"_s), u"Check1"_s, u"milk_area"_s, u"2"_s);
    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(deliveryList(tomorrow, 1), (QStringList{u"Birch 1"_s, u"milk 1"_s}));
    EXPECT_EQ(deliveryList(tomorrow, 2), (QStringList{u"Ash 2"_s, u"milk 2"_s}));

    changeInGrid(open(u"設定送法"_s), u"Check2"_s, u"names"_s, u"tea"_s);
    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(db->scalar(u"select sum(expense) from order_date where date_d = ? and names = 'tea'"_s, {tomorrow}).toDouble(),
              2 * 20 + 1 * 20);
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where date_d >= ? and names = 'milk'"_s, {clock.today()}).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, DayRowsOnTheListsTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
