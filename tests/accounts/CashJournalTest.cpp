#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "records/RecordToolbar.h"
#include "widgets/DataGrid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString Journal = u"流水帳明細表"_s;

} // namespace

class CashJournalTest : public FormTest {
protected:
    void addRow(int serial, const QDate& day, double amount, const QString& word)
    {
        db->exec(u"insert into account_table (serial, item, expense, date_d, in_out) values (?, ?, ?, ?, ?)"_s,
                 {serial, u"item %1"_s.arg(serial), amount, day, word});
    }

    QWidget* openJournal()
    {
        form = open(Journal);
        return form;
    }

    QLineEdit* text1(int index) { return child<QLineEdit>(form, u"text1(%1)"_s.arg(index)); }
    QLineEdit* text6(int index) { return child<QLineEdit>(form, u"Text6(%1)"_s.arg(index)); }
    QToolButton* tool(int index) { return child<QToolButton>(form, u"Button%1"_s.arg(index)); }
    void clickTool(int index) { QTest::mouseClick(tool(index), Qt::LeftButton); }
    QPushButton* button(const QString& name) { return child<QPushButton>(form, name); }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void pick(const QString& picker, const QDate& day) { child<QDateEdit>(form, picker)->setDate(day); }
    Recordset& gridRows(const QString& grid) { return child<DataGrid>(form, grid)->dataSource()->recordset(); }

    void typeInto(int box, const QString& text)
    {
        text1(box)->clear();
        QTest::keyClicks(text1(box), text);
    }

    QVariant stored(const QString& column, int serial)
    {
        return db->scalar(u"select %1 from account_table where serial = ?"_s.arg(column), {serial});
    }
    int journalRows() { return db->scalar(u"select count(*) from account_table"_s).toInt(); }

    QWidget* form = nullptr;
};

TEST_F(CashJournalTest, EmptyJournalAddsRowOneOnTheWorkingDayWithTheWordOfItsAmount)
{
    app->values.work_date = QDate(2026, 9, 30); // left by the last form opened
    addRow(7, QDate(2026, 9, 30), 10, u"income"_s);
    db->exec(u"delete from account_table"_s);
    openJournal();
    EXPECT_EQ(form->windowTitle(), Journal);
    EXPECT_EQ(app->values.work_date, QDate(2026, 12, 8));
    EXPECT_EQ(child<QDateEdit>(form, u"DTPicker3"_s)->text(), u"2026/12/8"_s);
    EXPECT_FALSE(tool(8)->isEnabled());
    EXPECT_FALSE(button(u"再搜尋"_s)->isEnabled());
    EXPECT_FALSE(button(u"日期再搜尋"_s)->isEnabled());

    clickTool(5);
    EXPECT_EQ(text1(0)->text(), u"1"_s);
    EXPECT_EQ(text1(3)->text(), u"2026/12/8"_s);
    for (int index = 1; index <= 11; ++index)
        EXPECT_EQ(tool(index)->isEnabled(), index == 5 || index == 8) << index;
    EXPECT_FALSE(button(u"搜尋"_s)->isEnabled());
    EXPECT_FALSE(child<QDateEdit>(form, u"DTPicker1"_s)->isEnabled());
    EXPECT_TRUE(text1(0)->isReadOnly());
    EXPECT_TRUE(text1(5)->isReadOnly());
    QTest::keyClicks(text1(1), u"bottles"_s);
    typeInto(2, u"-5"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"expense"_s);
    clickTool(5);
    EXPECT_EQ(tool(5)->text(), u"add"_s);
    EXPECT_EQ(stored(u"in_out"_s, 1).toString(), u"expense"_s);
    EXPECT_DOUBLE_EQ(stored(u"expense"_s, 1).toDouble(), -5);
    EXPECT_TRUE(tool(8)->isEnabled());

    // An amount left empty is money coming in; so is one changed to 12 by a modify.
    clickTool(5);
    EXPECT_EQ(text1(0)->text(), u"2"_s);
    clickTool(5);
    EXPECT_EQ(stored(u"in_out"_s, 2).toString(), u"income"_s);
    clickTool(1);
    clickTool(7);
    typeInto(2, u"12"_s);
    clickTool(7);
    EXPECT_EQ(stored(u"in_out"_s, 1).toString(), u"income"_s);
    EXPECT_DOUBLE_EQ(stored(u"expense"_s, 1).toDouble(), 12);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CashJournalTest, DayGridShowsTheDayTheFormFoundUntilUpdate)
{
    app->values.work_date = QDate(2026, 9, 30);
    addRow(1, QDate(2026, 9, 30), 10, u"income"_s);
    addRow(2, QDate(2026, 10, 1), 20, u"income"_s);
    openJournal();
    EXPECT_EQ(gridRows(u"DataGrid1"_s).recordCount(), 1);
    addRow(3, QDate(2026, 9, 30), 30, u"income"_s);
    clickTool(9);
    EXPECT_EQ(gridRows(u"DataGrid1"_s).recordCount(), 2);
    EXPECT_EQ(gridRows(u"DataGrid2"_s).recordCount(), 2); // the toolbar never refreshes the list of all rows
}

// What cannot be read, and an amount beyond what the books sum exactly, are refused where typed: in the
// record, on add and on modify, and in a cell of the unlocked list, each with a detail line saying why.
TEST_F(CashJournalTest, UnconvertibleInputAndAmountsBeyondTheRangeAreRefusedAndNothingIsWritten)
{
    addRow(1, QDate(2026, 12, 1), 10, u"income"_s);
    openJournal();
    const QString range = u"from -99999999999.9999 to 99999999999.9999"_s;
    const struct {
        int box;
        QString text;
        QString detail;
    } refused[] = {{2, u"12abc"_s, {}},          {2, u"-"_s, {}},       {3, u"2026/2/30"_s, {}},
                   {2, u"1000000000000000"_s, range}, {2, u"-1e20"_s, range}, {2, u"1e400"_s, range}};
    for (const auto& input : refused) {
        SCOPED_TRACE(input.text.toStdString());
        clickTool(5);
        typeInto(input.box, input.text);
        clickTool(5);
        EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
        EXPECT_TRUE(messages.last().detail.contains(input.detail)) << messages.last().detail.toStdString();
        EXPECT_FALSE(messages.last().detail.isEmpty());
        EXPECT_EQ(tool(5)->text(), u"sure_add"_s);
        EXPECT_EQ(journalRows(), 1);
        clickTool(8);

        clickTool(7);
        typeInto(input.box, input.text);
        clickTool(7);
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_TRUE(messages.last().detail.contains(input.detail)) << messages.last().detail.toStdString();
        EXPECT_FALSE(messages.last().detail.isEmpty());
        EXPECT_EQ(tool(7)->text(), u"sure_modify"_s);
        clickTool(8);
        EXPECT_DOUBLE_EQ(stored(u"expense"_s, 1).toDouble(), 10);
        EXPECT_EQ(stored(u"date_d"_s, 1).toDate(), QDate(2026, 12, 1));
    }
    EXPECT_EQ(messages.count(), 12);

    child<QCheckBox>(form, u"Check1"_s)->setChecked(true);
    auto* grid = child<DataGrid>(form, u"DataGrid2"_s);
    const QModelIndex amount = grid->model()->index(0, gridRows(u"DataGrid2"_s).fieldIndex(u"expense"_s));
    grid->setCurrentIndex(amount);
    EXPECT_FALSE(grid->model()->setData(amount, u"1e20"_s) && grid->commitRow());
    EXPECT_TRUE(messages.last().detail.contains(range)) << messages.last().detail.toStdString();
    EXPECT_DOUBLE_EQ(stored(u"expense"_s, 1).toDouble(), 10);
}

// 搜尋 and 再搜尋 move the record, 日期搜尋 and 日期再搜尋 the list of all rows.
TEST_F(CashJournalTest, SearchesByDayFindRepeatAndWordTheirMisses)
{
    addRow(1, QDate(2026, 12, 1), 10, u"income"_s);
    addRow(2, QDate(2026, 12, 8), 20, u"income"_s);
    addRow(3, QDate(2026, 12, 3), 30, u"income"_s);
    addRow(4, QDate(2026, 12, 8), 40, u"income"_s);
    openJournal();
    const struct {
        QString picker, search, again, grid, missAgain;
    } pairs[] = {
        {u"DTPicker1"_s, u"搜尋"_s, u"再搜尋"_s, QString(), u"no '2026/12/8' data!!"_s},
        {u"DTPicker2"_s, u"日期搜尋"_s, u"日期再搜尋"_s, u"DataGrid2"_s, u"no '2026/12/8'data!!"_s},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.search.toStdString());
        auto serial = [&] {
            return pair.grid.isEmpty() ? text1(0)->text().toInt() : gridRows(pair.grid).value(u"serial"_s).toInt();
        };
        pick(pair.picker, QDate(2026, 12, 8));
        click(pair.search);
        EXPECT_EQ(serial(), 2);
        EXPECT_TRUE(button(pair.again)->isEnabled());
        click(pair.again);
        EXPECT_EQ(serial(), 4);
        click(pair.again);
        EXPECT_EQ(messages.last().text, pair.missAgain);
        EXPECT_EQ(messages.last().title, u"search"_s);
        EXPECT_EQ(serial(), 4);
        EXPECT_FALSE(button(pair.again)->isEnabled());

        pick(pair.picker, QDate(2026, 12, 2));
        click(pair.search);
        EXPECT_EQ(messages.last().text, u"no '2026/12/2' data!!"_s);
        EXPECT_EQ(serial(), 4);
        EXPECT_EQ(form->window()->focusWidget(), child<QDateEdit>(form, pair.picker));
    }
    EXPECT_EQ(messages.count(), 4);
}

TEST_F(CashJournalTest, CancelReturnsToWhereTheEditBeganAfterASearchOfTheList)
{
    addRow(1, QDate(2026, 12, 1), 10, u"income"_s);
    addRow(2, QDate(2026, 12, 2), 20, u"income"_s);
    addRow(3, QDate(2026, 12, 3), 30, u"income"_s);
    openJournal();
    clickTool(3);
    clickTool(7);
    typeInto(2, u"99"_s);
    pick(u"DTPicker2"_s, QDate(2026, 12, 3));
    click(u"日期搜尋"_s);
    EXPECT_EQ(gridRows(u"DataGrid2"_s).value(u"serial"_s).toInt(), 3);
    clickTool(8);
    EXPECT_EQ(text1(0)->text(), u"2"_s);
    EXPECT_EQ(text1(2)->text(), u"20"_s);
    EXPECT_DOUBLE_EQ(stored(u"expense"_s, 2).toDouble(), 20);
}

TEST_F(CashJournalTest, ListOfAllRowsUnlocksChangeAndDeleteButNeverAdd)
{
    openJournal();
    auto* grid = child<DataGrid>(form, u"DataGrid2"_s);
    child<QCheckBox>(form, u"Check1"_s)->setChecked(true);
    EXPECT_TRUE(grid->allowUpdate());
    EXPECT_TRUE(grid->allowDelete());
    EXPECT_FALSE(grid->allowAddNew());
    child<QCheckBox>(form, u"Check1"_s)->setChecked(false);
    EXPECT_FALSE(grid->allowUpdate());
    EXPECT_FALSE(grid->allowDelete());
}

// A save through the unlocked list writes the word of the amount's sign too, so the overview files it right.
TEST_F(CashJournalTest, AnAmountChangedInTheListOfAllRowsTakesTheWordOfItsSign)
{
    addRow(1, QDate(2026, 12, 1), 10, u"income"_s);
    addRow(2, QDate(2026, 12, 1), -5, u"expense"_s);
    openJournal();
    child<QCheckBox>(form, u"Check1"_s)->setChecked(true);
    auto* grid = child<DataGrid>(form, u"DataGrid2"_s);
    const int amount = gridRows(u"DataGrid2"_s).fieldIndex(u"expense"_s);
    const struct {
        int row;
        QString typed;
        QString word;
    } saves[] = {{0, u"-10"_s, u"expense"_s}, {1, u"5"_s, u"income"_s}, {1, u"0"_s, u"income"_s}};
    for (const auto& save : saves) {
        SCOPED_TRACE(save.typed.toStdString());
        const QModelIndex cell = grid->model()->index(save.row, amount);
        grid->setCurrentIndex(cell);
        ASSERT_TRUE(grid->model()->setData(cell, save.typed));
        ASSERT_TRUE(grid->commitRow());
        EXPECT_EQ(stored(u"in_out"_s, save.row + 1).toString(), save.word);
        EXPECT_DOUBLE_EQ(stored(u"expense"_s, save.row + 1).toDouble(), save.typed.toDouble());
    }
    EXPECT_EQ(messages.count(), 0);
}

// At the size the form has in the frame of a 1024×768 screen, the word of the amount shows whole, and a
// screen reader names each box by its caption.
TEST_F(CashJournalTest, BoxesAreNamedAndTheWordOfTheAmountShowsWholeOnA1024WideScreen)
{
    openJournal();
    form->resize(1004, 620);
    form->show();
    QCoreApplication::processEvents();
    auto* word = child<QLineEdit>(form, u"Text2"_s);
    QStyleOptionFrame option;
    option.initFrom(word);
    option.lineWidth = word->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, word);
    const int room = word->style()->subElementRect(QStyle::SE_LineEditContents, &option, word).width();
    EXPECT_GE(room, word->fontMetrics().horizontalAdvance(u"expense"_s) + 4);

    const QStringList captions = {u"serial"_s, u"item"_s, u"expense"_s, u"date_d"_s, u"other"_s, u"in_out"_s};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(text1(i)->accessibleName(), captions[i]);
    EXPECT_EQ(word->accessibleName(), u"expense or income"_s);
    EXPECT_EQ(text6(1)->accessibleName(), u"原有金額"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text5"_s)->accessibleName(), u"已過帳日期"_s);
    EXPECT_EQ(child<QDateEdit>(form, u"DTPicker3"_s)->accessibleName(), u"across book"_s);
}
