#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "widgets/DataGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class JournalOverviewTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        const struct {
            QDate day;
            double amount;
            QString word;
        } rows[] = {{QDate(2026, 9, 29), 1000, u"income"_s},
                    {QDate(2026, 9, 30), 0.1, u"income"_s},
                    {QDate(2026, 9, 30), -40, u"expense"_s},
                    {QDate(2026, 10, 1), 0.2, u"income"_s},
                    {QDate(2026, 10, 1), -2.5, u"expense"_s},
                    {QDate(2026, 10, 2), 7, u"income"_s}};
        int serial = 0;
        for (const auto& row : rows)
            db->exec(u"insert into account_table (serial, expense, date_d, in_out) values (?, ?, ?, ?)"_s,
                     {++serial, row.amount, row.day, row.word});
        app->values.work_date = QDate(2026, 10, 1);
        form = open(u"流水帳明細全灠"_s);
    }

    QList<int> listed()
    {
        Recordset& rows = child<DataGrid>(form, u"DataGrid1"_s)->dataSource()->recordset();
        QList<int> serials;
        for (int row = 0; row < rows.recordCount(); ++row)
            serials << rows.valueAt(row, rows.fieldIndex(u"serial"_s)).toInt();
        return serials;
    }
    QString total() { return child<QLineEdit>(form, u"text1"_s)->text(); }
    QString viewName() { return child<QLabel>(form, u"Label3"_s)->text(); }
    void choose(const QString& option) { child<QRadioButton>(form, option)->click(); }
    void click(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    void range(const QDate& from, const QDate& to)
    {
        child<QDateEdit>(form, u"DTPicker1"_s)->setDate(from);
        child<QDateEdit>(form, u"DTPicker2"_s)->setDate(to);
    }

    QWidget* form = nullptr;
};

TEST_F(JournalOverviewTest, OpensOnTheWorkingDayWithoutSettingIt)
{
    EXPECT_EQ(form->windowTitle(), u"turnover careful all view"_s);
    EXPECT_EQ(app->values.work_date, QDate(2026, 10, 1));
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    EXPECT_EQ(listed(), (QList<int>{4, 5}));
    EXPECT_EQ(total(), u"-2.3"_s);
    EXPECT_EQ(viewName(), u"date_d_view"_s);
    EXPECT_EQ(child<QLabel>(form, u"Label4"_s)->text(), u"in+out"_s);
}

TEST_F(JournalOverviewTest, RangeCountsBothEndsAndAReversedRangeListsNothing)
{
    range(QDate(2026, 9, 30), QDate(2026, 10, 1));
    EXPECT_EQ(listed(), (QList<int>{4, 5})); // a picker alone runs nothing
    click(u"日期全灠"_s);
    EXPECT_EQ(listed(), (QList<int>{2, 3, 4, 5}));
    EXPECT_EQ(total(), u"-42.2"_s);

    range(QDate(2026, 10, 1), QDate(2026, 9, 30));
    click(u"日期全灠"_s);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(total(), QString());
}

TEST_F(JournalOverviewTest, DirectionsFilterTheListAndTheTotalAlike)
{
    range(QDate(2026, 9, 30), QDate(2026, 10, 2));
    const struct {
        QString option, label;
        QList<int> rows;
        QString total;
    } directions[] = {{u"Option2"_s, u"out"_s, {3, 5}, u"-42.5"_s},
                      {u"Option3"_s, u"income"_s, {2, 4, 6}, u"7.3"_s},
                      {u"Option1"_s, u"in+out"_s, {2, 3, 4, 5, 6}, u"-35.2"_s}};
    for (const auto& direction : directions) {
        SCOPED_TRACE(direction.option.toStdString());
        choose(direction.option);
        EXPECT_EQ(child<QLabel>(form, u"Label4"_s)->text(), direction.label);
        EXPECT_EQ(listed(), direction.rows);
        EXPECT_EQ(total(), direction.total);
        EXPECT_EQ(viewName(), u"date_d_view"_s);
    }
}

TEST_F(JournalOverviewTest, AfterTheAllDaysViewADirectionKeepsIt)
{
    click(u"全灠"_s);
    EXPECT_EQ(listed(), (QList<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(viewName(), u"account_view"_s);
    choose(u"Option2"_s);
    EXPECT_EQ(viewName(), u"account_view"_s);
    EXPECT_EQ(listed(), (QList<int>{3, 5}));
    EXPECT_EQ(total(), u"-42.5"_s);
}

TEST_F(JournalOverviewTest, RefusedQueryIsReportedAndChangesNothing)
{
    db->exec(u"drop table account_table"_s);
    click(u"全灠"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_FALSE(messages.last().text.isEmpty());
    EXPECT_EQ(viewName(), u"date_d_view"_s);
    EXPECT_EQ(listed(), (QList<int>{4, 5}));
    EXPECT_EQ(total(), u"-2.3"_s);
}
