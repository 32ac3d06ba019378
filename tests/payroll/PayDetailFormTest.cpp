#include "FormTest.h"

#include "widgets/DataGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class PayDetailFormTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    PayDetailFormTest() { backend = GetParam(); }

    // 25 pay rows: employees 1 to 10 each with one open row and one or two settled ones.
    void addPayRows()
    {
        for (int code = 1; code <= 10; ++code) {
            db->exec(u"INSERT INTO salary_detailed (e_code, balance, balance_date) VALUES (?, 1, ?)"_s,
                     {code, QDate(2024, 10, 1)});
            if (code <= 5)
                db->exec(u"INSERT INTO salary_detailed (e_code, balance, balance_date) VALUES (?, 1, ?)"_s,
                         {code, QDate(2024, 2, 1)});
            db->exec(u"INSERT INTO salary_detailed (e_code, overtime) VALUES (?, ?)"_s, {code, code * 100});
        }
    }
    void openForm()
    {
        form = open(u"薪資明細表單"_s);
        grid = child<DataGrid>(form, u"DataGrid1"_s);
    }
    QString cell(int row, const QString& column)
    {
        return grid->model()->index(row, columnOf(column)).data().toString();
    }
    int columnOf(const QString& name)
    {
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (grid->model()->headerData(column, Qt::Horizontal).toString() == name)
                return column;
        return -1;
    }
    int currentCode() { return cell(grid->currentIndex().row(), u"e_code"_s).toInt(); }
    void search(const QString& button, const QString& text)
    {
        child<QLineEdit>(form, u"Text2"_s)->setText(text);
        QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
    }

    QWidget* form = nullptr;
    DataGrid* grid = nullptr;
};

TEST_P(PayDetailFormTest, ListsTheOpenRowsOrAllAndCountsTheTableOnce)
{
    addPayRows();
    openForm();
    EXPECT_EQ(form->windowTitle(), u"salary view"_s);
    EXPECT_EQ(child<QLabel>(form, u"計數"_s)->text(), u"25"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"25"_s) << "the box the caption reads";
    EXPECT_TRUE(child<QLineEdit>(form, u"text1"_s)->isReadOnly());
    EXPECT_EQ(grid->model()->rowCount(), 10);
    EXPECT_EQ(cell(0, u"e_code"_s), u"1"_s);
    EXPECT_EQ(app->values.work_date, clock.today());

    child<QRadioButton>(form, u"Option1"_s)->click();
    ASSERT_EQ(grid->model()->rowCount(), 25);
    const QStringList firstEmployee = {cell(0, u"balance_date"_s), cell(1, u"balance_date"_s), cell(2, u"balance_date"_s)};
    EXPECT_EQ(firstEmployee, (QStringList{QString(), u"2024/2/1"_s, u"2024/10/1"_s}));
    db->exec(u"DELETE FROM salary_detailed WHERE e_code > 2"_s);
    child<QRadioButton>(form, u"Option2"_s)->click();
    EXPECT_EQ(child<QLabel>(form, u"計數"_s)->text(), u"25"_s);
}

TEST_P(PayDetailFormTest, AnUnlockedCellIsWrittenAndLettersAreRefused)
{
    addPayRows();
    openForm();
    auto* model = grid->model();
    const QModelIndex overtime = model->index(2, columnOf(u"overtime"_s));
    EXPECT_FALSE(model->flags(overtime) & Qt::ItemIsEditable);

    child<QCheckBox>(form, u"Check1"_s)->click();
    EXPECT_TRUE(model->flags(overtime) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid->allowAddNew() || grid->allowDelete());
    grid->setCurrentIndex(overtime);
    ASSERT_TRUE(model->setData(overtime, u"1500"_s));
    ASSERT_TRUE(grid->commitRow());
    EXPECT_EQ(db->scalar(u"SELECT overtime FROM salary_detailed WHERE e_code = 3 AND balance = 0"_s).toDouble(), 1500);

    EXPECT_FALSE(model->setData(overtime, u"12abc"_s) && grid->commitRow());
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(db->scalar(u"SELECT overtime FROM salary_detailed WHERE e_code = 3 AND balance = 0"_s).toDouble(), 1500);

    child<QCheckBox>(form, u"Check1"_s)->click();
    EXPECT_FALSE(grid->allowUpdate());
}

TEST_P(PayDetailFormTest, SearchesByTheNumberTheTextBeginsWith)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the search runs in the program alike on both";
    addPayRows();
    db->exec(u"INSERT INTO salary_detailed (e_code, balance) VALUES (0, 0)"_s);
    openForm();
    auto* next = child<QPushButton>(form, u"再搜尋"_s);
    EXPECT_FALSE(next->isEnabled());
    search(u"搜尋"_s, u"77"_s);
    EXPECT_FALSE(next->isEnabled()) << "a missed first search leaves it as it was";

    search(u"搜尋"_s, u"7x"_s);
    EXPECT_EQ(currentCode(), 7);
    EXPECT_TRUE(next->isEnabled());
    search(u"搜尋"_s, QString());
    EXPECT_EQ(currentCode(), 0);

    search(u"搜尋"_s, u"7"_s);
    search(u"搜尋"_s, u"77"_s);
    EXPECT_EQ(messages.last().text, u"no ' 77' data!!"_s);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(currentCode(), 7);
    EXPECT_TRUE(next->isEnabled()) << "a miss of the first search leaves it";

    child<QRadioButton>(form, u"Option1"_s)->click();
    search(u"搜尋"_s, u"3"_s);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(currentCode(), 3);
    EXPECT_EQ(cell(grid->currentIndex().row(), u"balance_date"_s), u"2024/10/1"_s);
    messages.clear();
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(messages.last().text, u"no ' 3' data!!"_s);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(cell(grid->currentIndex().row(), u"balance_date"_s), u"2024/10/1"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, PayDetailFormTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
