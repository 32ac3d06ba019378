#include "FormTest.h"

#include "data/Database.h"
#include "widgets/CellChart.h"
#include "widgets/DataCombo.h"
#include "widgets/UpDown.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// Row by row, the received and shipped bottles the chart shows.
using Rows = QList<std::pair<double, double>>;

} // namespace

class GoodsChartTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    GoodsChartTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (IsSkipped())
            return;
        int code = 0;
        for (const QString& name : {u"fresh milk"_s, u"Lin's yoghurt"_s, u"soy milk"_s})
            db->exec(u"insert into products_data (code, names) values (?, ?)"_s, {++code, name});
        form = open(u"進出貨分析"_s);
        chart = child<CellChart>(form, u"MSChart1"_s);
        product = child<DataCombo>(form, u"DataCombo1"_s);
        yearText = child<QLineEdit>(form, u"text1"_s);
        year = child<UpDown>(form, u"UpDown1"_s);
        month = child<QComboBox>(form, u"Combo1"_s);
    }

    void movement(int product, const QDate& day, double received, double shipped)
    {
        db->exec(u"insert into pass_goods (serial, code, date_d, today_enter, today_exit) values (?, ?, ?, ?, ?)"_s,
                 {++serial, product, day, received, shipped});
    }

    // As the clerk's pick from the list.
    static void pick(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void clickYear(const QString& arrow)
    {
        QTest::mouseClick(year->findChild<QToolButton*>(arrow), Qt::LeftButton);
    }

    // The 31 rows of the chart, one a day.
    Rows shown() const
    {
        Rows rows;
        for (int row = 1; row <= 31; ++row)
            rows << std::pair{chart->data(row, 1), chart->data(row, 2)};
        return rows;
    }

    static Rows zeros() { return Rows(31, {0, 0}); }

    int serial = 0;
    QWidget* form = nullptr;
    CellChart* chart = nullptr;
    DataCombo* product = nullptr;
    QLineEdit* yearText = nullptr;
    UpDown* year = nullptr;
    QComboBox* month = nullptr;
};

TEST_P(GoodsChartTest, OpensOnThisMonthAsALineChartOfZeros)
{
    EXPECT_EQ(form->windowTitle(), u"goods analysis table"_s);
    EXPECT_EQ(child<QLabel>(form, u"Label6"_s)->text(), u"incomeing & outing chart"_s);
    EXPECT_EQ(yearText->text(), u"2026"_s);
    EXPECT_EQ(month->currentText(), u"12"_s);
    EXPECT_TRUE(product->text().isEmpty());
    EXPECT_EQ(product->count(), 3);
    EXPECT_TRUE(child<QRadioButton>(form, u"平面圖"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form, u"折線圖"_s)->isChecked());
    EXPECT_EQ(chart->chartType(), 3);
    EXPECT_EQ(chart->rowCount(), 31);
    EXPECT_EQ(chart->rowLabel(31), u"31"_s);
    EXPECT_EQ(chart->columnLabel(1), u"today_enter"_s);
    EXPECT_EQ(chart->columnLabel(2), u"today_exit"_s);
    EXPECT_EQ(shown(), zeros());
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(GoodsChartTest, WithoutAProductNoChangeRedraws)
{
    movement(1, QDate(2026, 11, 3), 10, 4);
    chart->setData(1, 1, 99);
    clickYear(u"down"_s);
    pick(month, u"11"_s);
    EXPECT_EQ(yearText->text(), u"2025"_s);
    EXPECT_EQ(chart->data(1, 1), 99);
}

// Each day's movements stand on that day, two entries of one day added up: a day without an entry, or
// one with two, shifts no later day.
TEST_P(GoodsChartTest, ShowsEachDaysMovementsOnItsDay)
{
    movement(1, QDate(2026, 12, 20), 30, 12);
    movement(1, QDate(2026, 12, 9), 10, 5);
    movement(1, QDate(2026, 12, 3), 24, 20);
    movement(1, QDate(2026, 12, 9), 38, 31);   // a second entry on the 9th
    movement(1, QDate(2027, 1, 1), 50, 50);    // the next month
    movement(2, QDate(2026, 12, 4), 7, 7);     // another product
    movement(1, QDate(2026, 11, 30), 60, 60);  // the month before
    pick(product, u"fresh milk"_s);
    Rows expected = zeros();
    expected[2] = {24, 20};
    expected[8] = {48, 36};
    expected[19] = {30, 12};
    EXPECT_EQ(shown(), expected);

    pick(month, u"11"_s);
    expected = zeros();
    expected[29] = {60, 60};
    EXPECT_EQ(shown(), expected) << "a month of 30 days leaves the 31st at 0";

    pick(month, u"12"_s);
    pick(product, u"Lin's yoghurt"_s);
    expected = zeros();
    expected[3] = {7, 7};
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(GoodsChartTest, TheSpinnerWritesTheYearBeforeTheRedrawAndTypingWaitsForAPick)
{
    movement(1, QDate(1999, 6, 5), 11, 2);
    movement(1, QDate(2027, 6, 9), 8, 3);
    pick(product, u"fresh milk"_s);
    chart->setData(1, 1, 99);

    yearText->clear();
    QTest::keyClicks(yearText, u"1999"_s);
    month->setEditText({});
    QTest::keyClicks(month, u"6"_s);
    EXPECT_EQ(chart->data(1, 1), 99) << "typing draws nothing";
    pick(month, u"6"_s);
    EXPECT_EQ(shown()[4], (std::pair<double, double>{11, 2})) << "the pick reads the typed year";

    clickYear(u"up"_s);
    EXPECT_EQ(yearText->text(), u"2027"_s) << "the spinner steps from its own value";
    EXPECT_EQ(shown()[8], (std::pair<double, double>{8, 3})) << "and the redraw reads the year it wrote";

    year->setValue(9999);
    clickYear(u"up"_s);
    EXPECT_EQ(yearText->text(), u"9999"_s);
    year->setValue(0);
    clickYear(u"down"_s);
    EXPECT_EQ(yearText->text(), u"0"_s);
}

TEST_P(GoodsChartTest, BoxesThatNameNoMonthGiveZerosWithoutAMessage)
{
    movement(1, QDate(2026, 12, 5), 8, 3);
    movement(1, QDate(9999, 12, 31), 5, 1);
    pick(product, u"fresh milk"_s);
    ASSERT_EQ(shown()[4], (std::pair<double, double>{8, 3}));
    month->setEditText({});
    clickYear(u"up"_s);
    clickYear(u"down"_s);
    EXPECT_EQ(shown(), zeros());
    month->setEditText(u"12"_s);
    year->setValue(0);
    EXPECT_EQ(shown(), zeros());
    year->setValue(9999);
    EXPECT_EQ(shown()[30], (std::pair<double, double>{5, 1})) << "the last month there is";
    EXPECT_EQ(messages.count(), 0);
}

TEST_P(GoodsChartTest, ARefusedQueryIsReportedAndShowsZeros)
{
    movement(1, QDate(2026, 12, 5), 8, 3);
    pick(product, u"fresh milk"_s);
    ASSERT_EQ(shown()[4], (std::pair<double, double>{8, 3}));
    db->exec(u"drop table pass_goods"_s);
    pick(product, u"soy milk"_s);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(messages.last().flags, MessageService::Critical);
    EXPECT_FALSE(messages.last().text.isEmpty());
    EXPECT_EQ(shown(), zeros());
}

INSTANTIATE_TEST_SUITE_P(Backends, GoodsChartTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
