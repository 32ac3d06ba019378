#include "FormTest.h"
#include "SheetRuns.h"

#include "data/Database.h"
#include "widgets/DataCombo.h"

#include <QDateEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Three areas on 2026/12/8. Area 1: two lines of milk, a refunded and a suspended row. Area 2: two
// lines and one customer starting on 12/9 with two orders of one type; another customer whose order
// starts on 12/9 has no delivery that day. Area 3: nothing.
class DeliveryListTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (!db)
            return;
        runs = std::make_unique<SheetRuns>(*app);
        for (int area : {1, 2, 3})
            db->exec(u"insert into milk_area (milk_area) values (?)"_s, {area});
        // Addresses and route codes run opposite ways, so the two orders of lines differ.
        const QList<QVariantList> customers = {
            {1, u"王大明"_s, u"0911"_s, u"A路1號"_s, u"R2"_s, u"後門"_s, 1},
            {2, u"Lee"_s, u"0922"_s, u"B路2號"_s, u"R1"_s, QString(), 1},
            {3, u"陳"_s, u"0933"_s, u"C路3號"_s, u"R3"_s, QString(), 2},
            {4, u"Wu"_s, u"0944"_s, u"D路4號"_s, u"R4"_s, QString(), 2},
        };
        for (const QVariantList& c : customers) {
            db->exec(u"insert into customer_data (c_code, name, tel, goods_addr, goods_addr_code, temp, milk_area) "
                     "values (?, ?, ?, ?, ?, ?, ?)"_s, c);
            db->exec(u"insert into different_move (c_code) values (?)"_s, {c[0]});
        }
        delivery(1, u"2026-12-08"_s, u"milk"_s, 2, 1, 0, 0, 1, 1); // line 2 (one bottle not back), total 3
        delivery(2, u"2026-12-08"_s, u"milk"_s, 1, 0, 0, 0, 0, 1);
        delivery(1, u"2026-12-08"_s, u"tea"_s, 5, 0, 0, 0, 0, 1, u"refund"_s);
        delivery(2, u"2026-12-08"_s, u"juice"_s, 5, 0, 0, 0, 0, 1, u"suspend"_s);
        delivery(3, u"2026-12-08"_s, u"milk"_s, 1, 0, 1, 0, 0, 2);
        delivery(4, u"2026-12-08"_s, u"milk"_s, 2, 0, 0, 1, 0, 2);
        delivery(3, u"2026-12-09"_s, u"milk"_s, 1, 0, 0, 0, 0, 2);
        delivery(3, u"2026-12-09"_s, u"tea"_s, 1, 0, 0, 0, 0, 2, u"refund"_s);
        for (int code : {3, 3, 4})
            db->exec(u"insert into order_data (c_code, start_date, subscribe_type) values (?, '2026-12-09', '每日')"_s,
                     {code});
    }

    void delivery(int code, const QString& day, const QString& product, int subscribed, int given, int added,
                  int subtracted, int notBack, int area, const QString& flag = {})
    {
        db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, give_num, add_num, subtract_num, "
                 "not_bottle, milk_area, refund, suspend) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                 {code, day, product, subscribed, given, added, subtracted, notBack, area,
                  int(flag == u"refund"_s), int(flag == u"suspend"_s)});
    }

    QWidget* openList()
    {
        form = open(u"載入送貨地址"_s);
        return form;
    }

    void clickOk() { QTest::mouseClick(child<QPushButton>(form, u"OKButton"_s), Qt::LeftButton); }

    void pickAreas(const QStringList& areas)
    {
        auto* list = child<QListWidget>(form, u"List1"_s);
        for (const QString& area : areas) {
            const auto items = list->findItems(area, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
        }
    }

    // The first cells of the printed sheet, by row, for the rows that hold any.
    QMap<int, QVariantList> printed(int columns = 8) const
    {
        QMap<int, QVariantList> rows;
        const SheetRuns::Sheet& sheet = runs->sheets().last();
        for (int row : sheet.filledRows())
            rows[row] = sheet.row(row, columns);
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

const QVariant none;

QVariantList line(double bottles, const QString& product, const QVariant& note, const QString& addr,
                  const QString& name, const QString& tel, const QString& code, const QVariant& type = {})
{
    return {bottles, product, note, addr, name, tel, code, type};
}

QVariantList total(const QString& product, double bottles)
{
    return {none, none, none, product, bottles, none, none, none};
}

const QVariantList wang = line(2, u"milk"_s, u"後門"_s, u"A路1號"_s, u"王大明"_s, u"0911"_s, u"R2"_s);
const QVariantList lee = line(1, u"milk"_s, none, u"B路2號"_s, u"Lee"_s, u"0922"_s, u"R1"_s);
const QVariantList chen = line(2, u"milk"_s, none, u"C路3號"_s, u"陳"_s, u"0933"_s, u"R3"_s);
const QVariantList wu = line(1, u"milk"_s, none, u"D路4號"_s, u"Wu"_s, u"0944"_s, u"R4"_s);
const QVariantList chenStarts = line(1, u"milk"_s, none, u"C路3號"_s, u"陳"_s, u"0933"_s, u"R3"_s, u"每日"_s);

TEST_F(DeliveryListTest, EveryAreaPrintsItsLinesTotalsAndStartersOnTheCountedRows)
{
    openList();
    EXPECT_EQ(form->windowTitle(), u"goods address"_s);
    EXPECT_EQ(child<QDateEdit>(form, u"DTPicker1"_s)->date(), QDate(2026, 12, 8));
    EXPECT_TRUE(child<QRadioButton>(form, u"奶區"_s)->isChecked());
    // A changed combo does not narrow the run of every area.
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"2"_s);
    QTest::mouseClick(child<QRadioButton>(form, u"全部"_s), Qt::LeftButton);
    clickOk();

    ASSERT_EQ(runs->sheets().size(), 1);
    EXPECT_EQ(runs->opened().size(), 1);
    EXPECT_EQ(runs->sheets()[0].caption, u"goods address"_s);
    // Lines leave out the bottles not returned, totals count them; refunded and suspended rows are nowhere.
    const QMap<int, QVariantList> expected{
        {4, wang}, {5, lee}, {9, total(u"milk"_s, 4)},
        {22, chen}, {23, wu}, {27, total(u"milk"_s, 3)}, {31, chenStarts}};
    EXPECT_EQ(printed(), expected);
    EXPECT_TRUE(closed());
}

TEST_F(DeliveryListTest, OneAreaIsTheComboAreaAndAnUnknownAreaClosesWithoutASheet)
{
    openList();
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"2"_s);
    clickOk();
    ASSERT_EQ(runs->sheets().size(), 1);
    EXPECT_EQ(printed().keys(), (QList<int>{4, 5, 9, 13}));
    EXPECT_TRUE(closed());

    openList();
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"area"_s); // no number: area 0
    clickOk();
    EXPECT_EQ(runs->sheets().size(), 1);
    EXPECT_TRUE(closed());
}

TEST_F(DeliveryListTest, PickedAreasPrintAscendingInRouteOrderAndNoneGivesAnEmptySheet)
{
    openList();
    QTest::mouseClick(child<QRadioButton>(form, u"複選奶區"_s), Qt::LeftButton);
    pickAreas({u"2"_s, u"1"_s});
    clickOk();
    ASSERT_EQ(runs->sheets().size(), 1);
    const QMap<int, QVariantList> rows = printed();
    EXPECT_EQ(rows.value(4), lee); // route code R1 before R2
    EXPECT_EQ(rows.value(5), wang);
    EXPECT_EQ(rows.value(22), chen);
    EXPECT_EQ(rows.value(31), chenStarts);
    EXPECT_TRUE(closed());

    openList();
    QTest::mouseClick(child<QRadioButton>(form, u"複選奶區"_s), Qt::LeftButton);
    clickOk();
    ASSERT_EQ(runs->sheets().size(), 2);
    EXPECT_TRUE(runs->sheets()[1].filledRows().isEmpty());
    EXPECT_EQ(runs->opened().size(), 2);
    EXPECT_TRUE(closed());
}

TEST_F(DeliveryListTest, AFailureAfterTheFirstLinesKeepsThemAndLeavesTheFormOpen)
{
    openList();
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"1"_s);
    db->exec(u"drop table order_data"_s); // the starters' statement is refused
    clickOk();

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"Err.!!!"_s);
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    ASSERT_EQ(runs->opened().size(), 1);
    EXPECT_EQ(printed().keys(), (QList<int>{4, 5, 9}));
    EXPECT_FALSE(closed());
}

TEST_F(DeliveryListTest, AFolderThatCannotBeMadeGivesTheFormsMessage)
{
    QFile blocker(runs->folder() + u"/plain file"_s);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app->spreadsheets.folder = blocker.fileName() + u"/listings"_s;

    openList();
    child<DataCombo>(form, u"DataCombo1"_s)->setText(u"1"_s);
    clickOk();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"Err.!!!"_s);
    EXPECT_TRUE(runs->opened().isEmpty());
    EXPECT_FALSE(closed());
}

class DeliveryListOnServerTest : public DeliveryListTest {
protected:
    DeliveryListOnServerTest() { backend = Backend::PostgreSQL; }
};

TEST_F(DeliveryListOnServerTest, EveryAreaPrintsTheSameBlocks)
{
    openList();
    QTest::mouseClick(child<QRadioButton>(form, u"全部"_s), Qt::LeftButton);
    clickOk();
    ASSERT_EQ(runs->sheets().size(), 1);
    const QMap<int, QVariantList> expected{
        {4, wang}, {5, lee}, {9, total(u"milk"_s, 4)},
        {22, chen}, {23, wu}, {27, total(u"milk"_s, 3)}, {31, chenStarts}};
    EXPECT_EQ(printed(), expected);

    openList();
    QTest::mouseClick(child<QRadioButton>(form, u"複選奶區"_s), Qt::LeftButton);
    pickAreas({u"2"_s});
    clickOk();
    EXPECT_EQ(printed().value(4), chen);
    EXPECT_EQ(printed().value(13), chenStarts);
}

} // namespace
