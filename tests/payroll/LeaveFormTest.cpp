#include "FormTest.h"

#include "records/RecordToolbar.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Add, Delete, Modify, Cancel, Update };

class LeaveFormTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    LeaveFormTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (db)
            db->exec(u"INSERT INTO employees_data (e_code, name) VALUES (1, 'Wang'), (2, 'Lee')"_s);
    }
    void openForm()
    {
        form = open(u"差假表單"_s);
        toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    }
    void addLeaves()
    {
        db->exec(u"INSERT INTO vacation_type (e_code, holiday, reason, days) VALUES "
                 "(1, '事假', 'moving house', 1), (2, '病假', 'flu', 2), (1, '公假', 'court', 0.5)"_s);
    }
    QLineEdit* box(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    DataCombo* employee() { return child<DataCombo>(form, u"DataCombo1"_s); }
    QString count() { return child<QLabel>(form, u"計數"_s)->text(); }
    int gridRows() { return child<DataGrid>(form, u"DataGrid1"_s)->model()->rowCount(); }
    void click(int button) { clickTool(toolbar, button); }
    void type(QLineEdit* into, const QString& text) { typeOver(into, text); }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
};

TEST_P(LeaveFormTest, CountsSavedAddsAndConfirmedDeletesWhileTheGridWaitsForUpdate)
{
    openForm();
    EXPECT_EQ(form->windowTitle(), u"leave"_s);
    EXPECT_EQ(count(), u"0"_s);
    for (const QString& code : {u"1"_s, u"2"_s}) {
        click(Add);
        EXPECT_FALSE(employee()->isLocked());
        EXPECT_EQ(box(6)->text(), u"2026/12/8"_s);
        employee()->setText(code);
        child<DataCombo>(form, u"Combo1"_s)->setText(u"病假"_s);
        type(box(1), u"flu"_s);
        click(Add);
    }
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count(), u"2"_s);
    EXPECT_EQ(box(0)->text(), u"Lee"_s);
    QSqlQuery rows = db->exec(u"SELECT e_code, holiday, apply_date FROM vacation_type ORDER BY id"_s);
    for (int code : {1, 2}) {
        ASSERT_TRUE(rows.next());
        EXPECT_EQ(rows.value(0).toInt(), code);
        EXPECT_EQ(rows.value(1).toString(), u"病假"_s);
        EXPECT_EQ(rows.value(2).toDate(), QDate(2026, 12, 8));
    }

    EXPECT_EQ(gridRows(), 0);
    click(Update);
    EXPECT_EQ(gridRows(), 2);
    EXPECT_EQ(count(), u"2"_s) << "update does not count again";

    messages.answer(7);
    click(Delete);
    EXPECT_EQ(count(), u"2"_s);
    messages.answer(6);
    click(Delete);
    EXPECT_EQ(messages.last().text, u"delete the data???"_s);
    EXPECT_EQ(messages.last().flags, 4);
    EXPECT_EQ(count(), u"1"_s);
    QSqlQuery left = db->exec(u"SELECT COUNT(*) FROM vacation_type"_s);
    ASSERT_TRUE(left.next());
    EXPECT_EQ(left.value(0).toInt(), 1);
}

TEST_P(LeaveFormTest, AModifyKeepsTheEmployeeAndARefusedSaveStays)
{
    addLeaves();
    openForm();
    EXPECT_EQ(count(), u"3"_s);
    click(Modify);
    EXPECT_TRUE(employee()->isLocked());
    EXPECT_FALSE(box(1)->isReadOnly());
    type(box(4), u"abc"_s);
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
    EXPECT_EQ(box(4)->text(), u"abc"_s);
    type(box(4), u"1.5"_s);
    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    QSqlQuery row = db->exec(u"SELECT e_code, days FROM vacation_type ORDER BY id"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toInt(), 1);
    EXPECT_EQ(row.value(1).toDouble(), 1.5);
}

TEST_P(LeaveFormTest, TheSearchBoxTakesDigitsOnlyAndTheNameFollowsTheRowShown)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the search and the name run in the program alike on both";
    addLeaves();
    openForm();
    EXPECT_EQ(box(0)->text(), u"Wang"_s);
    click(Next);
    EXPECT_EQ(box(0)->text(), u"Lee"_s);

    auto* searchBox = child<QLineEdit>(form, u"Text2"_s);
    for (Qt::Key refused : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Return}) {
        messages.clear();
        QTest::keyClicks(searchBox, u"12"_s);
        QTest::keyClick(searchBox, refused);
        ASSERT_EQ(messages.count(), 1) << refused;
        EXPECT_EQ(messages.last().text, u"input int !!!"_s);
        EXPECT_EQ(messages.last().title, u"Err"_s);
        EXPECT_EQ(searchBox->text(), QString());
    }

    messages.clear();
    QTest::keyClicks(searchBox, u"1"_s);
    QTest::mouseClick(child<QPushButton>(form, u"搜尋"_s), Qt::LeftButton);
    EXPECT_EQ(box(1)->text(), u"moving house"_s) << "the first leave of the code";
    EXPECT_EQ(box(0)->text(), u"Wang"_s);
    searchBox->setText(u"12"_s);
    QTest::mouseClick(child<QPushButton>(form, u"搜尋"_s), Qt::LeftButton);
    EXPECT_EQ(messages.last().text, u"no ' 12' data!!"_s);
    EXPECT_EQ(box(1)->text(), u"moving house"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, LeaveFormTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
