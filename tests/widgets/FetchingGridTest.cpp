#include "TestDatabase.h"
#include "data/DataError.h"
#include "widgets/FetchingGrid.h"

#include <QCoreApplication>
#include <QFile>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTest>
#include <algorithm>
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
    grid.setQuery({u"select * from order_date"_s, u"c_code > ?"_s, {0}, {u"c_code"_s, u"id"_s}});

    EXPECT_EQ(grid.rowsRead(), 256);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), u"c_code"_s) << "the surrogate key is hidden";
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), u"2026/12/1"_s);
    EXPECT_EQ(grid.currentValue(u"c_code"_s).toInt(), 1);
    EXPECT_EQ(grid.currentValue(u"date_d"_s).toDate(), QDate(2026, 12, 1));

    grid.scrollToBottom();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QTest::qWait(20);
    EXPECT_GT(grid.rowsRead(), 256);

    EXPECT_THROW(grid.setQuery({u"select * from no_such_table"_s, {}, {}, {u"id"_s}}), DataError);
    EXPECT_GT(grid.rowsRead(), 256) << "a refused query keeps the rows on show";
    grid.refresh();
    EXPECT_EQ(grid.rowsRead(), 256);

    // A page the books refuse is said once, after the scroll, and no further page is asked for.
    QStringList refusals;
    QObject::connect(&grid, &FetchingGrid::pageRefused, [&](const QString& message, const QString& detail) {
        refusals << message + u" / "_s + detail;
    });
    db->exec(u"drop table order_date"_s);
    grid.model()->fetchMore({});
    EXPECT_TRUE(refusals.isEmpty()) << "not inside the view's fetch";
    QCoreApplication::processEvents();
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].contains(u"order_date"_s)) << refusals[0].toStdString();
    EXPECT_FALSE(grid.model()->canFetchMore({}));
    EXPECT_EQ(grid.rowsRead(), 256);
}

namespace {

// Books of 2,000 rows, one a customer, in the order of their keys, whose table has two leaf pages
// overwritten with garbage: the one holding row `damaged[0]`, the one holding `damaged[1]`. Returns
// the books, opened again.
std::unique_ptr<Database> booksWithDamagedRows(std::initializer_list<int> damaged)
{
    auto db = openTestDatabase(Backend::SQLite);
    {
        Transaction transaction(*db);
        for (int customer = 1; customer <= 2000; ++customer)
            db->exec(u"insert into order_date (c_code, date_d, names, bottle_type) values (?, ?, 'milk', ?)"_s,
                     {customer, QDate(2026, 12, 1), QString(60, u'g')});
        transaction.commit();
    }
    // The leaf pages in the order of the keys they hold, each with its number of rows.
    QList<std::pair<int, int>> leaves;
    QSqlQuery pages = db->exec(u"select pageno, ncell from dbstat where name = 'order_date' and pagetype = 'leaf' order by path"_s);
    while (pages.next())
        leaves.append({pages.value(0).toInt(), pages.value(1).toInt()});
    const int pageSize = db->scalar(u"pragma page_size"_s).toInt();
    const QString location = db->location();
    db.reset();

    QFile file(location);
    EXPECT_TRUE(file.open(QIODevice::ReadWrite));
    for (const int row : damaged) {
        int first = 1;
        const auto leaf = std::find_if(leaves.cbegin(), leaves.cend(), [&](const auto& page) {
            first += page.second;
            return row < first;
        });
        EXPECT_GT(row - (first - leaf->second), 10) << "the damage begins within a page of the grid";
        file.seek(qint64(leaf->first - 1) * pageSize);
        file.write(QByteArray(pageSize, char(0xa5)));
    }
    file.close();
    return Database::open(location);
}

} // namespace

// A row that cannot be read amid a page refuses the page: the rows before it are not the whole list.
TEST(FetchingGridTest, ARowTheBooksCannotReadRefusesItsPage)
{
    auto db = booksWithDamagedRows({150, 720});
    FetchingGrid grid(*db, u"order_date"_s);
    QStringList refusals;
    QObject::connect(&grid, &FetchingGrid::pageRefused, [&](const QString& message, const QString& detail) {
        refusals << message + u" / "_s + detail;
    });

    // The first page: refused with the books' error, and nothing read is shown.
    try {
        grid.setQuery({u"select * from order_date"_s, {}, {}, {u"c_code"_s, u"date_d"_s, u"id"_s}});
        ADD_FAILURE() << "a damaged first page was read as " << grid.rowsRead() << " rows";
    } catch (const DataError& error) {
        EXPECT_TRUE(refusalDetail(error).contains(u"malformed"_s)) << refusalDetail(error).toStdString();
    }
    EXPECT_EQ(grid.rowsRead(), 0);

    // A later page: its rows before the damage are not shown, and no more pages are asked for.
    grid.setQuery({u"select * from order_date"_s, u"c_code > ?"_s, {300}, {u"c_code"_s, u"date_d"_s, u"id"_s}});
    ASSERT_EQ(grid.rowsRead(), 256);
    grid.model()->fetchMore({});
    QCoreApplication::processEvents();
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_TRUE(refusals[0].contains(u"malformed"_s)) << refusals[0].toStdString();
    EXPECT_EQ(grid.rowsRead(), 256);
    EXPECT_FALSE(grid.model()->canFetchMore({}));
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
    grid.setQuery({u"select * from order_date"_s, {}, {}, {u"c_code"_s, u"id"_s}});
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

// Another clerk deletes two rows of the first page and adds one before it and one after it: the next
// pages go on after the last row shown, so no row is shown twice and none is passed over. Counted
// from a position, the second page would begin two rows late and pass over customers 257 and 258.
TEST_P(FetchingGridBackendTest, RowsWrittenBetweenPagesAreEachShownOnce)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    addDayRows(*db);
    FetchingGrid grid(*db, u"order_date"_s);
    grid.setQuery({u"select * from order_date"_s, u"date_d = ?"_s, {QDate(2026, 12, 1)}, {u"c_code"_s, u"id"_s}});
    ASSERT_EQ(grid.rowsRead(), 256);

    auto other = openSecondConnection(*db);
    other->exec(u"delete from order_date where c_code in (10, 20)"_s);
    other->exec(u"insert into order_date (c_code, date_d, names) values (50, ?, 'tea'), (400, ?, 'tea')"_s,
                {QDate(2026, 12, 1), QDate(2026, 12, 1)});
    while (grid.model()->canFetchMore({}))
        grid.model()->fetchMore({});

    ASSERT_EQ(grid.rowsRead(), 256 + 344 + 1) << "the rows read before stay; customer 50's new row came before them";
    QList<int> customers;
    for (int row = 0; row < grid.rowsRead(); ++row)
        customers << grid.model()->index(row, 0).data().toInt();
    EXPECT_EQ(customers[256], 257);
    EXPECT_EQ(customers.count(10), 1) << "a row deleted after it was shown stays on show";
    EXPECT_EQ(customers.count(400), 2);
    EXPECT_EQ(customers.count(300), 1);
    EXPECT_TRUE(std::is_sorted(customers.cbegin(), customers.cend()));
}

// Rows without a customer come first; past them the pages go on, and none is left out after them.
TEST_P(FetchingGridBackendTest, RowsWithoutAValueToGoOnFromAreAllShown)
{
    REQUIRE_BACKEND(GetParam());
    auto db = openTestDatabase(GetParam());
    addDayRows(*db);
    db->exec(u"insert into order_date (date_d, names) select date_d, names from order_date where c_code <= 300"_s);
    FetchingGrid grid(*db, u"order_date"_s);
    grid.setQuery({u"select * from order_date"_s, {}, {}, {u"c_code"_s, u"id"_s}});
    while (grid.model()->canFetchMore({}))
        grid.model()->fetchMore({});
    EXPECT_EQ(grid.rowsRead(), 900);
    EXPECT_EQ(grid.model()->index(300, 0).data().toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, FetchingGridBackendTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
