#include "ReportTest.h"

#include "data/Database.h"
#include "widgets/DataCombo.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// 2026/12/8 in areas 1 and 2, products milk and tea (tea first by name, milk first by code), bottle
// types glass and paper. Area 1 is served by two employees, area 2 by none.
class DailyReportTest : public ReportTest, public ::testing::WithParamInterface<Backend> {
protected:
    DailyReportTest() { backend = GetParam(); }

    void SetUp() override
    {
        ReportTest::SetUp();
        if (!db)
            return;
        for (int area : {2, 1})
            db->exec(u"insert into milk_area (milk_area) values (?)"_s, {area});
        db->exec(u"insert into products_data (code, names) values (1, 'milk'), (2, 'tea')"_s);
        db->exec(u"insert into bottle_type (bottle_type) values ('paper'), ('glass')"_s);
        db->exec(u"insert into employees_data (e_code, name, milk_area) values (2, 'Second', 1), (1, '王大明', 1)"_s);
        db->exec(u"insert into customer_data (c_code, name) values (1, 'A'), (2, 'B')"_s);
        // customer, day, product, bottle type, area, subscribed, added, subtracted, refunded, suspended
        delivery({1, u"2026-12-08"_s, u"milk"_s, u"glass"_s, 1, 2, 1, 0.5, 0, 0});
        delivery({1, u"2026-12-08"_s, u"milk"_s, u"glass"_s, 1, 3, 0, 0, 1, 1});
        delivery({2, u"2026-12-08"_s, u"milk"_s, u"paper"_s, 1, 4, 0, 0, 0, 0});
        delivery({99, u"2026-12-08"_s, u"tea"_s, u"glass"_s, 1, 7, 0, 0, 0, 0}); // no such customer
        delivery({1, u"2026-12-09"_s, u"tea"_s, u"paper"_s, 2, 8, 0, 0, 0, 0});  // the next day
        delivery({2, u"2026-12-08"_s, u"tea"_s, u"paper"_s, 2, 5, 0, 0, 0, 0});
    }

    void delivery(const QVariantList& values)
    {
        db->exec(u"insert into order_date (c_code, date_d, names, bottle_type, milk_area, subscribe_num, add_num,"
                 " subtract_num, refund, suspend) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                 values);
    }

    void run(const QString& option, const QString& area = {})
    {
        form = open(u"載入日計報表"_s);
        QTest::mouseClick(child<QRadioButton>(form, option), Qt::LeftButton);
        if (option == u"Option1"_s)
            child<DataCombo>(form, u"DataCombo1"_s)->setText(area);
        QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton);
    }

};

TEST_P(DailyReportTest, AllAreasGiveABlockPerAreaProductAndBottleType)
{
    run(u"Option2"_s);
    ASSERT_EQ(runs->sheets().size(), 1);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows(), (QList<int>{4, 5, 6, 7, 8, 9, 10, 11}));
    const QVariant e;
    // Labels stand on the first row of their block; empty sums stay empty and the net is then 0.
    const QList<QVariantList> expected = {
        // The row both refunded and suspended is cancelled once.
        {1, u"王大明"_s, u"milk"_s, u"glass"_s, 5.0, 1.0, 0.5, 3.0, e, 2.5},
        {e, e, e, u"paper"_s, 4.0, 0.0, 0.0, e, e, 4.0},
        {e, e, u"tea"_s, u"glass"_s, e, e, e, e, e, 0.0},
        {e, e, e, u"paper"_s, e, e, e, e, e, 0.0},
        {2, e, u"milk"_s, u"glass"_s, e, e, e, e, e, 0.0},
        {e, e, e, u"paper"_s, e, e, e, e, e, 0.0},
        {e, e, u"tea"_s, u"glass"_s, e, e, e, e, e, 0.0},
        {e, e, e, u"paper"_s, 5.0, 0.0, 0.0, e, e, 5.0},
    };
    for (int i = 0; i < expected.size(); ++i) {
        QVariantList cells = sheet.row(4 + i, 10);
        cells[0] = cells[0].isNull() ? e : QVariant(cells[0].toInt());
        EXPECT_EQ(cells, expected[i]) << "row " << 4 + i;
    }
    EXPECT_GT(sheet.widths[1], 0);
    EXPECT_EQ(runs->opened().size(), 1);
    EXPECT_TRUE(closed());
}

TEST_P(DailyReportTest, OneAreaWithoutEmployeesStillCompletes)
{
    db->exec(u"delete from employees_data"_s);
    run(u"Option1"_s, u" 2 "_s);
    ASSERT_EQ(runs->sheets().size(), 1);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows(), (QList<int>{4, 5, 6, 7}));
    EXPECT_EQ(sheet.cell(4, 1).toInt(), 2);
    EXPECT_TRUE(sheet.cell(4, 2).isNull());
    EXPECT_EQ(sheet.cell(7, 10).toDouble(), 5.0);
    EXPECT_TRUE(closed());
}

TEST_P(DailyReportTest, AnAreaOrTableThatGivesNothingToListGivesInputErrAndNoSheet)
{
    for (const QString& area : {u"3"_s, u"abc"_s, u""_s, u"1.5"_s}) {
        messages.clear();
        run(u"Option1"_s, area);
        expectInputErrorOnly(area);
        EXPECT_EQ(child<DataCombo>(form, u"DataCombo1"_s)->count(), 2);
    }
    db->exec(u"delete from products_data"_s);
    run(u"Option2"_s);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_TRUE(runs->sheets().isEmpty());
}

// A row counts what it delivers, never below nothing: bottles taken off count up to those the row
// holds, and a row both refunded and suspended is cancelled once. Each case is area 2's paper tea of
// the day, Elm's 5 bottles (the fixture's row of customer 2) beside the case's row of customer 1.
TEST_P(DailyReportTest, ARowTakenOffBeyondWhatItHoldsCountsNothingNotLess)
{
    const QVariant e;
    struct Case {
        const char* what;
        QVariantList row; // subscribed, added, subtracted, refunded, suspended
        QVariantList cells; // columns 5 to 10
    };
    const QList<Case> cases = {
        // The round took 2 off a row whose order then went from 2 to 1: 1 is taken off, Elm's 5 and
        // nothing of this row go out.
        {"order lowered", {1, 0, 2, 0, 0}, {6.0, 0.0, 1.0, e, e, 5.0}},
        // The order deleted: the row keeps its 2 taken off with nothing subscribed.
        {"order deleted", {0, 0, 2, 0, 0}, {5.0, 0.0, 0.0, e, e, 5.0}},
        // Within the row: taken off as recorded.
        {"within", {3, 1, 2, 0, 0}, {8.0, 1.0, 2.0, e, e, 7.0}},
        // A refunded row takes off from its added bottles only.
        {"refunded", {3, 1, 2, 1, 0}, {8.0, 1.0, 1.0, 3.0, e, 5.0}},
        // Refunded and suspended (a holiday over a refunded day): its 3 are cancelled once.
        {"refunded and suspended", {3, 0, 0, 1, 1}, {8.0, 0.0, 0.0, 3.0, e, 5.0}},
        {"suspended", {3, 0, 4, 0, 1}, {8.0, 0.0, 0.0, e, 3.0, 5.0}},
    };
    for (const Case& c : cases) {
        db->exec(u"delete from order_date where c_code = 1 and date_d = '2026-12-08'"_s);
        delivery(QVariantList{1, u"2026-12-08"_s, u"tea"_s, u"paper"_s, 2} + c.row);
        const qsizetype before = runs->sheets().size();
        run(u"Option1"_s, u"2"_s);
        ASSERT_EQ(runs->sheets().size(), before + 1) << c.what;
        EXPECT_EQ(runs->sheets().last().row(7, 10).mid(4), c.cells) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, DailyReportTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
