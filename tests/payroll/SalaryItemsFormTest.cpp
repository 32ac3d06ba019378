#include "FormTest.h"

#include "records/RecordToolbar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Modify, Cancel, Update };

class SalaryItemsFormTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    SalaryItemsFormTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        db->exec(u"INSERT INTO salary_data (e_code, name, salary, boss, input_date) VALUES "
                 "(1, 'Wang', 30000, 1000, '2024-02-01'), (2, 'O''Neil', 28000, 0, '2024-10-01'), "
                 "(3, 'Lee', 25000, 500, '2025-01-15')"_s);
        form = open(u"薪資資料"_s);
        toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    }
    QLineEdit* box(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    void click(int button) { clickTool(toolbar, button); }
    void type(QLineEdit* into, const QString& text) { typeOver(into, text); }
    void search(const QString& text)
    {
        child<QLineEdit>(form, u"Text2"_s)->setText(text);
        QTest::mouseClick(child<QPushButton>(form, u"搜尋"_s), Qt::LeftButton);
    }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
};

TEST_P(SalaryItemsFormTest, ModifySavesTheItemsOfTheEmployeeShownAndKeepsTheCode)
{
    EXPECT_EQ(form->windowTitle(), u" salary data"_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_EQ(box(11)->text(), u"2024/2/1"_s);
    EXPECT_EQ(toolbar->button(First)->text(), u"first       "_s);
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
    click(Next);

    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
    EXPECT_TRUE(box(0)->isReadOnly());
    EXPECT_FALSE(box(2)->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(form, u"搜尋"_s)->isEnabled());
    type(box(2), u"1500"_s);
    type(box(11), u"2026/12/1"_s);
    click(Modify);
    EXPECT_EQ(messages.count(), 0);
    QSqlQuery row = db->exec(u"SELECT boss, input_date, name, salary FROM salary_data WHERE e_code = 2"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toDouble(), 1500);
    EXPECT_EQ(row.value(1).toDate(), QDate(2026, 12, 1));
    EXPECT_EQ(row.value(2).toString(), u"O'Neil"_s);
    EXPECT_EQ(row.value(3).toDouble(), 28000);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
    EXPECT_TRUE(box(2)->isReadOnly());
}

TEST_P(SalaryItemsFormTest, ARefusedSaveStaysInProgressAndCancelRestoresTheRememberedRow)
{
    click(Last);
    click(Modify);
    type(box(1), u"26000"_s);
    db->exec(u"UPDATE salary_data SET salary = 27000 WHERE e_code = 3"_s); // another clerk's change
    click(Modify);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
    EXPECT_EQ(box(1)->text(), u"26000"_s) << "the edit is kept for another try";

    type(box(1), u"abc"_s);
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);

    click(Cancel);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
    EXPECT_TRUE(toolbar->button(Cancel)->isEnabled()) << "cancel stays on after a cancel";
    QSqlQuery row = db->exec(u"SELECT salary FROM salary_data WHERE e_code = 3"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toDouble(), 27000);
}

TEST_P(SalaryItemsFormTest, AFigureBeyondTheRangeOfPayIsRefusedWithItsRangeAndNothingIsWritten)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the boxes refuse in the program alike on both";
    struct Typed {
        int box;
        const char* text;
        bool refused;
    };
    const Typed cases[] = {
        {1, "1e12", true},  {1, "1000000000000", true}, {2, "1e15", true}, {3, "100000000000000000000", true},
        {4, "1e400", true}, {5, "-1e15", true},          {1, "-500", false}, {6, "1234.5", false},
        {7, "999999999999.5", true}, {10, "99999999999.9999", false},
    };
    click(Modify);
    for (const Typed& typed : cases) {
        SCOPED_TRACE(typed.text);
        messages.clear();
        type(box(typed.box), QString::fromLatin1(typed.text));
        click(Modify);
        if (!typed.refused) {
            EXPECT_EQ(messages.count(), 0);
            EXPECT_EQ(toolbar->button(Modify)->text(), u"modify"_s);
            click(Modify);
            continue;
        }
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_TRUE(messages.last().detail.contains(u"from -99999999999.9999 to 99999999999.9999"_s)) << messages.last().detail.toStdString();
        EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
        click(Cancel);
        click(Modify);
    }
    click(Cancel);
    QSqlQuery row = db->exec(u"SELECT salary, boss, work, health, post, food, other FROM salary_data WHERE e_code = 1"_s);
    ASSERT_TRUE(row.next());
    const QList<double> stored{row.value(0).toDouble(), row.value(1).toDouble(), row.value(2).toDouble(),
                               row.value(3).toDouble(), row.value(4).toDouble(), row.value(5).toDouble(),
                               row.value(6).toDouble()};
    EXPECT_EQ(stored, (QList<double>{-500, 1000, 0, 0, 0, 1234.5, 99999999999.9999}));
}

TEST_P(SalaryItemsFormTest, FindsAnEmployeeByWholeNameOrByCode)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the search runs in the program alike on both";
    search(u"Lee  "_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
    search(u"O'Neil"_s);
    EXPECT_EQ(box(0)->text(), u"2"_s);
    search(u"Wang  "_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    EXPECT_EQ(messages.count(), 0);

    search(u"Chen  "_s);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"no'Chen  'data!!"_s) << "the text as typed";
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(box(0)->text(), u"1"_s);
    search(QString());
    EXPECT_EQ(messages.count(), 1) << "an empty name searches nothing";

    child<QRadioButton>(form, u"Option1"_s)->setChecked(true);
    search(u"3x"_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
    search(u"abc"_s);
    EXPECT_EQ(messages.last().text, u"no ' 0' data!!"_s);
    EXPECT_EQ(box(0)->text(), u"3"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, SalaryItemsFormTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
