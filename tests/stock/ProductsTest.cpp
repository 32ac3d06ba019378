#include "FormTest.h"

#include "data/Database.h"
#include "data/DataSource.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "records/RecordToolbar.h"
#include "shell/MainFrame.h"
#include "widgets/DataGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Add, Delete, Modify, Cancel, Update };

// The values of one column over the rows a grid shows, in the grid's order.
QStringList column(DataGrid* grid, const QString& field)
{
    QStringList values;
    Recordset& rows = grid->dataSource()->recordset();
    for (int row = 0; row < rows.recordCount(); ++row)
        values << rows.valueAt(row, rows.fieldIndex(field)).toString();
    return values;
}

class ProductsTest : public FormTest {
protected:
    void addProduct(int code, const QString& name, double price = 10, double amount = 0)
    {
        db->exec(u"INSERT INTO products_data (code, names, price, amount) VALUES (?, ?, ?, ?)"_s,
                 {code, name, price, amount});
    }

    void openForm()
    {
        form = open(u"產品基本資料"_s);
        toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
    }
    QLineEdit* box(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    QString counter() { return child<QLabel>(form, u"計數"_s)->text(); }
    void click(int button) { clickTool(toolbar, button); }
    QString caption(int button) { return toolbar->button(button)->text(); }
    void clickButton(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    // Key by key, as a clerk types; keyClicks knows only Latin-1 keys.
    void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        for (QChar character : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
    void search(const QString& option, const QString& text)
    {
        child<QRadioButton>(form, option)->setChecked(true);
        child<QLineEdit>(form, u"Text2"_s)->setText(text);
        clickButton(u"搜尋"_s);
    }
    void pickGridRow(int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // The code on the grid's current line; empty where it has none.
    QString gridCode()
    {
        const QModelIndex current = grid->currentIndex();
        return current.isValid() ? grid->model()->index(current.row(), 0).data().toString() : QString();
    }
    // The last message box as "text|flags|title".
    QString lastBox()
    {
        const ScriptedMessageService::Box box = messages.last();
        return u"%1|%2|%3"_s.arg(box.text).arg(box.flags).arg(box.title);
    }
    // The rows of a query, columns joined by "|" and rows by ";".
    QString rows(const QString& sql)
    {
        QStringList found;
        for (QSqlQuery query = db->exec(sql); query.next();) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            found << values.join(u'|');
        }
        return found.join(u';');
    }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
    DataGrid* grid = nullptr;
};

TEST_F(ProductsTest, FirstProductIsOneWithItsCommissionRowAndACancelledAddWritesNothing)
{
    openForm();
    EXPECT_EQ(form->windowTitle(), u"products data"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option2"_s)->isChecked());
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
    click(First);
    EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);

    click(Add);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_TRUE(box(0)->isReadOnly());
    EXPECT_EQ(box(6)->text(), u"2026/12/8"_s);
    EXPECT_EQ(form->focusWidget(), box(1));
    EXPECT_TRUE(child<QLineEdit>(form, u"Text2"_s)->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(form, u"搜尋"_s)->isEnabled());
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form, u"單價排序"_s)->isEnabled());
    type(box(1), u"鮮乳一千毫升"_s);
    type(box(3), u"85"_s);
    click(Add);

    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(counter(), u"1"_s);
    EXPECT_EQ(rows(u"SELECT code, names, price, input_date FROM products_data"_s), u"1|鮮乳一千毫升|85|2026-12-08"_s);
    EXPECT_EQ(rows(u"SELECT code, names FROM complete"_s), u"1|鮮乳一千毫升"_s);
    EXPECT_EQ(gridCode(), u"1"_s);
    EXPECT_TRUE(grid->isEnabled());

    click(Add);
    type(box(1), u"豆漿"_s);
    click(Cancel);
    EXPECT_EQ(rows(u"SELECT count(*) FROM products_data UNION ALL SELECT count(*) FROM complete"_s), u"1;1"_s);
    EXPECT_EQ(box(1)->text(), u"鮮乳一千毫升"_s);
    EXPECT_EQ(caption(Add), u"add"_s);

    clickButton(u"離開"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(app->forms.instance(u"產品基本資料"_s), nullptr);
    openForm();
    EXPECT_EQ(counter(), u"1"_s);
}

// The server variant of the product and its commission row: both are written, or neither.
class ProductsOnEachDatabase : public ProductsTest, public ::testing::WithParamInterface<Backend> {
protected:
    ProductsOnEachDatabase() { backend = GetParam(); }

    void refuseCommissionRows()
    {
        if (backend == Backend::SQLite) {
            db->exec(u"CREATE TRIGGER refuse_rates BEFORE INSERT ON complete BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
            return;
        }
        db->exec(u"CREATE FUNCTION refuse_rates() RETURNS trigger LANGUAGE plpgsql AS "
                 "$$ BEGIN RAISE EXCEPTION 'refused'; END $$"_s);
        db->exec(u"CREATE TRIGGER refuse_rates BEFORE INSERT ON complete FOR EACH ROW EXECUTE FUNCTION refuse_rates()"_s);
    }
    void acceptCommissionRows()
    {
        db->exec(backend == Backend::SQLite ? u"DROP TRIGGER refuse_rates"_s : u"DROP TRIGGER refuse_rates ON complete"_s);
    }
};

TEST_P(ProductsOnEachDatabase, ARefusedCommissionRowTakesTheProductBackOutAndTheRetrySavesBoth)
{
    addProduct(1, u"鮮乳"_s);
    refuseCommissionRows();
    openForm();
    click(Add);
    type(box(1), u"豆漿"_s);
    click(Add);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);
    EXPECT_EQ(caption(Add), u"sure_add"_s);
    EXPECT_EQ(rows(u"SELECT code FROM products_data UNION ALL SELECT count(*) FROM complete"_s), u"1;0"_s);
    EXPECT_EQ(counter(), u"0"_s);

    acceptCommissionRows();
    click(Add);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(rows(u"SELECT code, names FROM products_data WHERE code = 2"_s), u"2|豆漿"_s);
    EXPECT_EQ(rows(u"SELECT code, names FROM complete"_s), u"2|豆漿"_s);
    EXPECT_EQ(counter(), u"1"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProductsOnEachDatabase, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

// Today is 2026/12/8. Ash takes 2 milk a day (type M), Birch 1 milk and 1 tea (type Mix); the login
// wrote 12/8 to 12/10, and 12/7 is what happened. The round gave Birch an extra tea on 12/9.
class ProductsInTheWrittenDays : public ProductsOnEachDatabase {
protected:
    void SetUp() override
    {
        ProductsOnEachDatabase::SetUp();
        if (IsSkipped())
            return;
        addProduct(1, u"milk"_s, 36.5);
        addProduct(2, u"tea"_s, 20);
        db->exec(u"INSERT INTO complete (code, names, o_c) VALUES (1, 'milk', 1.5), (2, 'tea', 1)"_s);
        for (QDate day(2026, 12, 1); day.month() == 12; day = day.addDays(1))
            db->exec(u"INSERT INTO subscribe_type (subscribe_type, date_d) VALUES ('daily', ?)"_s, {day});
        db->exec(u"INSERT INTO send_type (serial, send_type, names) VALUES (1, 'M', 'milk'), (2, 'Mix', 'milk'),"
                 " (3, 'Mix', 'tea')"_s);
        for (const auto& [code, amount, type] : {std::tuple(1, 2, u"M"_s), std::tuple(2, 1, u"Mix"_s)}) {
            db->exec(u"INSERT INTO customer_data (c_code, name, milk_area) VALUES (?, ?, 1)"_s,
                     {code, code == 1 ? u"Ash"_s : u"Birch"_s});
            db->exec(u"INSERT INTO order_data (c_code, start_date, amount, subscribe_type, send_type)"
                     " VALUES (?, '2026-12-01', ?, 'daily', ?)"_s,
                     {code, amount, type});
        }
        DayRows::writeComingDays(*db, clock.today());
        db->exec(u"UPDATE order_date SET add_num = 1, expense = 40 WHERE c_code = 2 AND names = 'tea' AND date_d = '2026-12-09'"_s);
        db->exec(u"INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, milk_area) VALUES"
                 " (1, '2026-12-07', 'milk', 2, 73, 1), (2, '2026-12-07', 'tea', 1, 20, 1)"_s);
    }

    // Rows as one text, so that a failure shows them.
    static std::string joined(const QStringList& rows) { return rows.join(u"; "_s).toStdString(); }
    // Every delivery row as "customer day product bottles money", by customer, day and product.
    std::string days()
    {
        QStringList found;
        for (QSqlQuery query = db->exec(u"SELECT c_code, date_d, names, subscribe_num + add_num, expense FROM order_date"
                                        " ORDER BY c_code, date_d, names"_s);
             query.next();)
            found << u"%1 %2 %3 %4 %5"_s.arg(query.value(0).toString(),
                                             TextRules::storedDate(query.value(1)).toString(u"M/d"_s),
                                             query.value(2).toString(), query.value(3).toString(),
                                             query.value(4).toString());
        return joined(found);
    }
    // The rows from today on that no product names or that bill nothing though they deliver.
    int unpricedRows()
    {
        return db->scalar(u"SELECT count(*) FROM order_date WHERE date_d >= ? AND (expense = 0 AND subscribe_num + add_num > 0"
                          " OR names NOT IN (SELECT names FROM products_data))"_s,
                          {clock.today()})
            .toInt();
    }
    void rename(const QString& name, const QString& price)
    {
        click(Modify);
        type(box(1), name);
        type(box(3), price);
        click(Modify);
    }
};

// Renamed and repriced, milk is fresh milk at 40 in both types and on every day from today on; 12/7
// keeps milk at 73. The next logins (today and tomorrow) price every row they write or keep.
TEST_P(ProductsInTheWrittenDays, ARenamedProductTakesItsTypesAndDaysFromTodayOnWithItsNewPrice)
{
    openForm();
    rename(u"fresh milk"_s, u"40"_s);
    ASSERT_EQ(messages.count(), 0);
    const std::string renamed = joined({
        u"1 12/7 milk 2 73"_s,        u"1 12/8 fresh milk 2 80"_s, u"1 12/9 fresh milk 2 80"_s,
        u"1 12/10 fresh milk 2 80"_s, u"2 12/7 tea 1 20"_s,        u"2 12/8 fresh milk 1 40"_s,
        u"2 12/8 tea 1 20"_s,         u"2 12/9 fresh milk 1 40"_s, u"2 12/9 tea 2 40"_s,
        u"2 12/10 fresh milk 1 40"_s, u"2 12/10 tea 1 20"_s,
    });
    EXPECT_EQ(days(), renamed);
    EXPECT_EQ(rows(u"SELECT send_type, names FROM send_type ORDER BY serial"_s), u"M|fresh milk;Mix|fresh milk;Mix|tea"_s);
    // The rates go on under the new name; the old name keeps its row for the days that carry it.
    EXPECT_EQ(rows(u"SELECT code, names, o_c FROM complete ORDER BY id"_s), u"1|milk|1.5;2|tea|1;1|fresh milk|1.5"_s);

    DayRows::writeComingDays(*db, clock.today());
    EXPECT_EQ(days(), renamed);
    DayRows::writeComingDays(*db, clock.today().addDays(1));
    EXPECT_EQ(days(), joined({
                          u"1 12/7 milk 2 73"_s,        u"1 12/8 fresh milk 2 80"_s,  u"1 12/9 fresh milk 2 80"_s,
                          u"1 12/10 fresh milk 2 80"_s, u"1 12/11 fresh milk 2 80"_s, u"2 12/7 tea 1 20"_s,
                          u"2 12/8 fresh milk 1 40"_s,  u"2 12/8 tea 1 20"_s,         u"2 12/9 fresh milk 1 40"_s,
                          u"2 12/9 tea 2 40"_s,         u"2 12/10 fresh milk 1 40"_s, u"2 12/10 tea 1 20"_s,
                          u"2 12/11 fresh milk 1 40"_s, u"2 12/11 tea 1 20"_s,
                      }));
    EXPECT_EQ(unpricedRows(), 0);
}

// A name another product has is refused, and a product a delivery type sends cannot go: the box says
// why, and nothing changes. Out of its type, tea goes with its rows from today on, the extra one of
// 12/9 too; 12/7 stays.
TEST_P(ProductsInTheWrittenDays, ARenameOntoAnotherProductOrADeleteWhileATypeSendsItIsRefused)
{
    const std::string before = days();
    openForm();
    rename(u"tea"_s, u"36.5"_s);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);
    EXPECT_EQ(messages.last().detail, u"Another product is already named tea."_s);
    click(Cancel);
    EXPECT_EQ(rows(u"SELECT names FROM products_data ORDER BY code"_s), u"milk;tea"_s);

    click(Last);
    messages.answer(MessageService::Yes);
    click(Delete);
    ASSERT_EQ(messages.count(), 3);
    EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);
    EXPECT_EQ(messages.last().detail, u"The delivery types still delivering tea: Mix. Take it out of them first."_s);
    EXPECT_EQ(rows(u"SELECT names FROM products_data ORDER BY code"_s), u"milk;tea"_s);
    EXPECT_EQ(days(), before);

    db->exec(u"DELETE FROM send_type WHERE names = 'tea'"_s);
    DayRows::followDeliveryType(*db, u"Mix"_s, {}, {u"tea"_s}, clock.today());
    messages.answer(MessageService::Yes);
    click(Delete);
    EXPECT_EQ(messages.count(), 4) << "the question only";
    EXPECT_EQ(rows(u"SELECT names FROM products_data"_s), u"milk"_s);
    const std::string withoutTea = joined({
        u"1 12/7 milk 2 73"_s,  u"1 12/8 milk 2 73"_s,  u"1 12/9 milk 2 73"_s, u"1 12/10 milk 2 73"_s,
        u"2 12/7 tea 1 20"_s,   u"2 12/8 milk 1 36.5"_s, u"2 12/9 milk 1 36.5"_s, u"2 12/10 milk 1 36.5"_s,
    });
    EXPECT_EQ(days(), withoutTea);
    DayRows::writeComingDays(*db, clock.today());
    EXPECT_EQ(days(), withoutTea);
    EXPECT_EQ(unpricedRows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProductsInTheWrittenDays, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

// Movements and rates outlive a deleted product: its code is never given again, and its name keeps its
// one row of rates.
TEST_F(ProductsTest, CodesPassOverOtherTablesAndADeletedNameKeepsItsOneCommissionRow)
{
    addProduct(1, u"鮮乳"_s);
    addProduct(2, u"豆漿"_s);
    addProduct(3, u"果汁"_s);
    db->exec(u"INSERT INTO complete (code, names, o_c) VALUES (3, '果汁', 1.5)"_s);
    db->exec(u"INSERT INTO pass_goods (serial, code) VALUES (1, 7)"_s);
    openForm();
    click(Add);
    EXPECT_EQ(box(0)->text(), u"8"_s);
    click(Cancel);

    click(Last);
    messages.answer(MessageService::No);
    click(Delete);
    EXPECT_EQ(lastBox(), u"delete the data???|4|del"_s);
    EXPECT_EQ(rows(u"SELECT code FROM products_data ORDER BY code"_s), u"1;2;3"_s);
    messages.answer(MessageService::Yes);
    click(Delete);
    EXPECT_EQ(rows(u"SELECT code FROM products_data ORDER BY code"_s), u"1;2"_s);
    EXPECT_EQ(box(1)->text(), u"豆漿"_s);
    EXPECT_EQ(counter(), u"-1"_s);
    EXPECT_EQ(column(grid, u"code"_s), (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(gridCode(), u"2"_s);

    click(Add);
    EXPECT_EQ(box(0)->text(), u"8"_s);
    type(box(1), u"果汁"_s);
    click(Add);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(rows(u"SELECT code FROM products_data WHERE names = '果汁'"_s), u"8"_s);
    EXPECT_EQ(rows(u"SELECT code, o_c FROM complete WHERE names = '果汁'"_s), u"3|1.5"_s);
    EXPECT_EQ(counter(), u"0"_s);
}

// Each number box refuses what its column cannot hold, with the form's message and a detail line naming
// the range, and writes nothing; what it can hold is saved as typed.
TEST_F(ProductsTest, NumberBoxesRefuseWhatTheirColumnsCannotHold)
{
    addProduct(1, u"鮮乳"_s, 10, 5);
    openForm();
    const QString figures = u"from -99999999999.9999 to 99999999999.9999."_s;
    const QString wholes = u"from -922337203685477 to 922337203685477."_s;
    const QString counts = u"must be a whole number from 0 to 922337203685477."_s;
    const QString fraction = u"2.5"_s, e15 = u"1000000000000000"_s, e20 = u"100000000000000000000"_s,
                  e400 = u"1e400"_s, negative = u"-3"_s;
    struct Case {
        int box;
        QString column, typed, detail; // no detail: saved
    };
    const QList<Case> cases = {
        {0, u"code"_s, fraction, u"code must be a whole number from -2147483648 to 2147483647."_s},
        {0, u"code"_s, e15, u"code must be a whole number from -2147483648 to 2147483647."_s},
        {3, u"price"_s, fraction, {}},
        {3, u"price"_s, negative, {}},
        {4, u"amount"_s, negative, {}},
        {4, u"amount"_s, fraction, u"amount must be a whole number "_s + wholes},
        {5, u"store"_s, fraction, u"store "_s + counts},
        {5, u"store"_s, negative, u"store "_s + counts},
        {7, u"much"_s, fraction, u"much "_s + counts},
        {7, u"much"_s, negative, u"much "_s + counts},
    };
    QList<Case> beyond;
    for (const auto& [index, column] : QList<std::pair<int, QString>>{
             {3, u"price"_s}, {9, u"preferen"_s}, {4, u"amount"_s}, {5, u"store"_s}, {7, u"much"_s}}) {
        const QString detail = index == 4 ? u"amount must be a whole number "_s + wholes
            : index == 5 || index == 7    ? column + u' ' + counts
                                          : column + u" must be a number "_s + figures;
        for (const QString& typed : {e15, e20, e400})
            beyond.push_back({index, column, typed, detail});
    }
    for (const Case& c : cases + beyond) {
        SCOPED_TRACE((c.column + u' ' + c.typed).toStdString());
        const QString before = rows(u"SELECT %1 FROM products_data"_s.arg(c.column));
        click(Modify);
        type(box(c.box), c.typed);
        click(Modify);
        if (c.detail.isEmpty()) {
            EXPECT_EQ(messages.count(), 0);
            EXPECT_EQ(rows(u"SELECT %1 FROM products_data"_s.arg(c.column)).toDouble(), c.typed.toDouble());
            continue;
        }
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);
        EXPECT_EQ(messages.last().detail, c.detail);
        EXPECT_EQ(rows(u"SELECT %1 FROM products_data"_s.arg(c.column)), before);
        click(Cancel);
        messages.clear();
    }
}

TEST_F(ProductsTest, ModifyOpensTheCodeAndLeavesTheGridAndTheOldNamesCommissionRowAsTheyWere)
{
    addProduct(1, u"鮮乳"_s);
    addProduct(2, u"豆漿"_s);
    db->exec(u"INSERT INTO complete (code, names) VALUES (1, '鮮乳')"_s);
    openForm();
    click(Modify);
    EXPECT_FALSE(box(0)->isReadOnly());
    EXPECT_FALSE(child<QLineEdit>(form, u"Text2"_s)->isReadOnly());
    EXPECT_FALSE(grid->isEnabled());

    type(box(0), u"2"_s);
    click(Modify);
    EXPECT_EQ(lastBox(), u"input Err.!!!|16|Err."_s);
    EXPECT_EQ(caption(Modify), u"sure_modify"_s);
    type(box(0), u"20"_s);
    type(box(3), u"12x"_s);
    click(Modify);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(caption(Modify), u"sure_modify"_s);
    EXPECT_EQ(rows(u"SELECT code FROM products_data ORDER BY code"_s), u"1;2"_s);

    type(box(3), u"12"_s);
    type(box(1), u"鮮乳二代"_s);
    click(Modify);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(caption(Modify), u"modify"_s);
    EXPECT_EQ(rows(u"SELECT code, names, price FROM products_data ORDER BY code"_s), u"2|豆漿|10;20|鮮乳二代|12"_s);
    EXPECT_EQ(rows(u"SELECT code, names FROM complete ORDER BY id"_s), u"1|鮮乳;20|鮮乳二代"_s)
        << "the new name has the rates of the old";
    EXPECT_EQ(column(grid, u"names"_s), (QStringList{u"鮮乳"_s, u"豆漿"_s}));

    // The grid still has the product under its old code: the record has none such.
    click(First);
    EXPECT_EQ(gridCode(), QString());
    pickGridRow(0);
    EXPECT_EQ(lastBox(), u"no'1'data!!|0|search"_s);
    EXPECT_EQ(box(0)->text(), u"20"_s);

    click(Update);
    EXPECT_EQ(column(grid, u"code"_s), (QStringList{u"2"_s, u"20"_s}));
    EXPECT_EQ(gridCode(), u"2"_s);
    pickGridRow(1);
    EXPECT_EQ(box(1)->text(), u"鮮乳二代"_s);
    EXPECT_EQ(messages.count(), 3);
}

TEST_F(ProductsTest, SearchMovesRecordAndGridTogetherAndSortsOrderOnlyTheGrid)
{
    addProduct(1, u"鮮乳"_s, 50, 8);
    addProduct(2, u"O'Hara"_s, 30, 9);
    addProduct(3, u"果汁"_s, 40, 7);
    openForm();

    search(u"Option2"_s, u"果汁  "_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
    EXPECT_EQ(gridCode(), u"3"_s);
    search(u"Option2"_s, u"O'Hara"_s);
    EXPECT_EQ(box(0)->text(), u"2"_s);
    EXPECT_EQ(messages.count(), 0);

    search(u"Option1"_s, u"12abc"_s);
    EXPECT_EQ(lastBox(), u"no'12'data!!|0|search"_s);
    search(u"Option1"_s, u"abc"_s);
    EXPECT_EQ(lastBox(), u"no'0'data!!|0|search"_s);
    search(u"Option2"_s, u"果"_s);
    EXPECT_EQ(lastBox(), u"no'果'data!!|0|search"_s);
    EXPECT_EQ(box(0)->text(), u"2"_s);
    EXPECT_EQ(gridCode(), u"2"_s);
    search(u"Option1"_s, QString());
    EXPECT_EQ(messages.count(), 3);

    clickButton(u"單價排序"_s);
    EXPECT_EQ(column(grid, u"code"_s), (QStringList{u"2"_s, u"3"_s, u"1"_s}));
    click(Next);
    EXPECT_EQ(box(0)->text(), u"3"_s) << "the record keeps the table's order";
    EXPECT_EQ(gridCode(), u"3"_s);
    clickButton(u"數量排序"_s);
    EXPECT_EQ(column(grid, u"code"_s), (QStringList{u"3"_s, u"1"_s, u"2"_s}));
    clickButton(u"名稱排序"_s);
    EXPECT_EQ(column(grid, u"names"_s), (QStringList{u"O'Hara"_s, u"果汁"_s, u"鮮乳"_s}));
    pickGridRow(2);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    click(Update);
    EXPECT_EQ(column(grid, u"code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(messages.count(), 3);
}

// 產品全灠 reads the table once: hidden by its exit and shown again from the VIEW menu it keeps its
// rows and their order; closed, it reads them afresh.
TEST_F(ProductsTest, FullListHidesOnExitAndReadsAgainOnlyAfterItsClose)
{
    addProduct(1, u"鮮乳"_s, 50);
    addProduct(2, u"豆漿"_s, 30);
    QWidget* list = open(u"產品全灠"_s);
    auto* frame = qobject_cast<MainFrame*>(app->forms.instance(u"MDIForm1"_s));
    ASSERT_NE(frame, nullptr);
    QAction* viewItem = frame->findChild<QAction*>(u"產品全灠"_s);
    ASSERT_TRUE(viewItem->isEnabled());
    auto* listGrid = child<DataGrid>(list, u"DataGrid1"_s);
    EXPECT_EQ(list->windowTitle(), u"products overview"_s);

    QTest::mouseClick(child<QPushButton>(list, u"單價排序"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(list, u"列印"_s), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(list, u"離開"_s), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
    addProduct(3, u"果汁"_s, 10);

    viewItem->trigger();
    EXPECT_EQ(app->forms.instance(u"產品全灠"_s), list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(column(listGrid, u"code"_s), (QStringList{u"2"_s, u"1"_s}));

    qobject_cast<QMdiSubWindow*>(list->parentWidget())->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(app->forms.instance(u"產品全灠"_s), nullptr);
    viewItem->trigger();
    list = app->forms.instance(u"產品全灠"_s);
    EXPECT_EQ(column(child<DataGrid>(list, u"DataGrid1"_s), u"code"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s}));

    QWidget* brief = open(u"產品一灠"_s);
    EXPECT_TRUE(brief->isWindow());
    EXPECT_EQ(brief->windowTitle(), u"products overview"_s);
    EXPECT_EQ(column(child<DataGrid>(brief, u"DataGrid1"_s), u"names"_s), (QStringList{u"鮮乳"_s, u"豆漿"_s, u"果汁"_s}));
    EXPECT_EQ(messages.count(), 0);
}

} // namespace
