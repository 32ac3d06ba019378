#include "FormTest.h"

#include "data/Database.h"
#include "widgets/CellChart.h"
#include "widgets/DataCombo.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString CashChart = u"流水帳圖表"_s;
const QString CustomerChart = u"客戶數量圖表"_s;
const QString SalesChart = u"業務圖表"_s;

} // namespace

class ChartsTest : public FormTest {
protected:
    CellChart* chartOf(QWidget* form) { return child<CellChart>(form, u"MSChart1"_s); }

    // The cells of one column, top to bottom.
    QList<double> column(QWidget* form, int index)
    {
        CellChart* chart = chartOf(form);
        QList<double> values;
        for (int row = 1; row <= chart->rowCount(); ++row)
            values << chart->data(row, index);
        return values;
    }

    QStringList columnLabels(QWidget* form)
    {
        QStringList labels;
        for (int index = 1; index <= chartOf(form)->columnCount(); ++index)
            labels << chartOf(form)->columnLabel(index);
        return labels;
    }

    void addPosting(int serial, const QDate& day, double opening, double closing)
    {
        db->exec(u"insert into account (serial, date_d, original_m, now_m) values (?, ?, ?, ?)"_s,
                 {serial, day, opening, closing});
    }

    void addCustomer(int code, const QVariant& entered, const QString& salesperson = {})
    {
        db->exec(u"insert into customer_data (c_code, name, input_date, enter_worker) values (?, ?, ?, ?)"_s,
                 {code, u"customer %1"_s.arg(code), entered, salesperson});
    }

    void addEmployee(int code, const QString& name, const QString& job)
    {
        db->exec(u"insert into employees_data (e_code, name, job_leave) values (?, ?, ?)"_s, {code, name, job});
    }

    static QList<double> zeros(int count) { return QList<double>(count, 0.0); }
};

TEST_F(ChartsTest, CashChartPlotsTheMonthsPostingsInDateOrder)
{
    addPosting(1, QDate(2026, 12, 20), 30, 40);
    addPosting(2, QDate(2026, 12, 5), 10, 20);
    addPosting(3, QDate(2026, 12, 10), 20, 30);
    addPosting(4, QDate(2027, 1, 1), 40, 50);
    QWidget* form = open(CashChart);
    EXPECT_EQ(form->windowTitle(), CashChart);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"2026"_s);
    EXPECT_EQ(child<QComboBox>(form, u"Combo1"_s)->currentText(), u"12"_s);
    CellChart* chart = chartOf(form);
    EXPECT_EQ(chart->chartType(), CellChart::Line);
    ASSERT_EQ(chart->rowCount(), 31);
    EXPECT_EQ(chart->rowLabel(1), u"1"_s);
    EXPECT_EQ(chart->rowLabel(31), u"31"_s);
    EXPECT_EQ(columnLabels(form), (QStringList{u"當日原有金額"_s, u"當日現有金額"_s}));
    EXPECT_EQ(column(form, 1), (QList<double>{10, 20, 30} + zeros(28)));
    EXPECT_EQ(column(form, 2), (QList<double>{20, 30, 40} + zeros(28)));

    // The spinner writes its year and plots; a typed year waits for the next month pick.
    child<UpDown>(form, u"UpDown1"_s)->stepUp();
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"2027"_s);
    EXPECT_EQ(column(form, 1), zeros(31));
    auto* month = child<QComboBox>(form, u"Combo1"_s);
    month->setCurrentIndex(11);
    QTest::keyClick(month, Qt::Key_Up);
    QTest::keyClick(month, Qt::Key_Down); // back on "12": December 2027
    EXPECT_EQ(column(form, 1), zeros(31));
    child<QLineEdit>(form, u"text1"_s)->setText(u"2026"_s);
    EXPECT_EQ(column(form, 1), zeros(31));
    QTest::keyClick(month, Qt::Key_Up);
    QTest::keyClick(month, Qt::Key_Down);
    EXPECT_EQ(column(form, 1), (QList<double>{10, 20, 30} + zeros(28)));

    child<QLineEdit>(form, u"text1"_s)->setText(u"abc"_s);
    QTest::keyClick(month, Qt::Key_Up);
    QTest::keyClick(month, Qt::Key_Down);
    EXPECT_EQ(column(form, 1), zeros(31));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ChartsTest, RefusedQueryShowsZerosAndTheReason)
{
    addPosting(1, QDate(2026, 12, 5), 10, 20);
    QWidget* form = open(CashChart);
    EXPECT_EQ(column(form, 2).first(), 20);
    db->exec(u"drop table account"_s);
    child<UpDown>(form, u"UpDown1"_s)->stepDown();
    child<UpDown>(form, u"UpDown1"_s)->stepUp();
    EXPECT_EQ(column(form, 2), zeros(31));
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(messages.last().flags, 16);
}

TEST_F(ChartsTest, CustomerCountCountsEachMonthOfTheYearOnItsOwn)
{
    addCustomer(1, QDate(2026, 1, 31));
    addCustomer(2, QDate(2026, 2, 1));
    addCustomer(3, QDate(2026, 2, 14));
    addCustomer(4, QDate(2025, 12, 31));
    addCustomer(5, QVariant());
    QWidget* form = open(CustomerChart);
    EXPECT_EQ(form->windowTitle(), u"customer amount chart"_s);
    CellChart* chart = chartOf(form);
    ASSERT_EQ(chart->rowCount(), 12);
    EXPECT_EQ(chart->rowLabel(1), u"1月"_s);
    EXPECT_EQ(chart->rowLabel(12), u"12月"_s);
    EXPECT_EQ(columnLabels(form), QStringList{u"當月人數"_s});
    EXPECT_EQ(column(form, 1), (QList<double>{1, 2} + zeros(10)));
    child<UpDown>(form, u"UpDown1"_s)->stepDown();
    EXPECT_EQ(column(form, 1), (zeros(11) + QList<double>{1}));
}

TEST_F(ChartsTest, SalesChartHasAColumnForEachSalespersonInCodeOrder)
{
    addEmployee(3, u"O'Hara"_s, u"業務"_s);
    addEmployee(1, u"林大明"_s, u"業務"_s);
    addEmployee(2, u"陳小華"_s, u"送奶員"_s);
    addCustomer(1, QDate(2026, 3, 2), u"O'Hara"_s);
    addCustomer(2, QDate(2026, 3, 9), u"O'Hara"_s);
    addCustomer(3, QDate(2026, 5, 1), u"林大明"_s);
    addCustomer(4, QDate(2026, 5, 1), u"陳小華"_s);
    QWidget* form = open(SalesChart);
    EXPECT_EQ(form->windowTitle(), u"business chart"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"個別"_s)->isChecked());
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2"_s);

    // The single view counts the name picked, a quote and all.
    auto* picked = child<DataCombo>(form, u"DataCombo1"_s);
    picked->setCurrentIndex(0);
    QTest::keyClick(picked, Qt::Key_Down);
    EXPECT_EQ(picked->text(), u"O'Hara"_s);
    EXPECT_EQ(columnLabels(form), QStringList{u"O'Hara"_s});
    EXPECT_EQ(column(form, 1), (zeros(2) + QList<double>{2} + zeros(9)));

    child<QRadioButton>(form, u"全灠"_s)->click();
    EXPECT_EQ(columnLabels(form), (QStringList{u"林大明"_s, u"O'Hara"_s}));
    EXPECT_EQ(column(form, 1), (zeros(4) + QList<double>{1} + zeros(7)));
    EXPECT_EQ(column(form, 2), (zeros(2) + QList<double>{2} + zeros(9)));
    // A pick while the overview shows draws the overview again, for the year now in the box.
    child<QLineEdit>(form, u"text1"_s)->setText(u"2025"_s);
    QTest::keyClick(picked, Qt::Key_Up);
    EXPECT_EQ(columnLabels(form), (QStringList{u"林大明"_s, u"O'Hara"_s}));
    EXPECT_EQ(column(form, 2), zeros(12));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ChartsTest, SalesOverviewWithoutSalespeopleHasOnlyItsMonths)
{
    addEmployee(1, u"陳小華"_s, u"送奶員"_s);
    QWidget* form = open(SalesChart);
    child<QRadioButton>(form, u"全灠"_s)->click();
    EXPECT_EQ(chartOf(form)->columnCount(), 0);
    EXPECT_EQ(chartOf(form)->rowCount(), 12);
    EXPECT_EQ(chartOf(form)->rowLabel(12), u"12月"_s);
}

TEST_F(ChartsTest, TypeOptionsSetTheChartTypeOnEveryChart)
{
    for (const QString& name : {CashChart, CustomerChart, SalesChart}) {
        SCOPED_TRACE(name.toStdString());
        QWidget* form = open(name);
        CellChart* chart = chartOf(form);
        EXPECT_EQ(chart->chartType(), CellChart::Line);
        child<QRadioButton>(form, u"立體圖"_s)->click();
        EXPECT_EQ(chart->chartType(), CellChart::Line);
        child<QRadioButton>(form, u"直條圖"_s)->click();
        EXPECT_EQ(chart->chartType(), CellChart::SolidBar);
        child<QRadioButton>(form, u"平面圖"_s)->click();
        child<QRadioButton>(form, u"圓形圖"_s)->click();
        EXPECT_EQ(chart->chartType(), CellChart::Pie);
    }
}

TEST_F(ChartsTest, DaysPostedThroughTheJournalAreTheCashChartsFirstRows)
{
    db->exec(u"insert into account_table (serial, expense, date_d, in_out) values (1, 25, ?, 'income')"_s,
             {QDate(2026, 12, 2)});
    QWidget* journal = open(u"流水帳明細表"_s);
    for (int day : {1, 2}) {
        child<QDateEdit>(journal, u"DTPicker3"_s)->setDate(QDate(2026, 12, day));
        messages.answer(MessageService::Yes);
        QTest::mouseClick(child<QToolButton>(journal, u"Button11"_s), Qt::LeftButton);
    }
    QWidget* form = open(CashChart);
    EXPECT_EQ(column(form, 1), zeros(31));
    EXPECT_EQ(column(form, 2), (QList<double>{0, 25} + zeros(29)));
}
