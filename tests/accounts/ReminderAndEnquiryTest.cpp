#include "DamagedBooks.h"
#include "ReportTest.h"

#include "app/FormCatalog.h"
#include "data/Database.h"
#include "widgets/DataCombo.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList texts(const QListWidget* list)
{
    QStringList shown;
    for (int row = 0; row < list->count(); ++row)
        shown << list->item(row)->text();
    return shown;
}

void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The working day is 2026/12/8. Customer 1 has bottles and amounts on counted and uncounted rows,
// customer 2 none, customer 3 one bottle.
class ReminderAndEnquiryTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        db->exec(u"insert into customer_data (c_code, name) values (2, 'B'), (1, '王大明'), (3, 'C')"_s);
        // customer, day, subscribed, given, not returned, refunded, suspended, amount
        const QList<QVariantList> rows = {
            {1, u"2026-12-01"_s, 2, 9, 0, 0, 0, 10},  {1, u"2026-12-08"_s, 1, 0, 0, 0, 0, 20},
            {1, u"2026-11-30"_s, 5, 0, 0, 0, 0, 40},  {1, u"2026-12-09"_s, 5, 0, 0, 0, 0, 5},
            {1, u"2026-12-05"_s, 4, 0, 0, 1, 0, 100}, {1, u"2026-12-06"_s, 4, 0, 0, 0, 1, 100},
            {1, u"2026-12-07"_s, 4, 0, 1, 0, 0, 0},   {3, u"2026-12-05"_s, 1, 0, 0, 0, 0, 3},
        };
        for (const QVariantList& row : rows)
            db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, give_num, not_bottle, refund,"
                     " suspend, expense) values (?, ?, 'milk', ?, ?, ?, ?, ?, ?)"_s,
                     row);
    }

};

TEST_F(ReminderAndEnquiryTest, ReminderListsTotalsAboveTheThresholdOfTheMonthsCountedRows)
{
    form = open(u"提示繳款名單"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2026/12/1"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text5"_s)->text(), u"0"_s);
    // Customer 2's total 0 equals the threshold: not listed.
    EXPECT_EQ(texts(child<QListWidget>(form, u"List1"_s)), (QStringList{u"1"_s, u"3"_s}));
    EXPECT_EQ(texts(child<QListWidget>(form, u"List2"_s)), (QStringList{u"王大明"_s, u"C"_s}));
    EXPECT_EQ(texts(child<QListWidget>(form, u"List3"_s)), (QStringList{u"3瓶"_s, u"1瓶"_s}));
}

TEST_F(ReminderAndEnquiryTest, ReminderDisplayAppendsAndPrintWritesTheListsThenCloses)
{
    form = open(u"提示繳款名單"_s);
    auto* codes = child<QListWidget>(form, u"List1"_s);
    auto* names = child<QListWidget>(form, u"List2"_s);
    auto* totals = child<QListWidget>(form, u"List3"_s);
    QTest::mouseClick(child<QPushButton>(form, u"顯示"_s), Qt::LeftButton);
    EXPECT_EQ(texts(codes), (QStringList{u"1"_s, u"3"_s, u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(names->count(), 5);
    EXPECT_EQ(totals->count(), 2);

    // A click follows in the lists that reach that far.
    totals->setCurrentRow(0);
    clickRow(names, 4);
    EXPECT_EQ(codes->currentRow(), 4);
    EXPECT_EQ(totals->currentRow(), 0);
    clickRow(codes, 1);
    EXPECT_EQ(totals->currentRow(), 1);

    QTest::mouseClick(child<QPushButton>(form, u"列印"_s), Qt::LeftButton);
    ASSERT_EQ(runs->sheets().size(), 1);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows(), (QList<int>{4, 5, 6, 7, 8}));
    EXPECT_EQ(sheet.row(4, 3), (QVariantList{1, u"王大明"_s, 3.0}));
    EXPECT_EQ(sheet.row(5, 3), (QVariantList{3, u"C"_s, 1.0}));
    EXPECT_EQ(sheet.row(7, 3), (QVariantList{2, u"B"_s, QVariant()}));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(closed());
}

// Customers the books cannot give past a damaged page: both lists say so in the form's box, with the
// damage named, rather than showing the customers read before it as all there are.
TEST_F(ReminderAndEnquiryTest, CustomersPastADamagedPageAreRefusedNotCutShort)
{
    {
        Transaction transaction(*db);
        PreparedStatement insert(*db, u"insert into customer_data (c_code, name, addr) values (?, ?, ?)"_s);
        for (int code = 10; code < 3000; ++code)
            insert.run({code, u"Customer %1"_s.arg(code), u"%1 Elm Road, a long way down the valley"_s.arg(code)});
        transaction.commit();
    }
    app.reset(); // the forms' context holds the connection, which the damage opens anew
    ASSERT_NO_FATAL_FAILURE(damageMiddlePageOf(db, u"customer_data"_s));
    app = std::make_unique<AppContext>(*db, messages, clock);
    registerForms(*app);

    form = open(u"提示繳款名單"_s);
    auto* codes = child<QListWidget>(form, u"List1"_s);
    QTest::mouseClick(child<QPushButton>(form, u"顯示"_s), Qt::LeftButton);
    ASSERT_EQ(messages.count(), 2); // the load's list and the display's
    for (const auto& box : messages.shown()) {
        EXPECT_EQ(box.title, u"Err."_s);
        EXPECT_EQ(box.flags, MessageService::Critical);
        EXPECT_TRUE(box.detail.startsWith(u"The books are damaged"_s)) << box.detail.toStdString();
    }
    EXPECT_EQ(codes->count(), 0);
}

TEST_F(ReminderAndEnquiryTest, EnquiryFollowsTheCustomerAndBothDays)
{
    form = open(u"客戶帳款查詢"_s);
    auto* from = child<QDateEdit>(form, u"DTPicker1"_s);
    auto* to = child<QDateEdit>(form, u"DTPicker2"_s);
    auto* customer = child<DataCombo>(form, u"DataCombo1"_s);
    auto* total = child<QLineEdit>(form, u"Text2"_s);
    EXPECT_EQ(customer->text(), u"1"_s);
    EXPECT_EQ(total->text(), u"20"_s);

    from->setDate(QDate(2026, 12, 1)); // both ends count; refunded and suspended rows never
    EXPECT_EQ(total->text(), u"30"_s);
    to->setDate(QDate(2026, 12, 9));
    EXPECT_EQ(total->text(), u"35"_s);

    customer->lineEdit()->clear();
    QTest::keyClicks(customer->lineEdit(), u" 3 "_s);
    EXPECT_EQ(total->text(), u"3"_s);
    // Text that is no whole code names no customer, as in every box that reads a whole number.
    for (const QString& noCode : {u"3abc"_s, u"abc"_s, u"3.00004"_s}) {
        customer->setText(noCode);
        EXPECT_EQ(total->text(), u""_s) << noCode.toStdString();
    }
    customer->setText(u"1"_s);
    from->setDate(QDate(2026, 12, 10));
    EXPECT_EQ(total->text(), u""_s);
    EXPECT_EQ(messages.count(), 0);
}

} // namespace
