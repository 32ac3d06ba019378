#include "AprilPayroll.h"
#include "FormTest.h"

#include "payroll/MonthEndRun.h"
#include "payroll/PayrollForms.h"
#include "records/RecordToolbar.h"
#include "widgets/UpDown.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Modify, Cancel, Update, Balance, Overview };

class SettlementFormTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        clock.set(AprilPayroll::ReferenceDate);
        AprilPayroll::fill(*db);
    }

    QWidget* openForm(AppContext& context)
    {
        QWidget* opened = OpenFormCommand(context)(u"薪資結算表單"_s);
        EXPECT_NE(opened, nullptr);
        child<QDateEdit>(opened, u"DTPicker2"_s)->setDate(AprilPayroll::SettlementDate);
        return opened;
    }
    void openForm()
    {
        form = openForm(*app);
        toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(form, name); }
    QString text(const QString& name) { return box(name)->text(); }
    void click(int button) { clickTool(toolbar, button); }
    void clickButton(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    void type(QLineEdit* into, const QString& typed)
    {
        into->setFocus();
        into->selectAll();
        QTest::keyClicks(into, typed);
    }
    double stored(const QString& column, int code)
    {
        return db->scalar(u"SELECT %1 FROM salary_detailed WHERE e_code = ? AND balance = 0"_s.arg(column), {code})
            .toDouble();
    }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
};

TEST_F(SettlementFormTest, StepsThroughTheOpenRowsWithTheirCommissionsAndSettlesTheMonth)
{
    openForm();
    EXPECT_EQ(form->windowTitle(), u"salary balance"_s);
    EXPECT_EQ(text(u"text1(2)"_s), u"2002"_s);
    EXPECT_EQ(text(u"text1(3)"_s), u"4"_s);
    EXPECT_EQ(toolbar->button(First)->text(), u"first     "_s);
    EXPECT_EQ(toolbar->button(Overview)->toolTip(), u"全灠薪資資料"_s);
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
    EXPECT_FALSE(child<QProgressBar>(form, u"ProgressBar1"_s)->isVisible());

    const QStringList expected[] = {{u"1"_s, u"林一"_s, u"9"_s, u"7.5"_s, u"34349"_s},
                                    {u"2"_s, u"陳二"_s, u"2.1"_s, u"1.4"_s, u"30398.3"_s},
                                    {u"3"_s, u"張三"_s, u"0"_s, u"0"_s, u"25000"_s}};
    for (const QStringList& row : expected) {
        if (&row != &expected[0])
            click(Next);
        EXPECT_EQ(text(u"text1(0)"_s), row[0]);
        EXPECT_EQ(text(u"text1(1)"_s), row[1]);
        EXPECT_EQ(text(u"Text7"_s), row[2]);
        EXPECT_EQ(text(u"Text8"_s), row[3]);
        EXPECT_EQ(text(u"text1(4)"_s), row[4]) << "net pay before the bottles";
    }

    messages.answer(MessageService::Yes);
    click(Balance);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.shown()[0].text, u"按下Yes鈕將對** 2002 年** 4 月** 做結算!!"_s);
    EXPECT_EQ(messages.shown()[0].flags, 52);
    EXPECT_EQ(messages.shown()[0].title, u"本月結帳"_s);
    EXPECT_EQ(messages.last().text, u"結算完成"_s);
    EXPECT_EQ(messages.last().flags, 48);
    EXPECT_EQ(messages.last().title, u"完成"_s);
    EXPECT_FALSE(child<QProgressBar>(form, u"ProgressBar1"_s)->isVisible());
    EXPECT_EQ(text(u"Text9"_s), u"2002/5/3"_s);

    // The list keeps the rows just settled, as they now stand, until "update".
    EXPECT_EQ(text(u"text1(0)"_s), u"1"_s);
    EXPECT_EQ(text(u"Text13"_s), u"34366.5"_s);
    EXPECT_EQ(text(u"Text12"_s), u"2002/5/3"_s);
    EXPECT_TRUE(child<QCheckBox>(form, u"Check1"_s)->isChecked());
    click(Update);
    EXPECT_EQ(text(u"Text13"_s), u"0"_s);
    EXPECT_FALSE(child<QCheckBox>(form, u"Check1"_s)->isChecked());
}

// The year and the month to settle are stepped with Up and Down in their own boxes, and the month-end
// question names what they show. Tab goes through the form as it reads, every stop with a name a
// screen reader says; the spinners beside the boxes are the mouse's.
TEST_F(SettlementFormTest, TheYearAndMonthAreSteppedInTheirBoxesAndTabGoesAsTheFormReadsByName)
{
    form = openActive(u"薪資結算表單"_s);
    toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    const auto focused = [] { return QApplication::focusWidget(); };
    const auto press = [&](Qt::Key key, QLineEdit* in) {
        in->setFocus();
        QTest::keyClick(in, key);
        EXPECT_EQ(focused(), in);
    };
    press(Qt::Key_Down, box(u"text1(3)"_s));
    EXPECT_EQ(text(u"text1(3)"_s), u"3"_s);
    press(Qt::Key_Up, box(u"text1(3)"_s));
    press(Qt::Key_Up, box(u"text1(3)"_s));
    EXPECT_EQ(text(u"text1(3)"_s), u"5"_s);
    press(Qt::Key_Down, box(u"text1(2)"_s));
    EXPECT_EQ(text(u"text1(2)"_s), u"2001"_s);
    messages.answer(MessageService::No);
    click(Balance);
    EXPECT_EQ(messages.last().text, u"按下Yes鈕將對** 2001 年** 5 月** 做結算!!"_s);

    QStringList expected{u"text1(1)"_s, u"Text6"_s, u"text1(2)"_s, u"text1(3)"_s, u"text1(4)"_s, u"text1(5)"_s};
    for (const auto& [array, count] : {std::pair{u"Text2"_s, 14}, {u"Text3"_s, 6}, {u"Text4"_s, 6}})
        for (int index = 0; index < count; ++index)
            expected << u"%1(%2)"_s.arg(array).arg(index);
    expected << QStringList{u"Text7"_s, u"Text8"_s, u"DTPicker1"_s, u"DTPicker2"_s, u"Text9"_s, u"Text12"_s,
                            u"Text13"_s, u"Option1"_s /* the filter's one stop */, u"Text5"_s, u"搜尋"_s, u"離開"_s};
    for (int button : {First, Previous, Next, Last, Modify, Update, Balance, Overview}) // cancel and scratch2 are off
        expected << u"Button%1"_s.arg(button);
    expected << u"text1(0)"_s;

    // A date takes Tab from part to part before it lets the focus go: one stop here.
    box(u"text1(0)"_s)->setFocus();
    QStringList reached, unnamed;
    for (int presses = 0; presses < 100 && reached.size() < expected.size(); ++presses) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        if (!reached.isEmpty() && reached.last() == focused()->objectName())
            continue;
        reached << focused()->objectName();
        if (QAccessible::queryAccessibleInterface(focused())->text(QAccessible::Name).isEmpty())
            unnamed << focused()->objectName();
    }
    EXPECT_EQ(reached.join(u' ').toStdString(), expected.join(u' ').toStdString());
    EXPECT_EQ(unnamed.join(u' ').toStdString(), "");
}

TEST_F(SettlementFormTest, AnsweringNoOrSettlingAMonthAgainChangesNothing)
{
    openForm();
    // The arrows set the month to settle; the commissions shown stay those of April until a move.
    auto* monthArrows = child<UpDown>(form, u"UpDown2"_s);
    monthArrows->stepDown();
    EXPECT_EQ(text(u"text1(3)"_s), u"3"_s);
    EXPECT_EQ(text(u"Text7"_s), u"9"_s);
    click(First);
    EXPECT_EQ(text(u"Text7"_s), u"7.5"_s) << "101's five bottles of 3/31";
    monthArrows->stepUp();
    EXPECT_EQ(child<UpDown>(form, u"UpDown1"_s)->minimum(), 1479);
    messages.answer(MessageService::No);
    click(Balance);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 0);

    // A second clerk's form, open before the first one settles April.
    auto secondDb = openSecondConnection(*db);
    ScriptedMessageService secondMessages;
    AppContext second(*secondDb, secondMessages, clock);
    registerPayrollForms(second);
    QWidget* secondForm = openForm(second);

    messages.answer(MessageService::Yes);
    click(Balance);
    EXPECT_EQ(messages.last().text, u"結算完成"_s);

    secondMessages.answer(MessageService::Yes);
    auto* secondToolbar = child<RecordToolbar>(secondForm, u"Toolbar1"_s);
    QTest::mouseClick(secondToolbar->widgetForAction(secondToolbar->button(Balance)), Qt::LeftButton);
    EXPECT_EQ(secondMessages.last().text, u"** 2002 年** 4 月** 已結算過!!"_s);
    EXPECT_EQ(secondMessages.last().flags, 48);
    EXPECT_EQ(secondMessages.last().title, u"本月結帳"_s);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed"_s).toInt(), 5);
    delete secondForm;
}

// The month box is read as every box reads a whole number: a fraction names no month to settle, not the
// nearest one.
TEST_F(SettlementFormTest, AMonthWithAFractionIsNoMonthToSettle)
{
    openForm();
    for (const QString& noMonth : {u"4.6"_s, u"4.00004"_s}) {
        box(u"text1(3)"_s)->setText(noMonth);
        messages.answer(MessageService::Yes);
        click(Balance);
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s) << noMonth.toStdString();
        EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 0);
    }
}

TEST_F(SettlementFormTest, ARefusedRunWritesNothingAndCanBeRetried)
{
    db->exec(u"CREATE TRIGGER refuse_second BEFORE UPDATE ON salary_detailed WHEN NEW.e_code = 2 "
             "BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    openForm();
    messages.answer(MessageService::Yes);
    click(Balance);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(messages.last().detail, u"refused"_s);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed"_s).toInt(), 3);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 0);
    EXPECT_TRUE(db->scalar(u"SELECT settled_month FROM salary_sum_date"_s).isNull());
    EXPECT_FALSE(child<QProgressBar>(form, u"ProgressBar1"_s)->isVisible());

    db->exec(u"DROP TRIGGER refuse_second"_s);
    messages.answer(MessageService::Yes);
    click(Balance);
    EXPECT_EQ(messages.last().text, u"結算完成"_s);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 1"_s).toInt(), 3);
}

TEST_F(SettlementFormTest, NetPayAndLeaveFollowTheBoxesOfTheRowShown)
{
    openForm(); // 林一: salary 30000, H = 125
    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure mod"_s);
    EXPECT_EQ(form->focusWidget(), box(u"Text2(0)"_s));
    type(box(u"Text2(5)"_s), u"12abc"_s);
    EXPECT_EQ(text(u"text1(4)"_s), u"34361"_s);
    type(box(u"Text4(0)"_s), u"3"_s);
    type(box(u"Text4(1)"_s), u"0.5"_s);
    EXPECT_EQ(text(u"Text3(2)"_s), u"437"_s); // 375 + Whole(62.5)
    EXPECT_EQ(text(u"text1(4)"_s), u"33924"_s);

    type(box(u"Text2(0)"_s), u"1e300"_s);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(text(u"text1(4)"_s), QString()) << "no figure rather than the one before";
    type(box(u"Text2(0)"_s), u"1000"_s);
    EXPECT_EQ(text(u"text1(4)"_s), u"33924"_s);
    type(box(u"Text4(1)"_s), u"1e12"_s);
    EXPECT_TRUE(messages.last().detail.startsWith(u"Employee 1, sick leave: "_s)) << messages.last().detail.toStdString();
    type(box(u"Text4(1)"_s), u"0.5"_s);

    // Letters in an item box: nothing is written, the modify goes on.
    messages.clear();
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure mod"_s);
    EXPECT_EQ(stored(u"bonus"_s, 1), 0);

    click(Cancel);
    EXPECT_TRUE(box(u"Text2(5)"_s)->isReadOnly());
    EXPECT_TRUE(box(u"Text4(0)"_s)->isReadOnly());
    EXPECT_EQ(text(u"Text2(5)"_s), u"0"_s);
    EXPECT_EQ(text(u"Text4(0)"_s), QString());
    EXPECT_EQ(text(u"Text3(2)"_s), u"0"_s);

    click(Modify);
    type(box(u"Text4(0)"_s), u"2"_s); // 250
    click(Cancel);
    click(Next);
    click(Modify);
    type(box(u"Text4(1)"_s), u"1"_s); // 陳二: H = 116, and nothing of 林一's hours
    EXPECT_EQ(text(u"Text3(2)"_s), u"116"_s);
}

TEST_F(SettlementFormTest, NetPayFollowsTheSalaryOfEachRowShown)
{
    // 陳二 and 張三 with the same items, all 0: only the salary tells their net pay apart.
    db->exec(u"UPDATE salary_data SET salary = 800, boss = 0, food = 0, oil = 0, work = 0, health = 0 "
             "WHERE e_code = 2"_s);
    db->exec(u"UPDATE salary_data SET salary = 900 WHERE e_code = 3"_s);
    db->exec(u"UPDATE salary_detailed SET dispatch = 0, effectsbonus = 0, late = 0, request = 0 WHERE e_code = 2"_s);
    db->exec(u"UPDATE salary_detailed SET bonus = 100 WHERE e_code IN (2, 3)"_s);
    openForm();
    click(Next);
    EXPECT_EQ(text(u"text1(4)"_s), u"900"_s);
    click(Next);
    EXPECT_EQ(text(u"text1(4)"_s), u"1000"_s);
    click(Previous);
    EXPECT_EQ(text(u"text1(4)"_s), u"900"_s);
    db->exec(u"UPDATE salary_detailed SET late = 1e300 WHERE e_code = 3"_s);
    click(Update);
    click(Last);
    EXPECT_EQ(text(u"text1(4)"_s), QString()) << "no figure rather than another row's";
    child<QRadioButton>(form, u"Option1"_s)->click();
    EXPECT_EQ(text(u"text1(4)"_s), u"34349"_s) << "林一 again, after a filter";
}

TEST_F(SettlementFormTest, HoursOfAnUnpricedLeaveKindLeaveTheDeductionAlone)
{
    db->exec(u"UPDATE salary_detailed SET ask_leave = 800 WHERE e_code = 1"_s);
    openForm();
    click(Modify);
    for (int kind = 2; kind <= 5; ++kind) {
        type(box(u"Text4(%1)"_s.arg(kind)), u"8"_s);
        EXPECT_EQ(text(u"Text3(2)"_s), u"800"_s) << "leave kind " << kind;
    }
    EXPECT_EQ(text(u"text1(4)"_s), u"33549"_s);
    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    EXPECT_EQ(stored(u"ask_leave"_s, 1), 800);

    click(Modify);
    type(box(u"Text4(0)"_s), u"2"_s); // a priced kind still prices: 2 hours at 125
    EXPECT_EQ(text(u"Text3(2)"_s), u"250"_s);
}

TEST_F(SettlementFormTest, AFigureBeyondTheRangeOfPayIsRefusedAtTheSaveAndNothingIsWritten)
{
    openForm();
    click(Modify);
    box(u"Text2(13)"_s)->setText(u"1e16"_s); // put there without typing, as a paste may
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_TRUE(messages.last().detail.contains(u"from -99999999999.9999 to 99999999999.9999"_s)) << messages.last().detail.toStdString();
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure mod"_s);
    EXPECT_EQ(stored(u"overtime"_s, 1), 1200);

    type(box(u"Text2(13)"_s), u"1e13"_s);
    EXPECT_TRUE(messages.last().detail.contains(u"from -99999999999.9999 to 99999999999.9999"_s)) << "told as it is typed";
    type(box(u"Text2(13)"_s), u"1500"_s);
    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    EXPECT_EQ(stored(u"overtime"_s, 1), 1500);
}

TEST_F(SettlementFormTest, AModifySavesThePayRowWithTheFixedItemsOrNeither)
{
    openForm();
    click(Modify);
    type(box(u"Text2(13)"_s), u"1500"_s); // overtime, on the pay row
    type(box(u"Text2(0)"_s), u"1200"_s);  // boss, a fixed item
    db->exec(u"CREATE TRIGGER refuse_items BEFORE UPDATE ON salary_data BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure mod"_s);
    EXPECT_EQ(stored(u"overtime"_s, 1), 1200);

    db->exec(u"DROP TRIGGER refuse_items"_s);
    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    EXPECT_EQ(stored(u"overtime"_s, 1), 1500);
    EXPECT_EQ(db->scalar(u"SELECT boss FROM salary_data WHERE e_code = 1"_s).toDouble(), 1200);
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
    EXPECT_TRUE(box(u"Text2(0)"_s)->isReadOnly());
}

TEST_F(SettlementFormTest, SearchesByCodeAmongTheRowsTheFilterShows)
{
    db->exec(u"INSERT INTO salary_detailed (e_code, balance, balance_date) VALUES (7, 1, '2002-04-03')"_s);
    openForm();
    auto* next = child<QPushButton>(form, u"再搜尋"_s);
    EXPECT_FALSE(next->isEnabled());

    box(u"Text5"_s)->setText(u"abc"_s);
    clickButton(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '0' data!!"_s);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_FALSE(next->isEnabled()) << "a missed first search leaves it as it was";

    box(u"Text5"_s)->setText(u"7"_s);
    clickButton(u"搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '7' data!!"_s);
    EXPECT_EQ(text(u"text1(0)"_s), u"1"_s);

    child<QRadioButton>(form, u"Option1"_s)->click();
    box(u"Text5"_s)->setText(u"2x"_s);
    clickButton(u"搜尋"_s);
    EXPECT_EQ(text(u"text1(0)"_s), u"2"_s);
    EXPECT_EQ(text(u"text1(1)"_s), u"陳二"_s);
    EXPECT_TRUE(next->isEnabled());
    messages.clear();
    clickButton(u"再搜尋"_s);
    EXPECT_EQ(messages.last().text, u"no '2' data!!"_s);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(text(u"text1(0)"_s), u"2"_s);

    box(u"Text5"_s)->setText(u"7"_s);
    QTest::keyClick(box(u"Text5"_s), Qt::Key_Return);
    EXPECT_EQ(text(u"text1(0)"_s), u"7"_s);
    box(u"Text5"_s)->setText(u"77"_s);
    clickButton(u"搜尋"_s);
    EXPECT_TRUE(next->isEnabled()) << "a missed first search leaves it as it was";
    EXPECT_TRUE(child<QCheckBox>(form, u"Check1"_s)->isChecked());

    click(Modify);
    EXPECT_FALSE(child<QPushButton>(form, u"搜尋"_s)->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(form, u"Option2"_s)->isEnabled());
    click(Cancel);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option2"_s)->isEnabled());

    auto* settled = child<QCheckBox>(form, u"Check1"_s);
    QTest::mouseClick(settled, Qt::LeftButton);
    QTest::keyClick(settled, Qt::Key_Space);
    EXPECT_TRUE(settled->isChecked());
}

// What the database decides: two clerks' runs, and figures stored beyond range.
class SettlementFormOnBothTest : public SettlementFormTest, public ::testing::WithParamInterface<Backend> {
protected:
    SettlementFormOnBothTest() { backend = GetParam(); }
    int count(const QString& where)
    {
        return db->scalar(u"SELECT count(*) FROM salary_detailed WHERE "_s + where).toInt();
    }
};

TEST_P(SettlementFormOnBothTest, ASecondClerkIsToldAnotherClerkIsSettlingTheMonth)
{
    auto secondDb = openSecondConnection(*db);
    ScriptedMessageService secondMessages;
    AppContext second(*secondDb, secondMessages, clock);
    registerPayrollForms(second);
    QWidget* secondForm = openForm(second);
    auto* secondToolbar = child<RecordToolbar>(secondForm, u"Toolbar1"_s);

    // The first clerk's run is under way, between its rows, when the second clerk starts April too.
    bool asked = false;
    const MonthEndRun::Result first =
        MonthEndRun(*db).run({2002, 4, AprilPayroll::ReferenceDate, AprilPayroll::SettlementDate},
                             [&](int done, int) {
                                 if (done != 1 || asked)
                                     return;
                                 asked = true;
                                 secondMessages.answer(MessageService::Yes);
                                 QTest::mouseClick(secondToolbar->widgetForAction(secondToolbar->button(Balance)),
                                                   Qt::LeftButton);
                             });
    ASSERT_TRUE(asked);
    EXPECT_EQ(first.outcome, MonthEndRun::Outcome::Settled);
    EXPECT_EQ(secondMessages.last().text, u"** 2002 年** 4 月** 結算中!!"_s);
    EXPECT_EQ(secondMessages.last().flags, 48);
    EXPECT_EQ(secondMessages.last().title, u"本月結帳"_s);
    EXPECT_TRUE(secondMessages.last().detail.startsWith(u"Another clerk is settling 2002/4"_s));
    EXPECT_EQ(count(u"balance = 1"_s), 3);
    EXPECT_EQ(count(u"balance = 0"_s), 2) << "one new open row each for 林一 and 陳二, nothing doubled";
    EXPECT_TRUE(db->scalar(u"SELECT settling_month FROM salary_sum_date"_s).isNull());

    // Once the first run is done the second clerk hears that April is settled.
    secondMessages.answer(MessageService::Yes);
    QTest::mouseClick(secondToolbar->widgetForAction(secondToolbar->button(Balance)), Qt::LeftButton);
    EXPECT_EQ(secondMessages.last().text, u"** 2002 年** 4 月** 已結算過!!"_s);
    delete secondForm;
}

TEST_P(SettlementFormOnBothTest, AStoredFigureBeyondTheRangeOfPayRefusesTheRunAndWritesNothing)
{
    struct Stored {
        const char* table;
        const char* column;
        double figure;
        const char* where;
    };
    const Stored cases[] = {
        {"salary_data", "salary", 1e12, "e_code = 2"},
        {"salary_data", "salary", 1e20, "e_code = 2"},
        {"salary_data", "health", -1e15, "e_code = 1"},
        {"salary_detailed", "late", 1e300, "e_code = 3"},
        {"complete", "b_c", 1e20, "names = '優酪乳'"}, // 陳二's area: 2 bottles at that rate
    };
    openForm();
    for (const Stored& stored : cases) {
        SCOPED_TRACE(stored.column);
        const QString set = u"UPDATE %1 SET %2 = ? WHERE %3"_s.arg(QLatin1String(stored.table),
                                                                  QLatin1String(stored.column),
                                                                  QString::fromUtf8(stored.where));
        const QVariant before = db->scalar(u"SELECT %1 FROM %2 WHERE %3"_s.arg(QLatin1String(stored.column),
                                                                            QLatin1String(stored.table),
                                                                            QString::fromUtf8(stored.where)));
        db->exec(set, {stored.figure});
        messages.answer(MessageService::Yes);
        click(Balance);
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_TRUE(messages.last().detail.contains(u"from -99999999999.9999 to 99999999999.9999"_s))
            << messages.last().detail.toStdString();
        EXPECT_EQ(count(u"balance = 1"_s), 0);
        EXPECT_EQ(count(u"1 = 1"_s), 3);
        EXPECT_TRUE(db->scalar(u"SELECT settled_month FROM salary_sum_date"_s).isNull());
        EXPECT_TRUE(db->scalar(u"SELECT settling_month FROM salary_sum_date"_s).isNull());
        db->exec(set, {before});
    }
    messages.answer(MessageService::Yes);
    click(Balance);
    EXPECT_EQ(messages.last().text, u"結算完成"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, SettlementFormOnBothTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
