#include "FormTest.h"

#include "app/FormCatalog.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Decimal.h"
#include "stock/GoodsMovement.h"
#include "widgets/DataGrid.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QColor red(255, 0, 0);

} // namespace

class GoodsEntryTest : public FormTest {
protected:
    void addProduct(int code, const QString& name, double amount, double store, const QVariant& much)
    {
        db->exec(u"insert into products_data (code, names, amount, store, much) values (?, ?, ?, ?, ?)"_s,
                 {code, name, amount, store, much});
    }

    void addDelivery(const QString& name, QDate day, double subscribe, int refund = 0, int suspend = 0)
    {
        db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num, "
                 "refund, suspend) values (1, ?, ?, ?, 1, 1, 1, ?, ?)"_s,
                 {day, name, subscribe, refund, suspend});
    }

    QWidget* openEntry()
    {
        form = open(u"進貨表單"_s);
        return form;
    }

    QLineEdit* figure(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    QLineEdit* movement(int index) { return child<QLineEdit>(form, u"Text2(%1)"_s.arg(index)); }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(form, name); }
    QPushButton* button(const QString& name) { return child<QPushButton>(form, name); }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    Recordset& products() { return child<DataGrid>(form, u"DataGrid1"_s)->dataSource()->recordset(); }
    void goToProduct(int code)
    {
        products().moveFirst();
        products().find(Criterion::equals(u"code"_s, code));
    }
    QColor stockColour() { return figure(4)->palette().color(QPalette::Base); }

    QVariant stored(const QString& sql, const QVariantList& values = {}) { return db->scalar(sql, values); }
    double amountOf(int code) { return stored(u"select amount from products_data where code = ?"_s, {code}).toDouble(); }
    int movementRows() { return stored(u"select count(*) from pass_goods"_s).toInt(); }

    QWidget* form = nullptr;
};

// Each total splits into whole boxes and loose bottles; stock at or below the safety stock is short.
TEST_F(GoodsEntryTest, FiguresSplitIntoBoxesAndBottlesAndShowTheShortfall)
{
    struct Case {
        double stock, safety;
        QVariant perBox;
        QString boxes, bottles, shortfall, shortBoxes, shortBottles;
        bool isShort;
    };
    const QList<Case> cases = {
        {25, 0, 12, u"2"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {-5, 0, 12, u"0"_s, u"-5"_s, u"5"_s, u"0"_s, u"5"_s, true},
        {2.5, 0, 12, u"0"_s, u"2"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {3.5, 0, 12, u"0"_s, u"4"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {25, 0, 0, u"0"_s, u"25"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {25, 0, QVariant(), u"0"_s, u"25"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {100, 100, 12, u"8"_s, u"4"_s, u"0"_s, u"0"_s, u"0"_s, true},
        {101, 100, 12, u"8"_s, u"5"_s, u"0"_s, u"0"_s, u"0"_s, false},
        {70, 100, 24, u"2"_s, u"22"_s, u"30"_s, u"1"_s, u"6"_s, true},
        // No 32-bit split: the boxes stay as the product shown at the start left them.
        {3e9, 0, 12, u"2"_s, u"1"_s, u"0"_s, u"0"_s, u"0"_s, false},
    };
    for (int i = 0; i < cases.size(); ++i)
        addProduct(i + 1, u"p%1"_s.arg(i), cases[i].stock, cases[i].safety, cases[i].perBox);
    openEntry();
    EXPECT_EQ(form->windowTitle(), u"goods"_s);
    const QColor base = QApplication::palette().color(QPalette::Base);
    // From a product whose split differs, so nothing is left over from the one before.
    for (int i = cases.size() - 1; i >= 0; --i) {
        goToProduct(i + 1);
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(figure(0)->text(), c.boxes);
        EXPECT_EQ(figure(1)->text(), c.bottles);
        EXPECT_EQ(figure(11)->text(), c.shortfall);
        EXPECT_EQ(figure(12)->text(), c.shortBoxes);
        EXPECT_EQ(figure(13)->text(), c.shortBottles);
        for (int index : {4, 0, 1})
            EXPECT_EQ(figure(index)->palette().color(QPalette::Base), c.isShort ? red : base) << index;
    }
}

// The day's proposed shipments leave out what never left, as the expected shipments do.
TEST_F(GoodsEntryTest, ProposedShipmentsWithoutTheSuspendedRows)
{
    addProduct(1, u"O'Neil 鮮乳"_s, 300, 100, 12);
    addProduct(2, u"羊乳"_s, 300, 100, 12);
    const QDate today(2026, 12, 8);
    addDelivery(u"O'Neil 鮮乳"_s, today, 10);        // 10 + 1 + 1 - 1 = 11
    addDelivery(u"O'Neil 鮮乳"_s, today, 4, 1, 0);   // refunded: 5
    addDelivery(u"O'Neil 鮮乳"_s, today, 2, 0, 1);   // suspended: 3
    addDelivery(u"O'Neil 鮮乳"_s, today.addDays(-1), 100);
    addDelivery(u"O'Neil 鮮乳"_s, today.addDays(1), 20);
    addDelivery(u"羊乳"_s, today.addDays(1), 7);
    openEntry();
    auto* picker = child<QDateEdit>(form, u"DTPicker2"_s);
    EXPECT_EQ(picker->date(), today);
    EXPECT_EQ(app->values.work_date, QDate()); // the form keeps its own today

    EXPECT_EQ(figure(8)->text(), u"11"_s);
    EXPECT_EQ(figure(9)->text(), u"0"_s);
    EXPECT_EQ(figure(10)->text(), u"11"_s);
    goToProduct(2);
    EXPECT_EQ(figure(8)->text(), u""_s);
    EXPECT_EQ(figure(9)->text(), u"0"_s);
    EXPECT_EQ(figure(10)->text(), u"0"_s);

    picker->setDate(today.addDays(1));
    EXPECT_EQ(figure(3)->text(), u"羊乳"_s);
    EXPECT_EQ(figure(8)->text(), u"8"_s);
    goToProduct(1);
    EXPECT_EQ(figure(8)->text(), u"21"_s);
}

TEST_F(GoodsEntryTest, EntryOpensOnTheStockAsItStandsAndCommitsRowStampAndStock)
{
    addProduct(1, u"鮮乳"_s, 300, 100, 12);
    addProduct(2, u"羊乳"_s, 50, 100, 12);
    addDelivery(u"鮮乳"_s, QDate(2026, 12, 8), 39); // 40 going out
    openEntry();
    EXPECT_EQ(button(u"確定"_s)->text(), u"incoming && outting"_s);
    EXPECT_FALSE(button(u"取消"_s)->isEnabled());
    EXPECT_TRUE(button(u"出貨預估"_s)->isEnabled());
    EXPECT_TRUE(button(u"進出貨全灠"_s)->isEnabled());
    EXPECT_TRUE(movement(3)->isReadOnly());
    EXPECT_TRUE(box(u"Text3"_s)->text().isEmpty());

    db->exec(u"update products_data set amount = 310 where code = 1"_s); // another clerk, since the form opened
    QApplication::setActiveWindow(form);
    click(u"確定"_s);
    EXPECT_EQ(button(u"確定"_s)->text(), u"sure_add"_s);
    EXPECT_TRUE(button(u"取消"_s)->isEnabled());
    EXPECT_EQ(movement(8)->text(), u"1"_s);
    EXPECT_EQ(box(u"Text5"_s)->text(), u"1"_s);
    EXPECT_EQ(movement(0)->text(), u"2026/12/8"_s);
    EXPECT_EQ(movement(2)->text(), u"40"_s);
    EXPECT_EQ(movement(1)->text(), u"310"_s);
    EXPECT_EQ(box(u"Text6"_s)->text(), u"270"_s);
    EXPECT_FALSE(movement(3)->isReadOnly());
    EXPECT_TRUE(movement(8)->isReadOnly());
    EXPECT_TRUE(movement(3)->hasFocus());
    for (const QString& name : {u"DataGrid1"_s, u"Adodc1"_s, u"Adodc2"_s, u"DTPicker2"_s, u"Text4"_s, u"搜尋"_s,
                                u"Option1"_s, u"Option2"_s})
        EXPECT_FALSE(child<QWidget>(form, name)->isEnabled()) << name.toStdString();

    QTest::keyClicks(movement(3), u"48"_s);
    QTest::keyClick(movement(3), Qt::Key_Return);
    EXPECT_TRUE(movement(6)->hasFocus());
    QTest::keyClicks(movement(5), u"2"_s);
    EXPECT_EQ(box(u"Text6"_s)->text(), u"316"_s);
    click(u"確定"_s);

    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(button(u"確定"_s)->text(), u"incoming && outting"_s);
    EXPECT_TRUE(movement(3)->isReadOnly());
    EXPECT_TRUE(child<QWidget>(form, u"DataGrid1"_s)->isEnabled());
    EXPECT_EQ(stored(u"select original_store from pass_goods where serial = 1"_s).toDouble(), 310);
    EXPECT_EQ(stored(u"select today_enter + today_exit + loss from pass_goods where serial = 1"_s).toDouble(), 90);
    EXPECT_EQ(stored(u"select code from pass_goods where serial = 1"_s).toInt(), 1);
    EXPECT_EQ(stored(u"select update_date from update_date"_s).toDate(), QDate(2026, 12, 8));
    EXPECT_EQ(amountOf(1), 316);
    EXPECT_EQ(figure(4)->text(), u"316"_s);
    EXPECT_EQ(box(u"Text3"_s)->text(), u"2026/12/8"_s);

    // A second entry of the same product and day, its closing stock overtyped.
    click(u"確定"_s);
    EXPECT_EQ(movement(1)->text(), u"316"_s);
    box(u"Text6"_s)->setText(u"300"_s);
    click(u"確定"_s);
    EXPECT_EQ(movementRows(), 2);
    EXPECT_EQ(amountOf(1), 300);
    goToProduct(2);
    EXPECT_EQ(movement(8)->text(), u"2"_s); // no row of its own: the table's last
    goToProduct(1);
    EXPECT_EQ(movement(8)->text(), u"2"_s);
    EXPECT_EQ(box(u"Text6"_s)->text(), u"276"_s); // the later row's own closing stock

    // Cancel drops a pending row and goes back to the row shown when it began.
    click(u"確定"_s);
    click(u"取消"_s);
    EXPECT_EQ(movementRows(), 2);
    EXPECT_EQ(movement(8)->text(), u"2"_s);
    EXPECT_TRUE(button(u"取消"_s)->isEnabled());

    child<QRadioButton>(form, u"Option1"_s)->click();
    click(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no'0'data!!"_s);
    EXPECT_EQ(messages.last().flags, 0);
    EXPECT_EQ(messages.last().title, u"search"_s);
}

TEST_F(GoodsEntryTest, WithoutProductsTheTotalsReadZero)
{
    openEntry();
    for (int index : {4, 5, 8, 11})
        EXPECT_EQ(figure(index)->text(), u"0"_s) << index;
}

// An entry started and cancelled goes back to the movement row the clerk had gone to, not the product's latest.
TEST_F(GoodsEntryTest, CancelGoesBackToTheRowTheClerkWasOn)
{
    addProduct(1, u"鮮乳"_s, 300, 100, 12);
    for (int serial : {1, 2, 3})
        db->exec(u"insert into pass_goods (serial, code, date_d, original_store) values (?, 1, ?, ?)"_s,
                 {serial, QDate(2026, 12, serial), 100 * serial});
    openEntry();
    EXPECT_EQ(movement(8)->text(), u"3"_s);
    QTest::mouseClick(child<QWidget>(child<QWidget>(form, u"Adodc2"_s), u"first"_s), Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(child<QWidget>(form, u"Adodc2"_s), u"next"_s), Qt::LeftButton);
    EXPECT_EQ(movement(8)->text(), u"2"_s);
    click(u"確定"_s);
    EXPECT_EQ(movement(8)->text(), u"4"_s);
    click(u"取消"_s);
    EXPECT_EQ(movement(8)->text(), u"2"_s);
    EXPECT_EQ(movement(1)->text(), u"200"_s);
    EXPECT_EQ(movementRows(), 3);
}

TEST_F(GoodsEntryTest, NameSearchIsTheDefaultAndFindsTheWholeName)
{
    addProduct(1, u"鮮乳"_s, 300, 100, 12);
    addProduct(2, u"低脂鮮乳"_s, 300, 100, 12);
    openEntry();
    EXPECT_TRUE(child<QRadioButton>(form, u"Option2"_s)->isChecked());
    box(u"Text4"_s)->setText(u"低脂鮮乳"_s);
    QTest::keyClick(box(u"Text4"_s), Qt::Key_Return);
    EXPECT_EQ(figure(2)->text(), u"2"_s);
    box(u"Text4"_s)->setText(u"乳"_s);
    click(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no'乳'data!!"_s);
    EXPECT_EQ(figure(2)->text(), u"2"_s);
}

// Failures of the commit write nothing and keep the entry, on both databases.
class GoodsEntryOnEachDatabase : public GoodsEntryTest, public ::testing::WithParamInterface<Backend> {
protected:
    GoodsEntryOnEachDatabase() { backend = GetParam(); }

    void SetUp() override
    {
        GoodsEntryTest::SetUp();
        if (IsSkipped())
            return;
        addProduct(1, u"鮮乳"_s, 300, 100, 12);
        addProduct(2, u"羊乳"_s, 80, 100, 12);
        openEntry();
    }

    void expectRefusedAndKept(const QString& detail)
    {
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().detail, detail);
        EXPECT_EQ(messages.last().flags, 16);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_EQ(button(u"確定"_s)->text(), u"sure_add"_s);
        EXPECT_EQ(movementRows(), 0);
        EXPECT_EQ(amountOf(1), 300);
        messages.clear();
    }
};

TEST_P(GoodsEntryOnEachDatabase, UnreadableBoxesAndAMissingStampWriteNothing)
{
    click(u"確定"_s);
    box(u"Text6"_s)->setText(u"abc"_s);
    click(u"確定"_s);
    expectRefusedAndKept(u"now_store must be a whole number from -922337203685477 to 922337203685477."_s);
    box(u"Text6"_s)->clear();
    click(u"確定"_s);
    expectRefusedAndKept(u"now_store is empty: the closing stock becomes the stock on hand."_s);

    QTest::keyClicks(movement(3), u"12abc"_s);
    click(u"確定"_s);
    expectRefusedAndKept(u"daily stock must be a whole number from -922337203685477 to 922337203685477."_s);
    movement(3)->setText(u"12"_s);
    movement(0)->setText(u"2026/2/30"_s);
    click(u"確定"_s);
    expectRefusedAndKept(u"'2026/2/30' is not a date (yyyy/M/d)."_s);
    movement(0)->setText(u"2026/12/8"_s);

    box(u"Text6"_s)->setText(u"400"_s);
    db->exec(u"delete from update_date"_s);
    click(u"確定"_s);
    expectRefusedAndKept(u"The books have no row for the date of the last goods entry (update_date)."_s);
    EXPECT_EQ(movement(3)->text(), u"12"_s);
    EXPECT_EQ(box(u"Text6"_s)->text(), u"400"_s);

    db->exec(u"insert into update_date (update_date) values (?)"_s, {QDate(2026, 1, 1)});
    click(u"確定"_s);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(movementRows(), 1);
    EXPECT_EQ(amountOf(1), 400);
    EXPECT_EQ(stored(u"select original_store + today_enter from pass_goods"_s).toDouble(), 312);
    EXPECT_EQ(stored(u"select update_date from update_date"_s).toDate(), QDate(2026, 12, 8));
}

// Each figure box takes whole bottles within the range of figures, and so does the closing stock they
// add up to; a negative is a correction and stands.
TEST_P(GoodsEntryOnEachDatabase, FiguresBeyondWholeBottlesOrTheRangeAreRefusedWhereTyped)
{
    const QString range = u" must be a whole number from -922337203685477 to 922337203685477."_s;
    const QList<std::pair<QString, QString>> boxes = {
        {u"Text2(1)"_s, u"original store"_s}, {u"Text2(3)"_s, u"daily stock"_s}, {u"Text2(2)"_s, u"today_enter"_s},
        {u"Text2(4)"_s, u"retail sale"_s},    {u"Text2(5)"_s, u"loss"_s},         {u"Text2(6)"_s, u"business"_s},
        {u"Text2(7)"_s, u"other"_s},          {u"Text6"_s, u"now_store"_s}};
    click(u"確定"_s);
    for (const auto& [name, label] : boxes) {
        for (const QString& typed : {u"2.5"_s, u"1000000000000000"_s, u"100000000000000000000"_s, u"1e400"_s}) {
            SCOPED_TRACE((name + u' ' + typed).toStdString());
            const QString before = box(name)->text();
            box(name)->setText(typed);
            click(u"確定"_s);
            expectRefusedAndKept(label + range);
            box(name)->setText(before);
        }
    }
    // The sum at the edge of the range is saved; one bottle more would wrap, and is refused.
    box(u"Text2(1)"_s)->setText(u"922337203685477"_s);
    box(u"Text2(3)"_s)->setText(u"1"_s);
    click(u"確定"_s);
    expectRefusedAndKept(u"The closing stock (now_store) must lie from -922337203685477 to 922337203685477."_s);
    box(u"Text2(1)"_s)->setText(u"922337203685476"_s);
    box(u"Text2(4)"_s)->setText(u"2"_s);
    box(u"Text2(5)"_s)->setText(u"-2"_s); // two bottles found again
    click(u"確定"_s);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(amountOf(1), 922337203685477.0);
    EXPECT_EQ(stored(u"select loss from pass_goods"_s).toDouble(), -2);
}

// Clerks at several PCs enter goods of one product at once: every entry is saved under a serial of its
// own, and the stock on hand moves by all of them.
TEST_P(GoodsEntryOnEachDatabase, ClerksEnteringGoodsAtOnceAreEachSavedAndTheStockTakesThemAll)
{
    auto otherDb = openSecondConnection(*db);
    ScriptedMessageService otherMessages;
    AppContext other(*otherDb, otherMessages, clock);
    registerForms(other);
    std::unique_ptr<QWidget> otherForm(OpenFormCommand(other)(u"進貨表單"_s));
    ASSERT_NE(otherForm, nullptr);
    auto otherBox = [&](const QString& name) { return otherForm->findChild<QLineEdit*>(name); };
    auto otherOk = [&] { QTest::mouseClick(otherForm->findChild<QPushButton*>(u"確定"_s), Qt::LeftButton); };
    auto preparedOnServer = [&] {
        return backend == Backend::PostgreSQL ? stored(u"select count(*) from pg_prepared_statements"_s).toInt() : 0;
    };
    const int preparedBefore = preparedOnServer();

    // Both begin on a stock of 300; the other clerk saves last, on top of this one's entry.
    click(u"確定"_s);
    otherOk();
    QTest::keyClicks(movement(3), u"10"_s);
    QTest::keyClicks(otherBox(u"Text2(3)"_s), u"5"_s);
    click(u"確定"_s);
    otherOk();
    EXPECT_EQ(messages.count() + otherMessages.count(), 0);
    EXPECT_EQ(amountOf(1), 315);
    EXPECT_EQ(stored(u"select original_store from pass_goods where serial = 2"_s).toDouble(), 310);
    EXPECT_EQ(otherBox(u"Text2(8)"_s)->text(), u"2"_s);
    EXPECT_EQ(otherBox(u"Text2(1)"_s)->text(), u"310"_s);
    EXPECT_EQ(otherBox(u"Text6"_s)->text(), u"315"_s);

    // And truly at once: a clerk saving from another PC, of this product and another, while this form saves.
    const int entries = 30;
    std::atomic<int> otherRefusals = 0;
    std::thread elsewhere([&] {
        auto connection = openSecondConnection(*db);
        for (int i = 0; i < entries; ++i) {
            try {
                const int code = 1 + i % 2;
                const Decimal stock = Decimal::fromVariant(
                    connection->scalar(u"select amount from products_data where code = ?"_s, {code}));
                GoodsMovement entry{.code = code, .day = clock.today(), .stamp = clock.today(), .stockAtStart = stock,
                                    .opening = stock, .figures = {1, {}, {}, {}, {}, {}}, .closing = stock + Decimal(1)};
                entry.save(*connection);
            } catch (const std::exception&) {
                ++otherRefusals;
            }
        }
    });
    for (int i = 0; i < entries; ++i) {
        click(u"確定"_s);
        movement(3)->setText(u"2"_s);
        click(u"確定"_s);
    }
    elsewhere.join();
    EXPECT_EQ(messages.count(), 0) << (messages.count() ? messages.last().text.toStdString() : std::string());
    EXPECT_EQ(otherRefusals, 0);
    EXPECT_EQ(stored(u"select count(distinct serial) from pass_goods"_s).toInt(), 2 + 2 * entries);
    EXPECT_EQ(stored(u"select max(serial) from pass_goods"_s).toInt(), 2 + 2 * entries);
    EXPECT_EQ(amountOf(1), 315 + 2 * entries + entries / 2);
    EXPECT_EQ(amountOf(2), 80 + entries / 2);
    EXPECT_EQ(stored(u"select sum(today_enter) from pass_goods"_s).toDouble(), 15 + 3 * entries);
    EXPECT_EQ(preparedOnServer(), preparedBefore);
}

INSTANTIATE_TEST_SUITE_P(Backends, GoodsEntryOnEachDatabase, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
