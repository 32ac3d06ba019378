#include "ReportTest.h"

#include "data/Database.h"
#include "widgets/DataCombo.h"
#include "widgets/UpDown.h"

#include <QDateEdit>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// December 2026: customers 1 and 2 want two-part invoices (2 also three-part), 3 pays in advance, 4
// wants three-part invoices, 5 has rows only on the first of January, 6 wants no invoice.
class InvoiceListingTest : public ReportTest, public ::testing::WithParamInterface<Backend> {
protected:
    InvoiceListingTest() { backend = GetParam(); }

    void SetUp() override
    {
        ReportTest::SetUp();
        if (!db)
            return;
        // code, name, advancepay, bill2, bill3
        const QList<QVariantList> customers = {{2, u"B"_s, 0, 1, 1}, {1, u"王大明"_s, 0, 1, 0}, {3, u"C"_s, 1, 1, 1},
                                               {4, u"D"_s, 0, 0, 1},  {5, u"E"_s, 0, 1, 1},     {6, u"F"_s, 0, 0, 0}};
        for (const QVariantList& c : customers)
            db->exec(u"insert into customer_data (c_code, name, advancepay, bill2, bill3, tel, addr, billhead,"
                     " unifyserial) values (?, ?, ?, ?, ?, '02-123', 'Road 1', 'Co', '01234567')"_s,
                     c);
        delivery(1, u"2026-12-01"_s, 0.1, 0);
        delivery(1, u"2026-12-31"_s, 0.2, 1); // refunded and suspended: not delivered
        delivery(1, u"2026-11-30"_s, 100, 0);
        delivery(2, u"2026-12-15"_s, 10, 0);
        delivery(3, u"2026-12-15"_s, 5, 0);
        delivery(4, u"2026-12-15"_s, 7, 0);
        delivery(5, u"2027-01-01"_s, 9, 0);
        delivery(6, u"2026-12-15"_s, 3, 0);
    }

    void delivery(int code, const QString& day, double expense, int refund, int suspend = -1)
    {
        db->exec(u"insert into order_date (c_code, date_d, names, expense, refund, suspend) values (?, ?, 'milk', ?, ?, ?)"_s,
                 {code, day, expense, refund, suspend < 0 ? refund : suspend});
    }

    void run(const QString& option, const QString& year = u"2026"_s, const QString& month = u"12"_s)
    {
        form = open(u"載入發票明細"_s);
        QTest::mouseClick(child<QRadioButton>(form, option), Qt::LeftButton);
        child<QLineEdit>(form, u"text1"_s)->setText(year);
        child<QLineEdit>(form, u"Text2"_s)->setText(month);
        QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton);
    }

    QList<int> listedCodes() const
    {
        QList<int> codes;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row : sheet.filledRows())
            codes << sheet.cell(row, 1).toInt();
        return codes;
    }

};

TEST_P(InvoiceListingTest, OpensOnThisMonthAndTheArrowsWriteWholeNumbers)
{
    form = open(u"載入發票明細"_s);
    EXPECT_EQ(form->windowTitle(), u"invoice customer detailed"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    auto* month = child<QLineEdit>(form, u"Text2"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"2026"_s);
    EXPECT_EQ(month->text(), u"12"_s);
    month->setText(u"007"_s);
    child<UpDown>(form, u"UpDown2"_s)->stepDown();
    EXPECT_EQ(month->text(), u"11"_s);
}

TEST_P(InvoiceListingTest, EachOptionListsItsCustomersByCodeFromRowFour)
{
    run(u"Option1"_s);
    ASSERT_EQ(runs->sheets().size(), 1);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows(), (QList<int>{4, 5}));
    EXPECT_EQ(listedCodes(), (QList<int>{1, 2}));
    const QVariantList first = sheet.row(4, 7);
    EXPECT_EQ(first.mid(1, 3), (QVariantList{u"王大明"_s, u"02-123"_s, u"Road 1"_s}));
    EXPECT_EQ(first[4], QVariant(0.1));
    EXPECT_EQ(first.mid(5), (QVariantList{u"Co"_s, u"01234567"_s}));
    EXPECT_TRUE(closed());

    run(u"Option2"_s, u"2026"_s, u"012"_s);
    EXPECT_EQ(listedCodes(), (QList<int>{2, 4}));
    EXPECT_EQ(runs->opened().size(), 2);
}

TEST_P(InvoiceListingTest, AMonthWithoutCustomersOrNotAWholeMonthGivesInputErrAndNoSheet)
{
    const QList<QStringList> cases = {{u"2026"_s, u"2"_s}, {u"2026"_s, u"13"_s}, {u"2026"_s, u"abc"_s},
                                      {u""_s, u"12"_s},    {u"2026"_s, u"1.5"_s}};
    for (const QStringList& c : cases) {
        messages.clear();
        run(u"Option1"_s, c[0], c[1]);
        expectInputErrorOnly(c.join(u'/'));
    }
    EXPECT_TRUE(runs->sheets().isEmpty());
}

// A suspended day and a refunded day are not delivered: the invoice bills what the enquiry shows.
TEST_P(InvoiceListingTest, AMonthWithASuspendedAndARefundedDayBillsWhatTheEnquiryShows)
{
    delivery(2, u"2026-12-16"_s, 12.5, 0, 1);
    delivery(2, u"2026-12-17"_s, 20.3, 1, 0);
    delivery(2, u"2026-12-18"_s, 0.3, 0, 0);
    delivery(5, u"2026-12-16"_s, 1, 0, 1); // a month with every day suspended bills nothing
    run(u"Option1"_s);
    const SheetRuns::Sheet& sheet = runs->sheets().last();
    EXPECT_EQ(listedCodes(), (QList<int>{1, 2}));
    EXPECT_EQ(sheet.cell(5, 5), QVariant(10.3));

    QWidget* enquiry = open(u"客戶帳款查詢"_s);
    child<QDateEdit>(enquiry, u"DTPicker1"_s)->setDate(QDate(2026, 12, 1));
    child<QDateEdit>(enquiry, u"DTPicker2"_s)->setDate(QDate(2026, 12, 31));
    child<DataCombo>(enquiry, u"DataCombo1"_s)->setText(u"2"_s);
    EXPECT_EQ(child<QLineEdit>(enquiry, u"Text2"_s)->text(), u"10.3"_s);
    EXPECT_EQ(messages.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, InvoiceListingTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
