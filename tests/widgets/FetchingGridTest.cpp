#include "TestDatabase.h"
#include "data/DataError.h"
#include "widgets/FetchingGrid.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A day's rows of 600 customers: more than two pages of the grid.
void addDayRows(Database& db)
{
    Transaction transaction(db);
    for (int customer = 1; customer <= 600; ++customer)
        db.exec(u"insert into order_date (c_code, date_d, names) values (?, ?, 'milk')"_s, {customer, QDate(2026, 12, 1)});
    transaction.commit();
}

} // namespace

TEST(FetchingGridTest, ReadsTheRowsAsTheyAreScrolledToAndShowsThemAsTheOtherGrids)
{
    auto db = openTestDatabase(Backend::SQLite);
    addDayRows(*db);
    FetchingGrid grid(*db, u"order_date"_s);
    grid.resize(600, 300);
    grid.show();
    grid.setQuery(u"select * from order_date where c_code > ? order by c_code"_s, {0});

    EXPECT_EQ(grid.rowsRead(), 256);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), u"c_code"_s) << "the surrogate key is hidden";
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), u"2026/12/1"_s);
    EXPECT_EQ(grid.currentValue(u"c_code"_s).toInt(), 1);
    EXPECT_EQ(grid.currentValue(u"date_d"_s).toDate(), QDate(2026, 12, 1));

    grid.scrollToBottom();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QTest::qWait(20);
    EXPECT_GT(grid.rowsRead(), 256);

    EXPECT_THROW(grid.setQuery(u"select * from no_such_table"_s), DataError);
    EXPECT_GT(grid.rowsRead(), 256) << "a refused query keeps the rows on show";
    grid.refresh();
    EXPECT_EQ(grid.rowsRead(), 256);
}

namespace {

class FetchingGridBackendTest : public ::testing::TestWithParam<Backend> {};

// Another program writes the books while the grid has read only its first page; this program's own
// save must still go through, and the next page is read as the books now stand.
TEST_P(FetchingGridBackendTest, AnOpenGridHoldsNoReadSoOtherWritesAndOwnSavesGoThrough)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    addDayRows(*db);
    FetchingGrid grid(*db, u"order_date"_s);
    grid.setQuery(u"select * from order_date order by c_code, id"_s);
    ASSERT_EQ(grid.rowsRead(), 256);

    auto other = openSecondConnection(*db);
    other->exec(u"update order_date set names = 'tea' where c_code = 600"_s);
    {
        Transaction save(*db);
        db->exec(u"insert into milk_area (milk_area) values (7)"_s);
        save.commit();
    }
    EXPECT_EQ(other->scalar(u"select count(*) from milk_area where milk_area = 7"_s).toInt(), 1);

    while (grid.model()->canFetchMore({}))
        grid.model()->fetchMore({});
    EXPECT_EQ(grid.rowsRead(), 600);
    EXPECT_EQ(grid.model()->index(599, 2).data().toString(), u"tea"_s);
}

INSTANTIATE_TEST_SUITE_P(Backends, FetchingGridBackendTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
