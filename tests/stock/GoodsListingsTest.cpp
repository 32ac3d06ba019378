#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "widgets/DataGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class GoodsListingsTest : public FormTest {
protected:
    QWidget* openForm(const QString& name)
    {
        form = open(name);
        return form;
    }

    void click(const QString& name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }
    QDateEdit* picker(int index) { return child<QDateEdit>(form, u"DTPicker%1"_s.arg(index)); }
    Recordset& rows() { return child<DataGrid>(form, u"DataGrid1"_s)->dataSource()->recordset(); }

    // One column of the grid's rows, each value as text.
    QStringList column(const QString& field)
    {
        QStringList values;
        for (int row = 0; row < rows().recordCount(); ++row)
            values << rows().valueAt(row, rows().fieldIndex(field)).toString();
        return values;
    }

    void setRange(QDate from, QDate to)
    {
        picker(1)->setDate(from);
        picker(2)->setDate(to);
    }

    QWidget* form = nullptr;
};

class MovementListTest : public GoodsListingsTest {
protected:
    void SetUp() override
    {
        GoodsListingsTest::SetUp();
        // serial, code, day
        const QList<std::tuple<int, int, QDate>> movements = {
            {1, 2, QDate(2026, 9, 30)}, {2, 1, QDate(2026, 10, 1)}, {3, 2, QDate(2026, 10, 2)},
            {4, 1, QDate(2026, 9, 30)}, {5, 1, QDate(2026, 12, 8)}, {6, 1, QDate(2026, 9, 30)},
        };
        for (const auto& [serial, code, day] : movements)
            db->exec(u"insert into pass_goods (serial, code, date_d, original_store) values (?, ?, ?, 10)"_s,
                     {serial, code, day});
        openForm(u"進出貨一灠"_s);
    }

    QString title() { return child<QLabel>(form, u"Label2"_s)->text(); }
};

TEST_F(MovementListTest, DateViewTakesBothEndsByCodeThenSerial)
{
    EXPECT_EQ(form->windowTitle(), u"in & out goods view"_s);
    EXPECT_EQ(title(), u"in & out goods view"_s);
    EXPECT_EQ(child<QLabel>(form, u"Label3"_s)->text(), u"status"_s);
    EXPECT_EQ(picker(1)->date(), QDate(2026, 12, 8));
    EXPECT_EQ(column(u"serial"_s), QStringList{u"5"_s});
    EXPECT_EQ(rows().fieldNames(), (QStringList{u"serial"_s, u"code"_s, u"date_d"_s, u"original_store"_s,
                                                u"today_enter"_s, u"today_exit"_s, u"retail"_s, u"loss"_s,
                                                u"sales_milk"_s, u"other"_s}));

    // Across a month boundary, with a one-digit day; the pickers alone change nothing.
    setRange(QDate(2026, 9, 30), QDate(2026, 10, 1));
    EXPECT_EQ(column(u"serial"_s), QStringList{u"5"_s});
    click(u"日期全灠"_s);
    EXPECT_EQ(title(), u"date view"_s);
    EXPECT_EQ(column(u"serial"_s), (QStringList{u"2"_s, u"4"_s, u"6"_s, u"1"_s}));

    setRange(QDate(2026, 10, 2), QDate(2026, 10, 1));
    click(u"日期全灠"_s);
    EXPECT_EQ(rows().recordCount(), 0);
}

TEST_F(MovementListTest, OverviewOrdersByCodeDayAndSerialUntilDateViewIsPressed)
{
    click(u"全灠"_s);
    EXPECT_EQ(child<QLabel>(form, u"Label2"_s)->text(), u"overview"_s);
    EXPECT_EQ(column(u"serial"_s), (QStringList{u"4"_s, u"6"_s, u"2"_s, u"5"_s, u"1"_s, u"3"_s}));
    setRange(QDate(2026, 10, 1), QDate(2026, 10, 2));
    EXPECT_EQ(rows().recordCount(), 6);
    click(u"日期全灠"_s);
    EXPECT_EQ(column(u"serial"_s), (QStringList{u"2"_s, u"3"_s}));
}

TEST_F(MovementListTest, RefusedQueryShowsTheReasonAndKeepsRowsAndTitle)
{
    db->exec(u"alter table pass_goods rename to pass_goods_gone"_s);
    click(u"全灠"_s);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_TRUE(messages.last().text.contains(u"pass_goods"_s)) << messages.last().text.toStdString();
    EXPECT_EQ(title(), u"in & out goods view"_s);
    EXPECT_EQ(column(u"serial"_s), QStringList{u"5"_s});
}

// The expected shipments, on both databases.
class ExpectedShipmentsTest : public GoodsListingsTest, public ::testing::WithParamInterface<Backend> {
protected:
    ExpectedShipmentsTest() { backend = GetParam(); }

    void SetUp() override
    {
        GoodsListingsTest::SetUp();
        if (IsSkipped())
            return;
        db->exec(u"insert into products_data (code, names, store) values (3, '鮮乳', 10), (1, '羊乳', 20), "
                 "(2, '豆漿', 30), (4, '鮮乳', 40)"_s);
        // name, day, bottles subscribed (one more is given, added and taken off), refund, suspend
        const QList<std::tuple<QString, QDate, int, int, int>> deliveries = {
            {u"鮮乳"_s, QDate(2026, 4, 10), 5, 0, 0},  {u"鮮乳"_s, QDate(2026, 4, 3), 2, 0, 0},
            {u"鮮乳"_s, QDate(2026, 4, 2), 50, 0, 0},  {u"鮮乳"_s, QDate(2026, 4, 23), 50, 0, 0},
            {u"羊乳"_s, QDate(2026, 4, 22), 20, 0, 0},  {u"羊乳"_s, QDate(2026, 4, 12), 9, 1, 0},
            {u"豆漿"_s, QDate(2026, 4, 10), 9, 1, 0},  {u"豆漿"_s, QDate(2026, 4, 11), 9, 0, 1},
            {u"豆漿"_s, QDate(2026, 12, 8), 1, 0, 0},
        };
        for (const auto& [name, day, subscribed, refund, suspend] : deliveries)
            db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num, "
                     "refund, suspend) values (1, ?, ?, ?, 1, 1, 1, ?, ?)"_s,
                     {day, name, subscribed, refund, suspend});
        openForm(u"日期出貨"_s);
    }
};

TEST_P(ExpectedShipmentsTest, CountsTheDeliveredRowsOfTheRangePerProduct)
{
    EXPECT_EQ(form->windowTitle(), u"Plan Date Exit"_s);
    EXPECT_EQ(rows().fieldNames(), (QStringList{u"code"_s, u"names"_s, u"store"_s, u"預計出貨總瓶數"_s}));
    EXPECT_EQ(column(u"code"_s), QStringList{u"2"_s});

    setRange(QDate(2026, 4, 3), QDate(2026, 4, 22));
    // 豆漿's rows are all refunded or suspended; both products named 鮮乳 take its rows.
    EXPECT_EQ(column(u"code"_s), (QStringList{u"1"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(column(u"預計出貨總瓶數"_s), (QStringList{u"21"_s, u"9"_s, u"9"_s}));
    EXPECT_EQ(column(u"store"_s), (QStringList{u"20"_s, u"10"_s, u"40"_s}));

    click(u"出貨數量排序"_s);
    EXPECT_EQ(column(u"code"_s), (QStringList{u"3"_s, u"4"_s, u"1"_s}));
    click(u"產品名稱排序"_s);
    EXPECT_EQ(column(u"names"_s), (QStringList{u"羊乳"_s, u"鮮乳"_s, u"鮮乳"_s}));
    click(u"產品編號排序"_s);
    EXPECT_EQ(column(u"code"_s), (QStringList{u"1"_s, u"3"_s, u"4"_s}));

    click(u"出貨數量排序"_s);
    picker(1)->setDate(QDate(2026, 4, 10));
    EXPECT_EQ(column(u"code"_s), (QStringList{u"1"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(column(u"預計出貨總瓶數"_s), (QStringList{u"21"_s, u"6"_s, u"6"_s}));

    setRange(QDate(2026, 4, 23), QDate(2026, 4, 22));
    EXPECT_EQ(rows().recordCount(), 0);
}

TEST_P(ExpectedShipmentsTest, RefusedQueryShowsTheReasonAndKeepsTheRows)
{
    db->exec(u"alter table order_date rename to order_date_gone"_s);
    picker(1)->setDate(QDate(2026, 12, 1));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_TRUE(messages.last().text.contains(u"order_date"_s)) << messages.last().text.toStdString();
    EXPECT_EQ(column(u"code"_s), QStringList{u"2"_s});
}

INSTANTIATE_TEST_SUITE_P(Backends, ExpectedShipmentsTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
