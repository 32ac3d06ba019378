#include "FormTest.h"

#include "records/RecordToolbar.h"
#include "widgets/DataGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum Button { First = 1, Previous, Next, Last, Modify, Cancel, Update };

class CommissionRatesFormTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    CommissionRatesFormTest() { backend = GetParam(); }

    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        db->exec(u"INSERT INTO complete (names, code, o_c, n_c, w_c, b_c) VALUES "
                 "('鮮奶', 1, 1.5, 2, 0.5, 0.1), ('Bob''s', 2, 1, 2.5, 0.3, 0.2), ('豆漿', 3, 0, 0, 0, 0)"_s);
        form = open(u"抽成"_s);
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

TEST_P(CommissionRatesFormTest, OpensOnNoRowAndSavesTheAmountsOfTheProductShown)
{
    EXPECT_EQ(form->windowTitle(), u"commission table"_s);
    EXPECT_EQ(child<QLabel>(form, u"計數"_s)->text(), u"3"_s);
    EXPECT_EQ(box(0)->text(), QString()) << "the count walked past the last row";
    EXPECT_EQ(child<DataGrid>(form, u"DataGrid1"_s)->model()->headerData(0, Qt::Horizontal).toString(), u"code"_s);
    click(First);
    EXPECT_EQ(box(0)->text(), u"鮮奶"_s);

    click(Modify);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
    EXPECT_TRUE(box(0)->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(form, u"搜尋"_s)->isEnabled());
    type(box(1), u"3"_s);
    type(box(2), u"1.25"_s);
    click(Modify);
    EXPECT_EQ(messages.count(), 0);
    QSqlQuery row = db->exec(u"SELECT n_c, o_c, names FROM complete WHERE code = 1"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toDouble(), 3);
    EXPECT_EQ(row.value(1).toDouble(), 1.25);
    EXPECT_EQ(row.value(2).toString(), u"鮮奶"_s);
    EXPECT_FALSE(toolbar->button(Cancel)->isEnabled());
}

TEST_P(CommissionRatesFormTest, ARateBeyondTheRangeOfPayIsRefusedWithItsRange)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the boxes refuse in the program alike on both";
    click(First);
    for (const char* typed : {"1e12", "1e15", "100000000000000000000", "1e400", "-1e15"}) {
        SCOPED_TRACE(typed);
        click(Modify);
        type(box(4), QString::fromLatin1(typed));
        messages.clear();
        click(Modify);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_TRUE(messages.last().detail.contains(u"from -99999999999.9999 to 99999999999.9999"_s))
            << messages.last().detail.toStdString();
        EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
        click(Cancel);
    }
    EXPECT_EQ(db->scalar(u"SELECT b_c FROM complete WHERE code = 1"_s).toDouble(), 0.1);
}

TEST_P(CommissionRatesFormTest, FindsAProductByItsWholeNameAndCancelReturnsToTheRowRememberedLast)
{
    if (GetParam() != Backend::SQLite)
        GTEST_SKIP() << "the search runs in the program alike on both";
    search(u"Bob's  "_s);
    EXPECT_EQ(box(0)->text(), u"Bob's"_s);
    search(u"Milk"_s);
    EXPECT_EQ(messages.last().text, u"no search'Milk'data!!"_s);
    EXPECT_EQ(messages.last().title, u"search"_s);
    EXPECT_EQ(box(0)->text(), u"Bob's"_s);
    messages.clear();
    search(QString());
    EXPECT_EQ(messages.count(), 0);

    click(Modify);
    type(box(1), u"abc"_s);
    click(Modify);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(toolbar->button(Modify)->text(), u"sure_modify"_s);
    click(Cancel);
    EXPECT_EQ(box(1)->text(), u"2.5"_s);
    click(Last);
    click(Cancel);
    EXPECT_EQ(box(0)->text(), u"Bob's"_s) << "the row remembered when the last modify began";
}

INSTANTIATE_TEST_SUITE_P(Backends, CommissionRatesFormTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
