#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

// Customers 5 Alder and 6 Birch with two orders each, 7 Cedar with none; orders by code:
// 6/"B", 5/"B", 5/"A", 6/"A".
class OrderFormTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        db->exec(u"insert into customer_data (c_code, name) values (5, 'Alder'), (6, 'Birch'), (7, 'Cedar')"_s);
        db->exec(u"insert into bottle_type (bottle_type) values ('glass'), ('plastic')"_s);
        db->exec(u"insert into subscribe_type (subscribe_type, date_d) values ('daily', ?), ('weekday', ?)"_s,
                 {QDate(2026, 12, 1), QDate(2026, 12, 2)});
        db->exec(u"insert into send_type (serial, send_type, names) values (1, 'A', 'milk'), (2, 'B', 'tea')"_s);
        for (const auto& [customer, sendType] : {std::pair{6, "B"}, {5, "B"}, {5, "A"}, {6, "A"}})
            orders << addOrder(customer, QString::fromLatin1(sendType));
    }

    int addOrder(int customer, const QString& sendType)
    {
        return db->scalar(u"insert into order_data (c_code, send_type, subscribe_type, bottle_type, start_date) "
                          "values (?, ?, 'daily', 'glass', ?) returning o_code"_s,
                          {customer, sendType, QDate(2026, 12, 1)})
            .toInt();
    }

    QWidget* openOrders(int selectedCustomer)
    {
        app->values.selected_c_code = selectedCustomer;
        form = open(u"訂單"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
        return form;
    }

    QLineEdit* field(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    DataCombo* combo(int index) { return child<DataCombo>(form, u"DataCombo%1"_s.arg(index)); }
    QToolButton* tool(int index) { return child<QToolButton>(form, u"Button%1"_s.arg(index)); }
    void clickTool(int index) { QTest::mouseClick(tool(index), Qt::LeftButton); }
    template <class Button = QPushButton>
    void click(const QString& name) { QTest::mouseClick(child<Button>(form, name), Qt::LeftButton); }
    void retype(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void search(const QString& option, const QString& key)
    {
        child<QRadioButton>(form, option)->setChecked(true);
        child<QLineEdit>(form, u"Text2"_s)->setText(key);
        click(u"搜尋"_s);
    }

    int shownOrder() { return field(0)->text().toInt(); }
    Recordset& gridRows() { return grid->dataSource()->recordset(); }
    int gridOrder() { return gridRows().hasCurrentRow() ? gridRows().value(u"o_code"_s).toInt() : -1; }
    QList<int> gridColumn(const QString& column)
    {
        QList<int> values;
        for (int row = 0; row < gridRows().recordCount(); ++row)
            values << gridRows().valueAt(row, gridRows().fieldIndex(column)).toInt();
        return values;
    }
    QVariant stored(const QString& column, int order)
    {
        return db->scalar(u"select %1 from order_data where o_code = ?"_s.arg(column), {order});
    }

    QList<int> orders;
    QWidget* form = nullptr;
    DataGrid* grid = nullptr;
};

TEST_F(OrderFormTest, OpensOnTheHandedCustomerAndANewOrderIsTheirs)
{
    struct Case {
        int selected, order, gridCustomer;
    };
    for (const Case& c : {Case{5, 1, 5}, Case{7, 0, 6}, Case{0, 0, 6}}) {
        SCOPED_TRACE(c.selected);
        openOrders(c.selected);
        EXPECT_EQ(form->windowTitle(), u"order"_s);
        EXPECT_EQ(shownOrder(), orders[c.order]);
        EXPECT_EQ(gridColumn(u"c_code"_s), QList<int>(2, c.gridCustomer));
        EXPECT_EQ(gridOrder(), orders[c.order]);
        EXPECT_FALSE(tool(8)->isEnabled());
        EXPECT_FALSE(child<QPushButton>(form, u"再搜尋"_s)->isEnabled());
        EXPECT_TRUE(child<QRadioButton>(form, u"Option3"_s)->isChecked());
        clickTool(5);
        EXPECT_EQ(field(1)->text(), QString::number(c.selected));
        clickTool(8);
        closeForm(form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    openOrders(5);
    app->values.selected_c_code = 6;
    EXPECT_EQ(open(u"訂單"_s), form);
    EXPECT_EQ(shownOrder(), orders[1]) << "only brought forward";

    // The name follows the code typed, read as every box reads a whole number: a fraction names no one,
    // not the customer it would round to.
    clickTool(5);
    for (const auto& [typed, name] : {std::pair{u"6"_s, u"Birch"_s}, {u"5.6"_s, QString()}, {u"6.00004"_s, QString()}}) {
        field(1)->setText(typed);
        EXPECT_EQ(field(2)->text(), name) << typed.toStdString();
    }
    clickTool(8);
}

TEST_F(OrderFormTest, AnAddTakesItsDefaultsAndTheGridShowsTheSavedOrder)
{
    openOrders(5);
    QTest::mouseClick(child<QWidget>(form, u"Adodc7"_s)->findChild<QAbstractButton*>(u"next"_s), Qt::LeftButton);
    clickTool(5);
    EXPECT_EQ(tool(5)->text(), u"sure_add"_s);
    EXPECT_EQ(field(1)->text(), u"5"_s);
    EXPECT_EQ(field(2)->text(), u"Alder"_s);
    EXPECT_EQ(field(3)->text(), u"2026/12/8"_s);
    EXPECT_EQ(field(4)->text(), u"2026/12/8"_s);
    EXPECT_EQ(combo(4)->text(), u"plastic"_s);
    EXPECT_TRUE(field(2)->isReadOnly());
    retype(field(5), u"2"_s);
    clickTool(5);

    EXPECT_EQ(messages.count(), 0);
    const int saved = shownOrder();
    EXPECT_GT(saved, orders.last());
    EXPECT_EQ(stored(u"c_code"_s, saved).toInt(), 5);
    EXPECT_EQ(stored(u"bottle_type"_s, saved).toString(), u"plastic"_s);
    EXPECT_EQ(stored(u"start_date"_s, saved).toDate(), QDate(2026, 12, 8));
    EXPECT_EQ(gridOrder(), saved);
    EXPECT_FALSE(tool(8)->isEnabled()) << "cancel goes off after a save";
}

TEST_F(OrderFormTest, AnAddThatCannotBeSavedStaysInProgressAndCancelWritesNothing)
{
    openOrders(5);
    clickTool(5);
    for (const auto& [entry, text] : {std::pair{1, u"99"_s}, {3, u"2002/13/40"_s}}) {
        SCOPED_TRACE(text.toStdString());
        retype(field(1), u"5"_s);
        retype(field(entry), text);
        clickTool(5);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_EQ(tool(5)->text(), u"sure_add"_s);
        messages.clear();
    }
    clickTool(8);
    EXPECT_EQ(db->scalar(u"select count(*) from order_data"_s).toInt(), 4);
    EXPECT_EQ(shownOrder(), orders[1]);
    EXPECT_TRUE(tool(8)->isEnabled()) << "cancel leaves itself on";
}

TEST_F(OrderFormTest, AModifySavesTheComboTextsAndCancelPutsThemBack)
{
    openOrders(5);
    auto* cancelFlag = child<QCheckBox>(form, u"Check3"_s);
    EXPECT_FALSE(cancelFlag->isEnabled());

    clickTool(7);
    EXPECT_TRUE(cancelFlag->isEnabled());
    QTest::mouseClick(combo(3), Qt::LeftButton); // remembers "B"
    combo(3)->setText(u"A"_s);
    combo(2)->lineEdit()->selectAll();
    QTest::keyClicks(combo(2)->lineEdit(), u"twice a week"_s);
    clickTool(8);
    EXPECT_EQ(combo(3)->text(), u"B"_s);
    EXPECT_EQ(combo(2)->text(), u"daily"_s);
    EXPECT_FALSE(cancelFlag->isEnabled());

    clickTool(7);
    combo(3)->setText(u"A"_s);
    combo(2)->lineEdit()->selectAll();
    QTest::keyClicks(combo(2)->lineEdit(), u"twice a week"_s);
    cancelFlag->click();
    clickTool(7);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(stored(u"send_type"_s, orders[1]).toString(), u"A"_s);
    EXPECT_EQ(stored(u"subscribe_type"_s, orders[1]).toString(), u"twice a week"_s);
    EXPECT_EQ(stored(u"cancel"_s, orders[1]).toInt(), 1);
    EXPECT_EQ(gridRows().value(u"send_type"_s).toString(), u"B"_s) << "the grid is not read again";
    EXPECT_TRUE(cancelFlag->isEnabled()) << "until the next click of the toolbar";

    // A change after the save goes into the order on show and is written as the record moves on.
    cancelFlag->click();
    clickTool(3);
    EXPECT_FALSE(cancelFlag->isEnabled());
    EXPECT_EQ(stored(u"cancel"_s, orders[1]).toInt(), 0);
}

TEST_F(OrderFormTest, DeleteAsksThenShowsThePreviousOrderAndReadsTheGridAgain)
{
    openOrders(5);
    clickTool(3);
    ASSERT_EQ(shownOrder(), orders[2]);
    messages.answer(7);
    clickTool(6);
    EXPECT_EQ(messages.last().text, u"delete the data???"_s);
    EXPECT_EQ(messages.last().flags, 52);
    EXPECT_EQ(messages.last().title, u"del"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from order_data"_s).toInt(), 4);

    messages.answer(6);
    clickTool(6);
    EXPECT_EQ(db->scalar(u"select count(*) from order_data"_s).toInt(), 3);
    EXPECT_EQ(shownOrder(), orders[1]);
    EXPECT_EQ(gridColumn(u"o_code"_s), QList<int>{orders[1]});
    EXPECT_EQ(gridOrder(), orders[1]);

    auto otherClerk = openSecondConnection(*db);
    otherClerk->exec(u"update order_data set amount = 3 where o_code = ?"_s, {orders[1]});
    messages.clear();
    messages.answer(6);
    clickTool(6);
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from order_data"_s).toInt(), 3);
}

TEST_F(OrderFormTest, SearchesMissWithTheirOwnWordsAndEmptyTheBox)
{
    openOrders(5);
    auto* box = child<QLineEdit>(form, u"Text2"_s);
    auto* again = child<QPushButton>(form, u"再搜尋"_s);
    struct Case {
        QString option, key, miss;
    };
    for (const Case& c : {Case{u"Option2"_s, u"007x"_s, u"no'7' data!!"_s},
                          Case{u"Option1"_s, u"9"_s, u"no '9' data!!"_s}}) {
        messages.clear();
        search(c.option, c.key);
        EXPECT_EQ(messages.last().text, c.miss);
        EXPECT_EQ(messages.last().flags, 0);
        EXPECT_EQ(messages.last().title, u"search"_s);
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(shownOrder(), orders[1]);
        EXPECT_TRUE(again->isEnabled());
    }

    messages.clear();
    search(u"Option2"_s, u"00"_s + QString::number(orders[3]));
    EXPECT_EQ(shownOrder(), orders[3]);
    EXPECT_EQ(gridOrder(), orders[1]) << "the grid lists only customer 5 and goes back, silently";
    EXPECT_EQ(messages.count(), 0);
    click(u"再搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '%1' data!!"_s.arg(orders[3]));

    messages.clear();
    search(u"Option1"_s, u"6"_s);
    EXPECT_EQ(shownOrder(), orders[0]);
    click(u"再搜尋"_s);
    EXPECT_EQ(shownOrder(), orders[3]);
    click(u"再搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '6' data!!"_s);
    EXPECT_EQ(shownOrder(), orders[3]);
    EXPECT_FALSE(again->isEnabled());

    clickTool(5);
    retype(field(1), u"6"_s);
    clickTool(5);
    EXPECT_EQ(field(1)->text(), u"6"_s) << "the search made customer 6 the form's";
    clickTool(8);
}

TEST_F(OrderFormTest, SortsReadTheGridInTheirOrderUntilTheNextScope)
{
    openOrders(0);
    child<QRadioButton>(form, u"Option4"_s)->setChecked(true);
    click(u"Command1"_s);
    EXPECT_EQ(gridColumn(u"o_code"_s), (QList<int>{orders[2], orders[3], orders[0], orders[1]}));
    click(u"訂戶代號排序"_s);
    const QList<int> byCustomer = gridColumn(u"o_code"_s);
    EXPECT_EQ(byCustomer, (QList<int>{orders[1], orders[2], orders[0], orders[3]}));
    click(u"訂法排序"_s);
    EXPECT_EQ(gridColumn(u"o_code"_s), byCustomer);

    child<QRadioButton>(form, u"Option3"_s)->setChecked(true);
    click(u"Command1"_s);
    EXPECT_EQ(gridColumn(u"o_code"_s), (QList<int>{orders[3], orders[0]}));
    clickTool(4);
    EXPECT_EQ(gridColumn(u"o_code"_s), (QList<int>{orders[0], orders[3]}));
}

TEST_F(OrderFormTest, WhileEditingNothingMovesTheRecordButScopeAndSortsStay)
{
    openOrders(5);
    clickTool(7);
    for (const QString& name : {u"搜尋"_s, u"再搜尋"_s})
        EXPECT_FALSE(child<QPushButton>(form, name)->isEnabled()) << name.toStdString();
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form, u"Command1"_s)->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(form, u"Option4"_s)->isEnabled());
    clickTool(8);
    EXPECT_TRUE(grid->isEnabled());

    // Only the clerk's pick in the grid moves the record, and the form's customer stays.
    child<QRadioButton>(form, u"Option4"_s)->setChecked(true);
    const QRect lastRow = grid->visualRect(grid->model()->index(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, lastRow.center());
    EXPECT_EQ(shownOrder(), orders[3]);
    clickTool(5);
    EXPECT_EQ(field(1)->text(), u"5"_s);
    clickTool(8);
}

// The grid follows what happens to the orders: a delete under "view", a save for another customer
// under "single", and the arrow keys move the record as a click does. Tab passes through the grid.
TEST_F(OrderFormTest, TheGridFollowsDeletesSavesAndKeys)
{
    openOrders(5);
    child<QRadioButton>(form, u"Option4"_s)->setChecked(true);
    messages.answer(6);
    clickTool(6);
    EXPECT_EQ(gridColumn(u"o_code"_s), (QList<int>{orders[0], orders[2], orders[3]})) << "the deleted order is gone";

    child<QRadioButton>(form, u"Option3"_s)->setChecked(true);
    ASSERT_EQ(gridColumn(u"c_code"_s), QList<int>(2, 6));
    clickTool(5);
    retype(field(1), u"5"_s);
    clickTool(5);
    EXPECT_EQ(gridColumn(u"c_code"_s), (QList<int>{5, 5})) << "the saved order's customer";
    EXPECT_EQ(gridOrder(), shownOrder());

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(shownOrder(), orders[2]);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(shownOrder(), gridRows().value(u"o_code"_s).toInt());
    EXPECT_NE(shownOrder(), orders[2]);

    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), grid) << "Tab leaves the grid";
}

// The order of Tab through the form: the entry fields, the search box, the buttons, the grid, the
// toolbar, the search options, and last the controls added to the form later.
TEST_F(OrderFormTest, TabGoesThroughTheFormInItsOrder)
{
    openOrders(5);
    QList<QWidget*> expected{field(0), field(1), field(2), field(3), field(5)};
    for (const QString& name : {u"Check2(0)"_s, u"Check2(1)"_s, u"DataCombo2"_s, u"DataCombo3"_s, u"text1(4)"_s,
                                u"Text2"_s, u"搜尋"_s, u"Command1"_s, u"訂戶代號排序"_s, u"訂法排序"_s, u"輪送方式"_s,
                                u"離開"_s, u"DataGrid1"_s, u"Option1"_s, u"Option2"_s, u"Text3"_s, u"Check1"_s,
                                u"DataCombo4"_s, u"再搜尋"_s, u"Check3"_s, u"Option3"_s, u"Option4"_s, u"Check4"_s})
        expected << child(form, name);
    QList<QWidget*> reached;
    QWidget* widget = expected.first();
    for (int step = 0; step < 1000 && reached.size() < expected.size(); ++step, widget = widget->nextInFocusChain())
        if (expected.contains(widget) && !reached.contains(widget))
            reached << widget;
    QStringList names;
    for (QWidget* w : std::as_const(reached))
        names << w->objectName();
    EXPECT_EQ(reached, expected) << names.join(u' ').toStdString();
}

// A change of the cancel flag or the bottle cash made while idle is written, at once or when the
// clerk updates or closes; a refusal says why and keeps the form open.
TEST_F(OrderFormTest, IdleChangesAreWrittenByTheFlagUpdateAndClose)
{
    db->exec(u"update order_data set grounp = 1 where o_code = ?"_s, {orders[1]});
    openOrders(5);
    auto* bottleCash = child<QLineEdit>(form, u"Text3"_s);
    ASSERT_TRUE(bottleCash->isEnabled());
    clickTool(7);
    clickTool(7);
    child<QCheckBox>(form, u"Check3"_s)->click();
    EXPECT_EQ(stored(u"cancel"_s, orders[1]).toInt(), 1) << "the flag is written at once";

    struct Case {
        QString typed;
        std::function<void()> ending;
        QVariant stored;
    };
    for (const Case& c : {Case{u"7"_s, [&] { clickTool(9); }, 7.0},
                          Case{u"8.5"_s, [&] { closeForm(form); }, 8.5}}) {
        SCOPED_TRACE(c.typed.toStdString());
        const int order = shownOrder();
        retype(bottleCash, c.typed);
        c.ending();
        EXPECT_EQ(stored(u"bottle_m"_s, order), c.stored);
        EXPECT_EQ(messages.count(), 0);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    openOrders(5);
    bottleCash = child<QLineEdit>(form, u"Text3"_s);
    const int order = shownOrder();
    retype(bottleCash, u"9x"_s);
    closeForm(form);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_FALSE(messages.last().detail.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(open(u"訂單"_s), form) << "the form stays open";
    EXPECT_EQ(stored(u"bottle_m"_s, order).toDouble(), 7) << "as the update wrote it";
}

// Every save and delete of an order brings its customer's written days up to date in its own
// transaction; a day before today stays as it happened.
class OrderDayRowsTest : public OrderFormTest, public ::testing::WithParamInterface<Backend> {
protected:
    OrderDayRowsTest() { backend = GetParam(); }

    void SetUp() override
    {
        OrderFormTest::SetUp();
        if (IsSkipped())
            return;
        db->exec(u"insert into products_data (code, names, price) values (1, 'milk', 30), (2, 'tea', 20)"_s);
        for (int day = 7; day <= 10; ++day)
            db->exec(u"insert into subscribe_type (subscribe_type, date_d) values ('daily', ?)"_s, {QDate(2026, 12, day)});
        db->exec(u"update order_data set amount = 1"_s);
        // Yesterday, today and tomorrow hold rows; the day after tomorrow, still empty, is a written day too.
        DayRows::write(*db, QDate(2026, 12, 7), QDate(2026, 12, 9), QDate(2026, 12, 7));
    }

    // Customer 5's milk on the 7th to the 10th.
    QList<int> milkOfFive()
    {
        QList<int> bottles;
        for (int day = 7; day <= 10; ++day)
            bottles << db->scalar(u"select sum(subscribe_num) from order_date where c_code = 5 and names = 'milk'"
                                  " and date_d = ?"_s,
                                  {QDate(2026, 12, day)})
                           .toInt();
        return bottles;
    }
};

TEST_P(OrderDayRowsTest, DayRowsFollowEverySaveAndDelete)
{
    ASSERT_EQ(milkOfFive(), (QList<int>{1, 1, 1, 0}));
    openOrders(5);
    clickTool(5);
    retype(field(5), u"2"_s);
    combo(2)->setText(u"daily"_s);
    combo(3)->setText(u"A"_s);
    clickTool(5);
    ASSERT_EQ(messages.count(), 0);
    const int added = shownOrder();
    EXPECT_EQ(milkOfFive(), (QList<int>{1, 3, 3, 3})) << "a new order reaches the written days, the 10th too";

    clickTool(7);
    retype(field(5), u"4"_s);
    clickTool(7);
    EXPECT_EQ(milkOfFive(), (QList<int>{1, 5, 5, 5})) << "a raised amount";

    child<QCheckBox>(form, u"Check3"_s)->click();
    EXPECT_EQ(stored(u"cancel"_s, added).toInt(), 1);
    EXPECT_EQ(milkOfFive(), (QList<int>{1, 1, 1, 1})) << "a cancelled order";

    clickTool(1);
    clickTool(3);
    clickTool(3);
    ASSERT_EQ(shownOrder(), orders[2]);
    messages.answer(6);
    clickTool(6);
    EXPECT_EQ(milkOfFive(), (QList<int>{1, 0, 0, 0})) << "a deleted order";
    EXPECT_EQ(db->scalar(u"select count(*) from order_date where c_code = 5 and date_d > ?"_s, {QDate(2026, 12, 7)})
                  .toInt(),
              3) << "customer 5's tea of order B stays";
}

INSTANTIATE_TEST_SUITE_P(Backends, OrderDayRowsTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

// A click on the selected option keeps it, so "search" still searches; an empty box searches 0, and a
// key with a fraction finds nothing, as no order has that code.
TEST_F(OrderFormTest, OptionsStaySelectedAndAFractionalKeyIsAMiss)
{
    openOrders(0);
    click<QRadioButton>(u"Option1"_s);
    click<QRadioButton>(u"Option3"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form, u"Option3"_s)->isChecked());
    child<QLineEdit>(form, u"Text2"_s)->setText(u"5"_s);
    click(u"搜尋"_s);
    EXPECT_EQ(shownOrder(), orders[1]);

    struct Case {
        QString option, key, miss;
    };
    for (const Case& c : {Case{u"Option1"_s, QString(), u"no '0' data!!"_s},
                          Case{u"Option2"_s, u"%1.5"_s.arg(orders[2]), u"no'%1.5' data!!"_s.arg(orders[2])},
                          Case{u"Option1"_s, u"5.5"_s, u"no '5.5' data!!"_s}}) {
        SCOPED_TRACE(c.key.toStdString());
        messages.clear();
        click<QRadioButton>(c.option);
        child<QLineEdit>(form, u"Text2"_s)->setText(c.key);
        click(u"搜尋"_s);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, c.miss);
        EXPECT_EQ(shownOrder(), orders[1]);
    }
}

// A number box refuses what its column cannot hold, with the form's message and a line saying why.
TEST_F(OrderFormTest, NumberBoxesRefuseWhatTheirColumnCannotHold)
{
    db->exec(u"update order_data set grounp = 1, bottle_m = 5 where o_code = ?"_s, {orders[1]});
    openOrders(5);
    clickTool(7);
    for (const auto& [box, typed] : {std::pair{1, u"2.5"_s}, {1, u"4294967296"_s}, {5, u"1e400"_s}, {5, u"1e15"_s}}) {
        SCOPED_TRACE(typed.toStdString());
        messages.clear();
        retype(field(1), u"5"_s);
        retype(field(box), typed);
        clickTool(7);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
        EXPECT_FALSE(messages.last().detail.isEmpty());
    }
    clickTool(8);

    messages.clear();
    auto* bottleCash = child<QLineEdit>(form, u"Text3"_s);
    retype(bottleCash, u"1e15"_s);
    QTest::keyClick(bottleCash, Qt::Key_Return);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_TRUE(messages.last().detail.contains(u"99999999999.9999"_s)) << messages.last().detail.toStdString();
    EXPECT_EQ(stored(u"bottle_m"_s, orders[1]).toDouble(), 5);
}
