#include "FormTest.h"

#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "records/RecordToolbar.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

class ContactLogTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        addContact(1, 5, u"2026-12-01"_s, u"milk late"_s, u"Amy"_s);
        addContact(2, 3, u"2026-11-20"_s, u"bill"_s, u"Ben"_s);
        addContact(3, 5, u"2026-12-05"_s, u"holiday stop"_s, u"Amy"_s);
        addContact(4, 7, u"2026-12-31"_s, u"new year"_s, u"Cal"_s);
        addContact(5, 3, u"2027-01-01"_s, u"renewal"_s, u"Ben"_s);
    }

    void addContact(int serial, int customer, const QString& date, const QString& item, const QString& man)
    {
        db->exec(u"insert into business_stay (serial, c_code, input_date, contact_item, contact_man) "
                 "values (?, ?, ?, ?, ?)"_s,
                 {serial, customer, QDate::fromString(date, Qt::ISODate), item, man});
    }

    QWidget* openLog(int selectedCustomer)
    {
        app->values.selected_c_code = selectedCustomer;
        form = open(u"輸入聯絡事項"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
        return form;
    }

    QLineEdit* field(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    QToolButton* toolButton(int index) { return child<QToolButton>(form, u"Button%1"_s.arg(index)); }
    void clickTool(int index) { QTest::mouseClick(toolButton(index), Qt::LeftButton); }
    void click(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    Recordset& gridRows() { return grid->dataSource()->recordset(); }
    int gridSerial() { return gridRows().value(u"serial"_s).toInt(); }

    QList<int> gridCustomers()
    {
        QList<int> codes;
        for (int row = 0; row < gridRows().recordCount(); ++row)
            codes << gridRows().valueAt(row, gridRows().fieldIndex(u"c_code"_s)).toInt();
        return codes;
    }

    QVariant stored(const QString& column, int serial)
    {
        return db->scalar(u"select %1 from business_stay where serial = ?"_s.arg(column), {serial});
    }

    QWidget* form = nullptr;
    DataGrid* grid = nullptr;
};

TEST_F(ContactLogTest, OpensOnTheLastContactOfTheHandedCustomerWithThisMonthInTheGrid)
{
    openLog(5);
    EXPECT_EQ(form->windowTitle(), u"contact business"_s);
    EXPECT_EQ(field(0)->text(), u"3"_s);
    EXPECT_EQ(field(1)->text(), u"5"_s);
    EXPECT_EQ(field(2)->text(), u"2026/12/5"_s);
    EXPECT_EQ(field(3)->text(), u"holiday stop"_s);
    EXPECT_EQ(child<DataCombo>(form, u"DataCombo1"_s)->text(), u"Amy"_s);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(field(i)->isReadOnly());
    EXPECT_FALSE(toolButton(8)->isEnabled());
    QAction* first = child<RecordToolbar>(form, u"Toolbar1"_s)->button(1);
    EXPECT_EQ(first->text(), u"first "_s);
    EXPECT_EQ(first->toolTip(), u"移至第一筆"_s);
    EXPECT_TRUE(child<QPushButton>(form, u"再搜尋"_s)->isEnabled());
    EXPECT_EQ(app->values.work_date, QDate(2026, 12, 8));

    EXPECT_TRUE(child<QRadioButton>(form, u"Option2"_s)->isChecked());
    EXPECT_EQ(gridCustomers(), (QList<int>{5, 5, 7}));
    child<QRadioButton>(form, u"Option1"_s)->click();
    EXPECT_EQ(gridCustomers(), (QList<int>{3, 3, 5, 5, 7}));
    child<QRadioButton>(form, u"Option2"_s)->click();
    EXPECT_EQ(gridCustomers(), (QList<int>{5, 5, 7}));
}

TEST_F(ContactLogTest, CustomerWithoutContactsOpensOnTheLastContactOfAll)
{
    openLog(99);
    EXPECT_EQ(field(0)->text(), u"5"_s);
}

TEST_F(ContactLogTest, AddTakesTheCustomerHandedOverWhenItBegins)
{
    openLog(5);
    app->values.selected_c_code = 8; // the customer form handed over another customer meanwhile
    clickTool(5);
    EXPECT_EQ(toolButton(5)->text(), u"sure_add"_s);
    EXPECT_EQ(field(0)->text(), u"6"_s);
    EXPECT_EQ(field(1)->text(), u"8"_s);
    EXPECT_EQ(field(2)->text(), u"2026/12/8"_s);
    EXPECT_TRUE(field(0)->isReadOnly());
    EXPECT_FALSE(field(3)->isReadOnly());
    for (int index : {1, 2, 3, 4, 6, 7, 9})
        EXPECT_FALSE(toolButton(index)->isEnabled()) << index;
    EXPECT_TRUE(toolButton(8)->isEnabled());
    // Nothing may move the log off the new contact while it is pending.
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(form, u"Text2"_s)->isEnabled());
    EXPECT_FALSE(child<QPushButton>(form, u"搜尋"_s)->isEnabled());

    QTest::keyClicks(field(3), u"call back"_s);
    auto* person = child<DataCombo>(form, u"DataCombo1"_s);
    person->setText(u"Dee"_s);
    clickTool(5);

    EXPECT_EQ(toolButton(5)->text(), u"add"_s);
    EXPECT_EQ(stored(u"c_code"_s, 6).toInt(), 8);
    EXPECT_EQ(stored(u"input_date"_s, 6).toString(), u"2026-12-08"_s);
    EXPECT_EQ(stored(u"contact_item"_s, 6).toString(), u"call back"_s);
    EXPECT_EQ(stored(u"contact_man"_s, 6).toString(), u"Dee"_s);
    EXPECT_TRUE(field(3)->isReadOnly());
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_TRUE(toolButton(8)->isEnabled());

    // The grid shows the new contact only after "update".
    EXPECT_EQ(gridRows().recordCount(), 3);
    clickTool(9);
    EXPECT_EQ(gridRows().recordCount(), 4);
    EXPECT_EQ(field(0)->text(), u"1"_s);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ContactLogTest, EmptyLogNumbersTheFirstContactOneAndCancelWritesNothing)
{
    db->exec(u"delete from business_stay"_s);
    openLog(4);
    clickTool(5);
    EXPECT_EQ(field(0)->text(), u"1"_s);
    EXPECT_EQ(field(1)->text(), u"4"_s);
    clickTool(8);
    EXPECT_EQ(toolButton(5)->text(), u"add"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from business_stay"_s).toInt(), 0);
    EXPECT_TRUE(field(1)->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(form, u"Text2"_s)->isEnabled());
}

TEST_F(ContactLogTest, UnreadableDateKeepsTheAddPendingWithTheFormsMessage)
{
    openLog(5);
    clickTool(5);
    field(2)->setText(u"2026/2/30"_s);
    clickTool(5);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(toolButton(5)->text(), u"sure_add"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from business_stay"_s).toInt(), 5);

    field(2)->setText(u"2026/12/9"_s);
    clickTool(5);
    EXPECT_EQ(stored(u"input_date"_s, 6).toString(), u"2026-12-09"_s);
}

TEST_F(ContactLogTest, ModifySavesTheFieldsAndCopiesThePersonIntoContact)
{
    openLog(7);
    clickTool(7);
    EXPECT_EQ(toolButton(7)->text(), u"sure_modify"_s);
    field(3)->setText(u"moved to 2027"_s);
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"Eve"_s);
    clickTool(7);
    EXPECT_EQ(toolButton(7)->text(), u"modify"_s);
    EXPECT_EQ(stored(u"contact_item"_s, 4).toString(), u"moved to 2027"_s);
    EXPECT_EQ(stored(u"contact_man"_s, 4).toString(), u"Eve"_s);
    EXPECT_EQ(stored(u"contact"_s, 4).toString(), u"Eve"_s);
    EXPECT_EQ(stored(u"c_code"_s, 4).toInt(), 7);
}

// The person's combo is never locked: a person picked while idle is the shown contact's new person,
// written as the log moves on; cancel drops it instead.
TEST_F(ContactLogTest, PersonPickedWhileIdleIsWrittenWhenTheLogMovesOn)
{
    openLog(0);
    auto* person = child<DataCombo>(form, u"DataCombo1"_s);
    const int cal = person->findText(u"Cal"_s);
    ASSERT_GE(cal, 0);
    person->setCurrentIndex(cal);
    emit person->activated(cal); // as the clerk's pick in the list
    EXPECT_EQ(stored(u"contact_man"_s, 1).toString(), u"Amy"_s);

    clickTool(3);
    EXPECT_EQ(field(0)->text(), u"2"_s);
    EXPECT_EQ(stored(u"contact_man"_s, 1).toString(), u"Cal"_s);
    EXPECT_TRUE(stored(u"contact"_s, 1).isNull());

    person->lineEdit()->selectAll();
    QTest::keyClicks(person->lineEdit(), u"Dee"_s);
    clickTool(5);
    clickTool(8); // the person typed before the add was written as the add began; the cancel drops only the add
    EXPECT_EQ(stored(u"contact_man"_s, 2).toString(), u"Dee"_s);
    EXPECT_EQ(messages.count(), 0);

    person->lineEdit()->selectAll();
    QTest::keyClicks(person->lineEdit(), u"Eve"_s);
    clickTool(9); // update moves the log as well
    EXPECT_EQ(stored(u"contact_man"_s, 2).toString(), u"Eve"_s);
}

TEST_F(ContactLogTest, CodeSearchFindsFirstAndNextAndSaysSoOnAMiss)
{
    openLog(7);
    auto* code = child<QLineEdit>(form, u"Text2"_s);
    auto* again = child<QPushButton>(form, u"再搜尋"_s);
    child<QRadioButton>(form, u"Option1"_s)->click();
    gridRows().moveLast();

    QTest::keyClicks(code, u"5 "_s);
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(code->text(), u"5 "_s);
    EXPECT_EQ(gridRows().absolutePosition(), 2);
    click(u"再搜尋"_s);
    EXPECT_EQ(gridRows().absolutePosition(), 3);
    EXPECT_EQ(messages.count(), 0);

    click(u"再搜尋"_s);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"no '5 ' data!!"_s);
    EXPECT_EQ(messages.last().flags, 0);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(gridRows().absolutePosition(), 3);
    EXPECT_FALSE(again->isEnabled());

    // The entry fields stay on their own contact throughout.
    EXPECT_EQ(field(0)->text(), u"4"_s);

    // A code is a number: letters after the digits find nothing, where "c_code=5x" once failed.
    code->setText(u"5x"_s);
    click(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '5x' data!!"_s);
    EXPECT_EQ(gridRows().absolutePosition(), 3);
    code->setText(u"42"_s);
    click(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '42' data!!"_s);
    EXPECT_EQ(messages.count(), 3);

    code->clear();
    click(u"搜尋"_s);
    EXPECT_EQ(messages.count(), 3);
    code->setText(u"3"_s);
    click(u"搜尋"_s);
    EXPECT_EQ(gridRows().absolutePosition(), 0);
    EXPECT_TRUE(again->isEnabled());
}

TEST_F(ContactLogTest, GridClickShowsThatContactInTheFields)
{
    openLog(0);
    EXPECT_EQ(field(0)->text(), u"1"_s);
    const QModelIndex last = grid->model()->index(2, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(last).center());
    EXPECT_EQ(field(0)->text(), u"4"_s);
    EXPECT_EQ(field(3)->text(), u"new year"_s);
}

TEST_F(ContactLogTest, DeleteAsksUnderTheTitleDataAndRemovesOnlyOnYes)
{
    openLog(5);
    messages.answer(7);
    clickTool(6);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"delete the data???"_s);
    EXPECT_EQ(messages.last().flags, 4);
    EXPECT_EQ(messages.last().title, u"data"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from business_stay"_s).toInt(), 5);

    messages.answer(6);
    clickTool(6);
    EXPECT_EQ(db->scalar(u"select count(*) from business_stay where serial = 3"_s).toInt(), 0);
    EXPECT_EQ(db->scalar(u"select count(*) from business_stay"_s).toInt(), 4);
    EXPECT_EQ(field(0)->text(), u"2"_s);
}

// The log's statements run on the server database as on the embedded one.
class ContactLogOnEachDatabase : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    ContactLogOnEachDatabase() { backend = GetParam(); }
};

TEST_P(ContactLogOnEachDatabase, MonthViewAndAddWork)
{
    db->exec(u"insert into business_stay (serial, c_code, input_date, contact_item) values (?, ?, ?, ?), (?, ?, ?, ?)"_s,
             {1, 5, QDate(2026, 11, 30), u"old"_s, 2, 6, QDate(2026, 12, 1), u"new"_s});
    app->values.selected_c_code = 6;
    QWidget* form = OpenFormCommand(*app)(u"輸入聯絡事項"_s);
    ASSERT_NE(form, nullptr);
    Recordset& gridRows = form->findChild<DataGrid*>(u"DataGrid1"_s)->dataSource()->recordset();
    ASSERT_EQ(gridRows.recordCount(), 1);
    EXPECT_EQ(gridRows.value(u"serial"_s).toInt(), 2);

    auto* add = form->findChild<QToolButton*>(u"Button5"_s);
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::keyClicks(form->findChild<QLineEdit*>(u"text1(3)"_s), u"rang"_s);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(db->scalar(u"select contact_item from business_stay where serial = 3 and c_code = 6"_s).toString(),
              u"rang"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, ContactLogOnEachDatabase, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
