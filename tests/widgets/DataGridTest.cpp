#include "ScriptedMessageService.h"
#include "TestDatabase.h"
#include "widgets/DataGrid.h"
#include "widgets/DataSourceBar.h"
#include "data/DataSource.h"
#include "data/Recordset.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = openTestDatabase(Backend::SQLite);
        source = std::make_unique<DataSource>(*db);
        grid = std::make_unique<DataGrid>(&messages);
        grid->resize(700, 400);
    }

    void addCustomer(const QString& name, int area)
    {
        db->exec(u"INSERT INTO customer_data (name, tel, milk_area) VALUES (?, ?, ?)"_s, {name, u"02-555"_s, area});
    }

    void addCustomers(const QStringList& names)
    {
        for (const QString& name : names)
            addCustomer(name, 3);
    }

    void showCustomers()
    {
        source->setQuery(u"SELECT c_code, name, tel, milk_area FROM customer_data ORDER BY c_code"_s);
        source->refresh();
        grid->setDataSource(source.get());
        grid->show();
        grid->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
    }

    QStringList names()
    {
        QStringList found;
        QSqlQuery query = db->exec(u"SELECT name FROM customer_data ORDER BY c_code"_s);
        while (query.next())
            found << query.value(0).toString();
        return found;
    }

    // An editor of the grid has the focus.
    bool editing()
    {
        QWidget* focused = QApplication::focusWidget();
        return qobject_cast<QLineEdit*>(focused) && grid->isAncestorOf(focused);
    }

    QString cellText(int row, int column) { return grid->model()->index(row, column).data().toString(); }
    QRect cell(int row, int column) { return grid->visualRect(grid->model()->index(row, column)); }

    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell(row, column).center());
        QApplication::processEvents(); // a grid that refuses to leave a row goes back to it afterwards
    }

    // Clicks the cell and types over its text, as a clerk does with F2.
    QLineEdit* typeInto(int row, int column, const QString& text)
    {
        clickCell(row, column);
        QTest::keyClick(grid.get(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (!editor)
            return nullptr;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    }

    std::unique_ptr<Database> db;
    ScriptedMessageService messages;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<DataGrid> grid;
};

TEST_F(DataGridTest, ShowsEveryRowAndColumnButTheSurrogateKey)
{
    source->setTable(u"company_data"_s);
    source->refresh();
    grid->setDataSource(source.get());
    grid->setCaption(u"Company Setting"_s);

    QStringList headers;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        headers << grid->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_FALSE(headers.contains(u"id"_s));
    EXPECT_EQ(headers.size(), source->recordset().fieldCount() - 1);
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->caption(), u"Company Setting"_s);
}

TEST_F(DataGridTest, LockedGridRefusesEveryChange)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();

    clickCell(0, 1);
    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClicks(grid.get(), u"Chen"_s);
    EXPECT_FALSE(editing());
    QTest::keyClick(grid.get(), Qt::Key_Delete);
    clickCell(1, 1);

    EXPECT_EQ(grid->model()->rowCount(), 2) << "no add line while adding is not allowed";
    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s}));
    EXPECT_EQ(source->recordset().editMode(), Recordset::EditMode::None);
}

TEST_F(DataGridTest, ChangedCellIsWrittenWhenTheRowIsLeft)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();
    grid->setAllowUpdate(true);

    ASSERT_NE(typeInto(0, 1, u"Lin Mei"_s), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cellText(0, 1), u"Lin Mei"_s);
    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s})) << "the row is written when it is left, not per cell";

    clickCell(1, 2);
    EXPECT_EQ(names(), (QStringList{u"Lin Mei"_s, u"Wang"_s}));
    EXPECT_EQ(source->recordset().absolutePosition(), 1) << "the click moves the recordset";
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(DataGridTest, EmptyLastLineTakesANewRow)
{
    addCustomers({u"Lin"_s});
    showCustomers();
    grid->setAllowAddNew(true);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Vertical).toString(), u"*"_s);

    ASSERT_NE(typeInto(1, 1, u"Wang"_s), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid->model()->rowCount(), 3) << "a new add line follows the row being added";
    EXPECT_EQ(names(), QStringList{u"Lin"_s});

    clickCell(0, 1);
    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s}));
    EXPECT_EQ(db->scalar(u"SELECT tel FROM customer_data WHERE name = 'Wang'"_s).toString(), u"7"_s);
    EXPECT_FALSE(cellText(1, 0).isEmpty()) << "the grid shows the code the database gave";
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(DataGridTest, EnteringNothingOnTheLastLineAddsNothing)
{
    showCustomers();
    grid->setAllowAddNew(true);
    ASSERT_NE(typeInto(0, 1, QString()), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(source->recordset().editMode(), Recordset::EditMode::None);
}

TEST_F(DataGridTest, DeleteKeyDeletesTheSelectedRows)
{
    addCustomers({u"Lin"_s, u"Wang"_s, u"Chen"_s, u"Hsu"_s});
    showCustomers();
    grid->setAllowDelete(true);

    clickCell(0, 1);
    clickCell(2, 1, Qt::ControlModifier);
    QTest::keyClick(grid.get(), Qt::Key_Delete);

    EXPECT_EQ(names(), (QStringList{u"Wang"_s, u"Hsu"_s}));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cellText(1, 1), u"Hsu"_s);
}

TEST_F(DataGridTest, DeleteThatTheDatabaseRefusesDeletesNothing)
{
    addCustomers({u"Lin"_s, u"Wang"_s, u"Chen"_s});
    showCustomers();
    grid->setAllowDelete(true);
    // Another clerk changes the last row after it was read.
    db->exec(u"UPDATE customer_data SET name = 'Chen Hao' WHERE name = 'Chen'"_s);

    clickCell(0, 1);
    clickCell(2, 1, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Delete);

    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s, u"Chen Hao"_s}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
}

TEST_F(DataGridTest, LettersInANumberColumnAreRefusedAndTheRowStaysInEdit)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();
    grid->setAllowUpdate(true);

    QLineEdit* editor = typeInto(0, 3, u"north"_s);
    ASSERT_NE(editor, nullptr);
    clickCell(1, 1);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"'north' is not a number for milk area"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM customer_data WHERE name = 'Lin'"_s).toInt(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 0) << "the grid goes back to the row in edit";
    EXPECT_TRUE(editing());
    EXPECT_EQ(editor->text(), u"north"_s) << "the refused text is kept for correction";

    editor->selectAll();
    QTest::keyClicks(editor, u"12"_s);
    clickCell(1, 1);
    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM customer_data WHERE name = 'Lin'"_s).toInt(), 12);
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(DataGridTest, ACellRefusesWhatItsColumnCannotHoldAndSaysWhy)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();
    grid->setAllowUpdate(true);
    struct Case { int column; QString typed; QString message; QString detail; };
    const Case cases[] = {
        {3, u"2.5"_s, u"'2.5' is not a whole number for milk area"_s,
         u"milk area must be a whole number from -2147483648 to 2147483647."_s},
        {3, u"1e400"_s, u"'1e400' is out of range for milk area"_s,
         u"milk area must be a whole number from -2147483648 to 2147483647."_s},
        {1, u"Lin\tMei"_s, u"A control character is not text for name"_s,
         u"name takes no control characters (tab, line break, NUL ...)."_s},
    };
    for (const Case& c : cases) {
        QLineEdit* editor = typeInto(0, c.column, u"x"_s);
        ASSERT_NE(editor, nullptr) << c.typed.toStdString();
        editor->setText(c.typed); // as a paste the editor cannot stop would leave it
        clickCell(1, 1);
        ASSERT_GE(messages.count(), 1);
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().detail, c.detail);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::keyClick(grid.get(), Qt::Key_Escape);
        QApplication::processEvents();
    }
    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM customer_data WHERE name = 'Lin'"_s).toInt(), 3);
    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s}));
}

TEST_F(DataGridTest, GivenCodesAreNeverTypedOver)
{
    addCustomers({u"Lin"_s});
    showCustomers();
    grid->setAllowUpdate(true);

    EXPECT_EQ(typeInto(0, 0, u"5005"_s), nullptr) << "the customer code is given by the books";
    EXPECT_NE(typeInto(0, 1, u"Lin Mei"_s), nullptr) << "other columns stay editable";
}

TEST_F(DataGridTest, CorrectedTextIsWrittenWhenTheKeyboardLeavesTheRow)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();
    grid->setAllowUpdate(true);

    QLineEdit* editor = typeInto(0, 3, u"x7"_s);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);

    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the refused text stays in its editor";
    editor->selectAll();
    QTest::keyClicks(editor, u"7"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();

    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM customer_data WHERE name = 'Lin'"_s).toInt(), 7);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(source->recordset().absolutePosition(), 1);
}

TEST_F(DataGridTest, RowThatCannotBeWrittenStaysPendingUntilEscape)
{
    addCustomers({u"Lin"_s, u"Wang"_s});
    showCustomers();
    grid->setAllowUpdate(true);
    ASSERT_NE(typeInto(0, 1, u"Lin Mei"_s), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    db->exec(u"UPDATE customer_data SET tel = '03-111' WHERE name = 'Lin'"_s);

    clickCell(1, 1);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(source->recordset().editMode(), Recordset::EditMode::Editing);

    QTest::keyClick(grid.get(), Qt::Key_Escape);
    EXPECT_EQ(cellText(0, 1), u"Lin"_s);
    clickCell(1, 1);
    EXPECT_EQ(source->recordset().absolutePosition(), 1);
    EXPECT_EQ(names(), (QStringList{u"Lin"_s, u"Wang"_s}));
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(DataGridTest, FollowsRefreshesAndMovesOfItsSource)
{
    addCustomer(u"Lin"_s, 1);
    addCustomer(u"Wang"_s, 2);
    addCustomer(u"Chen"_s, 2);
    showCustomers();
    ASSERT_EQ(grid->model()->rowCount(), 3);

    AdodcQuery(*source, u"SELECT c_code, name FROM customer_data WHERE milk_area = ? ORDER BY c_code"_s, {2});
    EXPECT_EQ(grid->model()->columnCount(), 2);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(cellText(1, 1), u"Chen"_s);

    source->recordset().moveLast();
    EXPECT_EQ(grid->currentIndex().row(), 1);
    source->recordset().setSort(u"name ASC"_s);
    EXPECT_EQ(cellText(0, 1), u"Chen"_s);
    EXPECT_EQ(grid->currentIndex().row(), 0) << "the current row is followed through the sort";
}

TEST_F(DataGridTest, OnlyTheClerksMovesArePicks)
{
    addCustomers({u"Lin"_s, u"Wang"_s, u"Chen"_s});
    showCustomers();
    int picks = 0;
    QObject::connect(grid.get(), &DataGrid::rowPicked, [&picks] { ++picks; });

    source->recordset().moveLast();
    source->recordset().setSort(u"name ASC"_s);
    source->refresh();
    EXPECT_EQ(picks, 0);

    clickCell(1, 1);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(source->recordset().absolutePosition(), 1);
    clickCell(1, 2); // the same row
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(picks, 2);
    EXPECT_EQ(source->recordset().absolutePosition(), 2);
}

TEST_F(DataGridTest, NavigationBarMovesTheGridAndStopsAtTheEnds)
{
    addCustomers({u"Lin"_s, u"Wang"_s, u"Chen"_s});
    showCustomers();
    DataSourceBar bar(*source);
    bar.setMessageService(&messages);
    const auto click = [&bar](const char* name) {
        QTest::mouseClick(bar.findChild<QToolButton*>(QLatin1String(name)), Qt::LeftButton);
    };

    click("previous");
    EXPECT_EQ(source->recordset().absolutePosition(), 0);
    click("last");
    click("next");
    EXPECT_EQ(source->recordset().absolutePosition(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    click("first");
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(DataGridTest, ShowsManyRowsWithoutCopyingThem)
{
    Transaction transaction(*db);
    for (int i = 0; i < 6000; ++i)
        addCustomer(u"customer %1"_s.arg(i), i % 9);
    transaction.commit();
    showCustomers();
    EXPECT_EQ(grid->model()->rowCount(), 6000);
    source->recordset().moveLast();
    EXPECT_EQ(cellText(grid->currentIndex().row(), 1), u"customer 5999"_s);
}

} // namespace

namespace {

// A form closed while its grid holds the focus, with a changed row pending: the grid hears nothing of
// that focus leaving once its destructor has begun, so it neither writes the row nor shows a box.
TEST(DataGridDestroyed, WhileItHoldsTheFocusNoSlotOfItRuns)
{
    auto db = openTestDatabase(Backend::SQLite);
    db->exec(u"INSERT INTO customer_data (name, milk_area) VALUES ('Lin', 3)"_s);
    ScriptedMessageService messages;
    DataSource source(*db);
    source.setQuery(u"SELECT c_code, name FROM customer_data"_s);
    source.refresh();
    QWidget form;
    auto* other = new QLineEdit(&form);
    auto* grid = new DataGrid(&messages, &form);
    grid->setGeometry(0, 30, 400, 200);
    grid->setDataSource(&source);
    grid->setAllowUpdate(true);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    source.recordset().setValue(u"name"_s, u"Lin Mei"_s);
    grid->setFocus();
    ASSERT_TRUE(grid->hasFocus());
    delete grid;
    QApplication::processEvents();

    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(db->scalar(u"SELECT name FROM customer_data"_s).toString(), u"Lin"_s);
    other->setFocus();
}

} // namespace
