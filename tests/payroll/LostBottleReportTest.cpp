#include "FormTest.h"
#include "SheetRuns.h"

#include "data/Database.h"
#include "widgets/DataCombo.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// March 2024 in areas 1 and 2, with employees 7 and 9 charged for the bottles; one row of "Bob's" that
// nobody is charged for. Rows of February and April around the month, one with every bottle returned.
class LostBottleReportTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        runs = std::make_unique<SheetRuns>(*app);
        for (const QVariantList& c : QList<QVariantList>{{1, u"王大明"_s}, {2, u"Lee"_s}, {3, u"Many"_s}})
            db->exec(u"insert into customer_data (c_code, name) values (?, ?)"_s, c);
        for (int area : {1, 2})
            db->exec(u"insert into milk_area (milk_area) values (?)"_s, {area});
        for (int code : {7, 9})
            db->exec(u"insert into employees_data (e_code, name) values (?, ?)"_s, {code, u"E%1"_s.arg(code)});
        const QVariant nobody(QMetaType::fromType<int>());
        lost(1, u"2024-03-31"_s, u"milk"_s, 1, 2, 7);
        lost(1, u"2024-04-01"_s, u"milk"_s, 1, 2, 7);
        lost(1, u"2024-02-29"_s, u"milk"_s, 1, 1, 7);
        lost(1, u"2024-03-05"_s, u"milk"_s, 1, 0, 7);
        lost(2, u"2024-03-10"_s, u"tea"_s, 2, 1, 9);
        lost(2, u"2024-03-10"_s, u"tea"_s, 2, 1, 9); // the same row twice comes once
        lost(1, u"2024-03-15"_s, u"milk"_s, 2, 1.5, 9);
        lost(2, u"2024-03-02"_s, u"Bob's"_s, 2, 3, nobody);
    }

    void lost(int code, const QString& day, const QString& product, int area, double bottles, const QVariant& duty)
    {
        db->exec(u"insert into order_date (c_code, date_d, names, milk_area, not_bottle, loss_duty)"
                 " values (?, ?, ?, ?, ?, ?)"_s,
                 {code, day, product, area, bottles, duty});
    }

    void run(const QString& option, const QString& combo, const QString& year = u"2024"_s,
             const QString& month = u"3"_s)
    {
        form = open(u"載入應收帳款扣薪明細表"_s);
        child<QLineEdit>(form, u"text1"_s)->setText(year);
        child<QLineEdit>(form, u"Text2"_s)->setText(month);
        QTest::mouseClick(child<QRadioButton>(form, option), Qt::LeftButton);
        if (option != u"Option2"_s)
            child<DataCombo>(form, option == u"Option1"_s ? u"DataCombo1"_s : u"DataCombo2"_s)->setText(combo);
        QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton);
    }

    // Customer, day, product, area, bottles and employee of each row from row 4 down.
    QStringList listed() const
    {
        QStringList rows;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row = 4; row <= sheet.rows.size(); ++row)
            rows << u"%1 %2 %3 %4 %5 %6"_s.arg(sheet.cell(row, 1).toString(),
                                               sheet.cell(row, 3).toDate().toString(u"M/d"_s),
                                               sheet.cell(row, 4).toString(), sheet.cell(row, 5).toString(),
                                               sheet.cell(row, 6).toString(), sheet.cell(row, 7).toString());
        return rows;
    }

    bool closed() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull() || !form->isVisible();
    }

    const QStringList everyArea{u"2 3/2 Bob's 2 3 "_s, u"1 3/31 milk 1 2 7"_s, u"1 3/15 milk 2 1.5 9"_s,
                                u"2 3/10 tea 2 1 9"_s};
    std::unique_ptr<SheetRuns> runs;
    QPointer<QWidget> form;
};

TEST_F(LostBottleReportTest, OpensOnThisMonthForOneAreaWithEveryEmployeeCode)
{
    form = open(u"載入應收帳款扣薪明細表"_s);
    EXPECT_EQ(form->windowTitle(), u"promise detailed"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"2026"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"12"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    EXPECT_EQ(child<DataCombo>(form, u"DataCombo1"_s)->count(), 2);
    auto* employees = child<DataCombo>(form, u"DataCombo2"_s);
    ASSERT_EQ(employees->count(), 2);
    EXPECT_EQ(employees->itemText(1), u"9"_s);
    QTest::mouseClick(child<QPushButton>(form, u"CancelButton"_s), Qt::LeftButton);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(runs->sheets().isEmpty());
}

TEST_F(LostBottleReportTest, EachScopeListsTheMonthsUnreturnedBottlesByEmployeeThenCustomerAndDay)
{
    run(u"Option2"_s, {});
    EXPECT_EQ(listed(), everyArea);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows(), (QList<int>{4, 5, 6, 7}));
    EXPECT_EQ(sheet.row(5, 8), (QVariantList{1, u"王大明"_s, QDate(2024, 3, 31), u"milk"_s, 1, 2.0, 7, QVariant()}));
    EXPECT_EQ(runs->opened().size(), 1);
    EXPECT_TRUE(closed());

    run(u"Option1"_s, u"1"_s);
    EXPECT_EQ(listed(), QStringList{everyArea[1]});
    run(u"Option1"_s, u" 2 "_s);
    EXPECT_EQ(listed(), (QStringList{everyArea[0], everyArea[2], everyArea[3]}));
    run(u"Option3"_s, u"9"_s);
    EXPECT_EQ(listed(), everyArea.mid(2));
    EXPECT_EQ(runs->sheets().size(), 4);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(LostBottleReportTest, TenRowsFillSheetRowsFourToThirteen)
{
    for (int day = 1; day <= 10; ++day)
        lost(3, QDate(2024, 5, day).toString(Qt::ISODate), u"milk"_s, 1, day, 7);
    run(u"Option3"_s, u"7"_s, u"2024"_s, u"5"_s);
    const SheetRuns::Sheet& sheet = runs->sheets()[0];
    EXPECT_EQ(sheet.filledRows().first(), 4);
    EXPECT_EQ(sheet.filledRows().last(), 13);
    EXPECT_EQ(sheet.rows[12].size(), 7);
    EXPECT_EQ(sheet.cell(13, 3), QVariant(QDate(2024, 5, 10)));
    EXPECT_EQ(sheet.cell(13, 6), QVariant(10.0));
}

TEST_F(LostBottleReportTest, AMonthWithoutRowsClosesWithoutASheet)
{
    const QList<QStringList> cases = {{u"Option2"_s, {}, u"2024"_s, u"6"_s}, {u"Option2"_s, {}, u"2024"_s, u"13"_s},
                                      {u"Option2"_s, {}, u"abc"_s, u"3"_s}, {u"Option1"_s, u""_s, u"2024"_s, u"3"_s}};
    for (const QStringList& c : cases) {
        run(c[0], c[1], c[2], c[3]);
        EXPECT_TRUE(closed()) << c.join(u'|').toStdString();
    }
    EXPECT_TRUE(runs->sheets().isEmpty());
    EXPECT_TRUE(runs->opened().isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(LostBottleReportTest, ACodeThatIsNotAWholeNumberGivesInputErrAndKeepsTheDialog)
{
    const QList<QStringList> cases = {{u"Option3"_s, u""_s}, {u"Option3"_s, u"1 or 1=1"_s}, {u"Option1"_s, u"abc"_s},
                                      {u"Option1"_s, u"1.5"_s}};
    for (const QStringList& c : cases) {
        messages.clear();
        run(c[0], c[1]);
        ASSERT_EQ(messages.count(), 1) << c.join(u'|').toStdString();
        EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
        EXPECT_EQ(messages.last().flags, 16);
        EXPECT_EQ(messages.last().title, u"錯誤"_s);
        EXPECT_TRUE(messages.last().detail.endsWith(u" must be a whole number from -2147483648 to 2147483647."_s))
            << messages.last().detail.toStdString();
        EXPECT_FALSE(closed());
    }
    EXPECT_TRUE(runs->sheets().isEmpty());
}

class LostBottleReportOnServerTest : public LostBottleReportTest {
protected:
    LostBottleReportOnServerTest() { backend = Backend::PostgreSQL; }
};

TEST_F(LostBottleReportOnServerTest, EveryAreaListsTheSameRowsInTheSameOrder)
{
    run(u"Option2"_s, {});
    EXPECT_EQ(listed(), everyArea);
    EXPECT_EQ(runs->sheets()[0].cell(5, 3), QVariant(QDate(2024, 3, 31)));
}

} // namespace
