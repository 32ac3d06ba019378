#include "FormTest.h"

#include "widgets/DataCombo.h"
#include "records/RecordToolbar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Add, Delete, Modify, Cancel, Update, View };

class EmployeeFormTest : public FormTest {
protected:
    void addEmployee(int code, const QString& name, const QString& tel = {}, int cancel = 0)
    {
        db->exec(u"INSERT INTO employees_data (e_code, name, tel, cancel) VALUES (?, ?, ?, ?)"_s, {code, name, tel, cancel});
    }
    int count(const QString& table) { return db->scalar(u"SELECT count(*) FROM "_s + table).toInt(); }

    void openForm()
    {
        form = open(u"員工基本資料表"_s);
        toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    }
    QLineEdit* box(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    QString counter() { return child<QLabel>(form, u"計數"_s)->text(); }
    void click(int button) { clickTool(toolbar, button); }
    QString caption(int button) { return toolbar->button(button)->text(); }
    // Key by key, as a clerk types; keyClicks knows only Latin-1 keys.
    void type(QWidget* widget, const QString& text)
    {
        widget->setFocus();
        for (QChar character : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
    void search(const QString& option, const QString& text)
    {
        child<QRadioButton>(form, option)->setChecked(true);
        auto* searchBox = child<QLineEdit>(form, u"Text2"_s);
        searchBox->setText(text);
        QTest::mouseClick(child<QPushButton>(form, u"搜尋"_s), Qt::LeftButton);
    }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
};

TEST_F(EmployeeFormTest, AddNumbersFromTheWholeTableAndWritesTheEmployeeWithItsPayrollRows)
{
    addEmployee(3, u"李大同"_s);
    addEmployee(41, u"陳離職"_s, {}, 1); // hidden by "no show", yet its code counts
    openForm();
    EXPECT_EQ(box(1)->text(), u"李大同"_s);
    EXPECT_EQ(counter(), u"0"_s); // the counter counts this run's adds, not the table

    click(Add);
    EXPECT_EQ(caption(Add), u"sure_add"_s);
    EXPECT_EQ(box(0)->text(), u"42"_s);
    EXPECT_EQ(app->values.next_e_code, 42);
    EXPECT_EQ(box(9)->text(), u"2026/12/8"_s);
    EXPECT_EQ(box(11)->text(), u"2026/12/8"_s);
    EXPECT_EQ(form->focusWidget(), box(1));
    EXPECT_FALSE(child<QPushButton>(form, u"薪資設定"_s)->isEnabled());

    type(box(1), u"王小明"_s);
    type(box(4), u"0912345678"_s);
    type(box(10), u"007"_s);
    type(box(17), u"0012345"_s);
    type(child<DataCombo>(form, u"Combo1"_s)->lineEdit(), u"業務"_s);
    type(child<DataCombo>(form, u"DataCombo2"_s)->lineEdit(), u"3"_s);
    click(Add);

    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(counter(), u"1"_s);
    EXPECT_EQ(messages.count(), 0);
    QSqlQuery row = db->exec(u"SELECT name, cell_phone, dep_code, account, job_leave, milk_area, input_date, "
                             "reach_date, cancel FROM employees_data WHERE e_code = 42"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), u"王小明"_s);
    EXPECT_EQ(row.value(1).toString(), u"0912345678"_s);
    EXPECT_EQ(row.value(2).toString(), u"007"_s);
    EXPECT_EQ(row.value(3).toString(), u"0012345"_s);
    EXPECT_EQ(row.value(4).toString(), u"業務"_s);
    EXPECT_EQ(row.value(5).toInt(), 3);
    EXPECT_EQ(row.value(6).toString(), u"2026-12-08"_s);
    EXPECT_EQ(row.value(7).toString(), u"2026-12-08"_s);
    EXPECT_EQ(row.value(8).toInt(), 0);
    EXPECT_EQ(db->scalar(u"SELECT name FROM salary_data WHERE e_code = 42"_s).toString(), u"王小明"_s);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE e_code = 42"_s).toInt(), 1);
}

TEST_F(EmployeeFormTest, FirstEmployeeOfAnEmptyTableIsOneAndCounterOutlivesTheWindow)
{
    openForm();
    click(Add);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    type(box(1), u"王一"_s);
    click(Add);
    EXPECT_EQ(counter(), u"1"_s);

    QTest::mouseClick(child<QPushButton>(form, u"離開"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(app->forms.instance(u"員工基本資料表"_s), nullptr);
    openForm();
    EXPECT_EQ(counter(), u"1"_s);
}

TEST_F(EmployeeFormTest, CancelledAddWritesNoneOfTheThreeRows)
{
    addEmployee(5, u"李大同"_s);
    openForm();
    click(Add);
    type(box(1), u"王小明"_s);
    click(Cancel);

    EXPECT_EQ(count(u"employees_data"_s), 1);
    EXPECT_EQ(count(u"salary_data"_s), 0);
    EXPECT_EQ(count(u"salary_detailed"_s), 0);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(caption(Modify), u"modify"_s);
    EXPECT_EQ(box(1)->text(), u"李大同"_s);
    EXPECT_EQ(counter(), u"0"_s);
    EXPECT_TRUE(toolbar->button(Cancel)->isEnabled());
}

// The employee and its payroll rows go in together: a refused payroll row takes the employee back out.
TEST_F(EmployeeFormTest, FailedAddSaveWritesNothingAndCanBeRetried)
{
    addEmployee(1, u"李大同"_s);
    db->exec(u"CREATE TRIGGER refuse_pay_rows BEFORE INSERT ON salary_detailed BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    openForm();
    click(Add);
    type(box(1), u"王小明"_s);
    messages.answer(1);
    click(Add);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(caption(Add), u"sure_add"_s);
    EXPECT_EQ(count(u"employees_data"_s), 1);
    EXPECT_EQ(count(u"salary_data"_s), 0);
    EXPECT_EQ(counter(), u"0"_s);

    db->exec(u"DROP TRIGGER refuse_pay_rows"_s);
    click(Add);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(db->scalar(u"SELECT name FROM employees_data WHERE e_code = 2"_s).toString(), u"王小明"_s);
    EXPECT_EQ(db->scalar(u"SELECT name FROM salary_data WHERE e_code = 2"_s).toString(), u"王小明"_s);
    EXPECT_EQ(count(u"salary_detailed"_s), 1);
    EXPECT_EQ(counter(), u"1"_s);
}

// The code cannot be read as the add begins (a payroll table is briefly away): the save takes it then.
TEST_F(EmployeeFormTest, ACodeNotReadWhenTheAddBeganIsTakenAtTheSave)
{
    addEmployee(4, u"李大同"_s);
    openForm();
    db->exec(u"ALTER TABLE salary_detailed RENAME TO salary_detailed_away"_s);
    click(Add);
    db->exec(u"ALTER TABLE salary_detailed_away RENAME TO salary_detailed"_s);
    type(box(1), u"王小明"_s);
    click(Add);

    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(db->scalar(u"SELECT e_code FROM employees_data WHERE name = '王小明'"_s).toInt(), 5);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE e_code = 5"_s).toInt(), 1);
    EXPECT_EQ(app->values.next_e_code, 5);
}

// The same save on the server database that several clerks share.
class EmployeeFormOnServer : public EmployeeFormTest {
protected:
    EmployeeFormOnServer() { backend = Backend::PostgreSQL; }
};

TEST_F(EmployeeFormOnServer, TheEmployeeAndItsPayrollRowsAreWrittenWholeOrNotAtAll)
{
    addEmployee(7, u"李大同"_s);
    openForm();
    click(Add);
    type(box(1), u"王小明"_s);
    db->exec(u"ALTER TABLE salary_detailed RENAME TO salary_detailed_away"_s);
    click(Add);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(caption(Add), u"sure_add"_s);
    EXPECT_EQ(count(u"employees_data"_s), 1);
    EXPECT_EQ(count(u"salary_data"_s), 0);

    db->exec(u"ALTER TABLE salary_detailed_away RENAME TO salary_detailed"_s);
    click(Add);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(db->scalar(u"SELECT name FROM salary_data WHERE e_code = 8"_s).toString(), u"王小明"_s);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE e_code = 8"_s).toInt(), 1);
}

// A deleted employee's payroll rows stay; the next employee must not take over that code and its pay rows.
TEST_F(EmployeeFormTest, NewEmployeeNeverTakesTheCodeOfDeletedOnesPayrollRows)
{
    addEmployee(1, u"李大同"_s);
    db->exec(u"INSERT INTO salary_data (e_code, name) VALUES (2, '舊人')"_s);
    db->exec(u"INSERT INTO salary_detailed (e_code) VALUES (2)"_s);
    openForm();
    click(Add);
    type(box(1), u"王小明"_s);
    click(Add);

    EXPECT_EQ(caption(Add), u"add"_s);
    EXPECT_EQ(db->scalar(u"SELECT e_code FROM employees_data WHERE name = '王小明'"_s).toInt(), 3);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE e_code = 3"_s).toInt(), 1);
    EXPECT_EQ(db->scalar(u"SELECT name FROM salary_data WHERE e_code = 2"_s).toString(), u"舊人"_s);
}

TEST_F(EmployeeFormTest, ModifyWritesAnEmptyAreaAsZero)
{
    addEmployee(1, u"李大同"_s);
    db->exec(u"UPDATE employees_data SET expense_area = 4, milk_area = 2"_s);
    openForm();
    click(Modify);
    child<DataCombo>(form, u"DataCombo1"_s)->lineEdit()->clear();
    click(Modify);

    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(caption(Modify), u"modify"_s);
    QSqlQuery row = db->exec(u"SELECT expense_area, milk_area FROM employees_data"_s);
    ASSERT_TRUE(row.next());
    EXPECT_FALSE(row.value(0).isNull());
    EXPECT_EQ(row.value(0).toInt(), 0);
    EXPECT_EQ(row.value(1).toInt(), 2);
}

TEST_F(EmployeeFormTest, AnAreaThatIsNoWholeNumberIsRefusedNotRounded)
{
    addEmployee(1, u"李大同"_s);
    db->exec(u"UPDATE employees_data SET expense_area = 4, milk_area = 2"_s);
    openForm();
    for (const QString& typed : {u"2.5"_s, u"2147483648"_s, u"1e400"_s}) {
        click(Modify);
        child<DataCombo>(form, u"DataCombo2"_s)->lineEdit()->setText(typed);
        click(Modify);
        ASSERT_GE(messages.count(), 1);
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().detail, u"milk_area must be a whole number from -2147483648 to 2147483647."_s);
        click(Cancel);
    }
    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM employees_data"_s).toInt(), 2);
}

TEST_F(EmployeeFormTest, DeleteAsksAndARefusedDeleteIsReported)
{
    addEmployee(1, u"李大同"_s);
    addEmployee(2, u"王小明"_s);
    addEmployee(3, u"陳小華"_s);
    db->exec(u"INSERT INTO salary_data (e_code, name) VALUES (3, '陳小華')"_s);
    openForm();
    click(Last);

    messages.answer(7);
    click(Delete);
    EXPECT_EQ(messages.last().text, u"Delete the data???"_s);
    EXPECT_EQ(messages.last().flags, 52);
    EXPECT_EQ(messages.last().title, u"del"_s);
    EXPECT_EQ(count(u"employees_data"_s), 3);

    messages.answer(6);
    click(Delete);
    EXPECT_EQ(count(u"employees_data"_s), 2);
    EXPECT_EQ(count(u"salary_data"_s), 1); // the payroll rows stay
    EXPECT_EQ(box(1)->text(), u"王小明"_s);
    EXPECT_EQ(counter(), u"-1"_s);

    // Another clerk renamed the employee meanwhile: the delete matches no row.
    db->exec(u"UPDATE employees_data SET name = '王大明' WHERE e_code = 2"_s);
    messages.answer(6);
    messages.answer(1);
    click(Delete);
    EXPECT_EQ(messages.last().text, u"Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(count(u"employees_data"_s), 2);
    EXPECT_EQ(box(0)->text(), u"2"_s);
    EXPECT_EQ(counter(), u"-1"_s);
}

TEST_F(EmployeeFormTest, TelSearchReadsTheBoxAsANumber)
{
    addEmployee(1, u"李大同"_s, u"5551234"_s);
    addEmployee(2, u"王小明"_s, u"5559876"_s);
    openForm();
    click(Next);

    search(u"Option1"_s, u"0912-345"_s);
    EXPECT_EQ(messages.last().text, u"no ' 912' data!!"_s);
    EXPECT_EQ(messages.last().flags, 0);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(box(0)->text(), u"2"_s); // back on the employee shown before
    EXPECT_EQ(form->focusWidget(), child<QLineEdit>(form, u"Text2"_s));

    search(u"Option1"_s, u"5551234 ext"_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_EQ(messages.count(), 1);

    search(u"Option1"_s, QString());
    EXPECT_EQ(messages.count(), 1);
}

// A telephone number with its country code is longer than any whole number of 32 bits, and the box
// may hold a fraction: the number is taken and named as it was read.
TEST_F(EmployeeFormTest, TelSearchTakesLongAndFractionalNumbersAsRead)
{
    addEmployee(1, u"李大同"_s, u"886912345678"_s);
    addEmployee(2, u"王小明"_s, u"5559876"_s);
    openForm();
    click(Last);

    search(u"Option1"_s, u"886912345678"_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_EQ(messages.count(), 0);

    click(Last);
    search(u"Option1"_s, u"886912345679"_s);
    EXPECT_EQ(messages.last().text, u"no ' 886912345679' data!!"_s);
    EXPECT_EQ(box(0)->text(), u"2"_s);

    search(u"Option1"_s, u"5559876.5"_s); // not the 5559876 of employee 2
    EXPECT_EQ(messages.last().text, u"no ' 5559876.5' data!!"_s);
    search(u"Option1"_s, u"-12"_s);
    EXPECT_EQ(messages.last().text, u"no '-12' data!!"_s);
    EXPECT_EQ(messages.count(), 3);
}

TEST_F(EmployeeFormTest, NameSearchMatchesTheWholeName)
{
    addEmployee(1, u"王小明明"_s);
    addEmployee(2, u"王小明"_s);
    addEmployee(3, u"Al'i"_s);
    openForm();

    search(u"Option2"_s, u"王小明  "_s);
    EXPECT_EQ(box(0)->text(), u"2"_s);
    search(u"Option2"_s, u"Al'i"_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
    EXPECT_EQ(messages.count(), 0);

    search(u"Option2"_s, u"王小"_s);
    EXPECT_EQ(messages.last().text, u"no'王小'data!!"_s);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
}

TEST_F(EmployeeFormTest, NoShowHidesCancelledEmployees)
{
    addEmployee(1, u"陳離職"_s, {}, 1);
    addEmployee(2, u"李大同"_s);
    openForm();
    auto* noShow = child<QCheckBox>(form, u"Check2"_s);
    EXPECT_TRUE(noShow->isChecked());
    EXPECT_EQ(box(0)->text(), u"2"_s);

    QTest::mouseClick(noShow, Qt::LeftButton);
    EXPECT_EQ(box(0)->text(), u"1"_s);

    click(View);
    EXPECT_NE(app->forms.instance(u"員工全灠"_s), nullptr);
}

} // namespace
