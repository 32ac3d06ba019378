#include "AprilPayroll.h"
#include "FormTest.h"

#include "payroll/PayrollForms.h"
#include "records/RecordToolbar.h"
#include "widgets/UpDown.h"

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
    EXPECT_EQ(text(u"text1(4)"_s), u"33924"_s) << "the net pay stays as it was";
    type(box(u"Text2(0)"_s), u"1000"_s);

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

} // namespace
