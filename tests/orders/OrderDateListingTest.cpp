#include "FormTest.h"
#include "SheetRuns.h"

#include "data/Database.h"
#include "widgets/DataCombo.h"
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// December 2026: customer 1 (area 1) on the 9th and the 10th, customer 2 (area 2), customer 5 whose
// flags were never set; customers 3 and 4 returned their bottles or lapsed. Rows of November and
// January around the month.
class OrderDateListingTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        runs = std::make_unique<SheetRuns>(*app);
        const QVariant unset(QMetaType::fromType<int>());
        const QList<QVariantList> customers = {
            {1, u"王大明"_s, 0, 0}, {2, u"Lee"_s, 0, 0}, {3, u"Gone"_s, 1, 0}, {4, u"Late"_s, 0, 1}, {5, u"New"_s, unset, unset}};
        for (const QVariantList& c : customers)
            db->exec(u"insert into customer_data (c_code, name, returnss, timeout) values (?, ?, ?, ?)"_s, c);
        delivery(1, u"2026-12-10"_s, u"milk"_s, 1);
        delivery(1, u"2026-12-09"_s, u"tea"_s, 1);
        delivery(1, u"2026-12-09"_s, u"milk"_s, 1);
        delivery(1, u"2026-12-09"_s, u"milk"_s, 1); // the same row twice is listed once
        delivery(1, u"2026-11-30"_s, u"milk"_s, 1);
        delivery(1, u"2027-01-01"_s, u"milk"_s, 1);
        delivery(2, u"2026-12-01"_s, u"milk"_s, 2);
        delivery(3, u"2026-12-05"_s, u"milk"_s, 1);
        delivery(4, u"2026-12-05"_s, u"milk"_s, 1);
        delivery(5, u"2026-12-31"_s, u"milk"_s, 1);
    }

    void delivery(int code, const QString& day, const QString& product, int area)
    {
        db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num, "
                 "not_bottle, expense, refund, suspend, milk_area) values (?, ?, ?, 2, 1, 0.5, 1, 0, 42.5, 0, 1, ?)"_s,
                 {code, day, product, area});
    }

    void run(const QString& option, const QString& combo, const QString& year = u"2026"_s,
             const QString& month = u"12"_s)
    {
        form = open(u"載入客戶訂的日期"_s);
        child<QLineEdit>(form, u"text1"_s)->setText(year);
        child<QLineEdit>(form, u"Text2"_s)->setText(month);
        QTest::mouseClick(child<QRadioButton>(form, option), Qt::LeftButton);
        if (option != u"Option2"_s)
            child<DataCombo>(form, option == u"Option1"_s ? u"DataCombo1"_s : u"DataCombo2"_s)->setText(combo);
        QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton);
    }

    // Customer, day and product of each listed row, from row 4 down.
    QStringList listed() const
    {
        QStringList rows;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row = 4; row <= sheet.rows.size(); ++row)
            rows << u"%1 %2 %3"_s.arg(sheet.cell(row, 1).toString(), sheet.cell(row, 3).toDate().toString(u"M/d"_s),
                                     sheet.cell(row, 4).toString());
        return rows;
    }

    bool closed() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull() || !form->isVisible();
    }

    std::unique_ptr<SheetRuns> runs;
    QPointer<QWidget> form;
};

TEST_F(OrderDateListingTest, OpensOnThisMonthForOneCustomer)
{
    form = open(u"載入客戶訂的日期"_s);
    EXPECT_EQ(form->windowTitle(), u"customer subscribe date"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"2026"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"12"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    EXPECT_EQ(child<DataCombo>(form, u"DataCombo1"_s)->count(), 5);
}

TEST_F(OrderDateListingTest, TheArrowsStepTheirOwnValueIntoTheBoxes)
{
    form = open(u"載入客戶訂的日期"_s);
    auto* year = child<QLineEdit>(form, u"text1"_s);
    auto* month = child<QLineEdit>(form, u"Text2"_s);
    year->setText(u"2030"_s); // typing moves no arrow
    child<UpDown>(form, u"UpDown1"_s)->stepUp();
    EXPECT_EQ(year->text(), u"2027"_s);
    child<UpDown>(form, u"UpDown2"_s)->stepUp(); // December is the last month
    EXPECT_EQ(month->text(), u"12"_s);
    child<UpDown>(form, u"UpDown2"_s)->stepDown();
    EXPECT_EQ(month->text(), u"11"_s);
}

TEST_F(OrderDateListingTest, OneCustomerListsTheMonthFromRowFourWithEveryColumn)
{
    run(u"Option1"_s, u"1"_s);
    ASSERT_EQ(runs->sheets().size(), 1);
    EXPECT_EQ(listed(), (QStringList{u"1 12/9 milk"_s, u"1 12/9 tea"_s, u"1 12/10 milk"_s}));
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_TRUE(sheet.row(3, 13) == QVariantList(13));
    const QVariantList first = sheet.row(4, 14);
    EXPECT_EQ(first[0].toInt(), 1);
    EXPECT_EQ(first[1], QVariant(u"王大明"_s));
    EXPECT_EQ(first[2], QVariant(QDate(2026, 12, 9)));
    EXPECT_EQ(first.mid(4, 6), (QVariantList{2.0, 1.0, 0.5, 1.0, 0.0, 42.5}));
    EXPECT_EQ(first.mid(10, 4), (QVariantList{false, true, 1, QVariant()}));
    // Columns are fitted: the date "2026/12/10" is the widest of C.
    EXPECT_EQ(sheet.widths[2], 11);
    EXPECT_EQ(runs->opened().size(), 1);
    EXPECT_TRUE(closed());
}

TEST_F(OrderDateListingTest, EveryCustomerAndOneAreaLeaveOutReturnedAndLapsedCustomers)
{
    run(u"Option2"_s, {}, u" 2026 "_s);
    EXPECT_EQ(listed(), (QStringList{u"1 12/9 milk"_s, u"1 12/9 tea"_s, u"1 12/10 milk"_s, u"2 12/1 milk"_s,
                                     u"5 12/31 milk"_s}));
    run(u"Option3"_s, u"2"_s);
    EXPECT_EQ(listed(), (QStringList{u"2 12/1 milk"_s}));
    EXPECT_TRUE(closed());
}

TEST_F(OrderDateListingTest, AnEmptyMonthGivesAnEmptySheetAndCloses)
{
    run(u"Option2"_s, {}, u"2026"_s, u"2"_s);
    ASSERT_EQ(runs->sheets().size(), 1);
    EXPECT_TRUE(runs->sheets()[0].rows.isEmpty());
    EXPECT_EQ(runs->opened().size(), 1);
    EXPECT_TRUE(closed());
}

TEST_F(OrderDateListingTest, InputThatIsNotAWholeNumberInRangeGivesInputErrAndNoSheet)
{
    const QList<QStringList> cases = {
        {u"Option2"_s, {}, u"20x6"_s, u"12"_s}, {u"Option2"_s, {}, u"0"_s, u"12"_s},
        {u"Option2"_s, {}, u"2026"_s, u"13"_s}, {u"Option2"_s, {}, u"2026"_s, u""_s},
        {u"Option2"_s, {}, u"2026"_s, u"1.5"_s}, {u"Option1"_s, u""_s, u"2026"_s, u"12"_s},
        {u"Option1"_s, u"1 or 1=1"_s, u"2026"_s, u"12"_s}, {u"Option3"_s, u"a"_s, u"2026"_s, u"12"_s},
    };
    for (const QStringList& c : cases) {
        messages.clear();
        run(c[0], c[1], c[2], c[3]);
        ASSERT_EQ(messages.count(), 1) << c.join(u'|').toStdString();
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().flags, 16);
        EXPECT_EQ(messages.last().title, u"Err."_s);
        EXPECT_FALSE(closed());
    }
    EXPECT_TRUE(runs->sheets().isEmpty());
    EXPECT_TRUE(runs->opened().isEmpty());
}

class OrderDateListingOnServerTest : public OrderDateListingTest {
protected:
    OrderDateListingOnServerTest() { backend = Backend::PostgreSQL; }
};

TEST_F(OrderDateListingOnServerTest, EveryCustomerListsTheSameRows)
{
    run(u"Option2"_s, {});
    EXPECT_EQ(listed(), (QStringList{u"1 12/9 milk"_s, u"1 12/9 tea"_s, u"1 12/10 milk"_s, u"2 12/1 milk"_s,
                                     u"5 12/31 milk"_s}));
    EXPECT_EQ(runs->sheets()[0].cell(4, 3), QVariant(QDate(2026, 12, 9)));
    EXPECT_EQ(runs->sheets()[0].cell(4, 12), QVariant(true));
}

} // namespace
