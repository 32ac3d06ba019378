#include "DamagedBooks.h"
#include "SameValue.h"
#include "TestDatabase.h"
#include "data/DataError.h"
#include "data/Recordset.h"
#include "data/RowReader.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class RowReaderTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam());
    }

    // Every value of every row as the reader gives it, beside the same query read by QSqlQuery.
    void expectSameAsTheQuery(const QString& sql, const QVariantList& values = {})
    {
        SCOPED_TRACE(sql.toStdString());
        QList<QVariantList> rows; // read first: a PostgreSQL connection gives one query's rows at a time
        {
            QSqlQuery query = db->exec(sql, values);
            while (query.next()) {
                rows.append(QVariantList());
                for (int column = 0; column < query.record().count(); ++column)
                    rows.back().append(query.value(column));
            }
        }
        ASSERT_FALSE(rows.isEmpty());
        RowReader reader(*db, sql, values);
        ASSERT_EQ(reader.record().count(), rows.front().size());
        for (int row = 0; row < rows.size(); ++row) {
            ASSERT_TRUE(reader.next()) << "row " << row;
            for (int column = 0; column < rows[row].size(); ++column)
                expectSameValue(reader.value(column), rows[row][column],
                                "row " + std::to_string(row) + ", column " + std::to_string(column) + ": "
                                    + rows[row][column].toString().toStdString());
        }
        EXPECT_FALSE(reader.next());
    }

    std::unique_ptr<Database> db;
};

// Nulls, empty texts, texts in runs and alternating, Chinese, signs and extremes of numbers, dates: the
// rows after the first are read past the driver, so every kind of value is compared past the first row.
TEST_P(RowReaderTest, ValuesAreTheQuerys)
{
    const QString insert = u"INSERT INTO order_date (c_code, date_d, names, subscribe_num, expense, milk_area, bottle_type,"
                           " loss_duty) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s;
    const QVariant noText(QMetaType::fromType<QString>());
    const QVariant noNumber(QMetaType::fromType<double>());
    const QVariant noCode(QMetaType::fromType<int>());
    const QList<QVariantList> rows{
        {1, QDate(2026, 3, 1), u"鮮乳"_s, 1.0, 30.0, 3, u"玻璃瓶"_s, noCode},
        {2, QDate(2026, 3, 1), u"優酪乳"_s, 0.5, -0.0, 3, u""_s, 7},
        {3, QDate(2026, 3, 1), u"鮮乳"_s, 1e300, -1e-300, 3, noText, -2147483647},
        {4, QDate(2026, 3, 2), noText, noNumber, 0.1, 3, u"玻璃瓶"_s, 2147483647},
        {5, QDate(2026, 3, 2), u""_s, -922337203685477.0, 922337203685477.5, 3, u"a 'quoted' ; text"_s, 0},
        {6, QDate(2026, 3, 31), u"鮮乳"_s, 0.0, 35.0, 3, u"玻璃瓶"_s, noCode},
    };
    for (const QVariantList& row : rows)
        db->exec(insert, row);
    // More different texts in turn than the reader keeps made: each is made again, and right.
    for (int i = 0; i < 30; ++i)
        db->exec(insert, {100 + i, QDate(2026, 3, 1), u"品%1"_s.arg(i % 10), 1.0, 30.0, 4, u""_s, noCode});
    expectSameAsTheQuery(u"SELECT * FROM order_date WHERE milk_area = ? AND date_d >= ? AND date_d < ? ORDER BY c_code"_s,
                         {3, QDate(2026, 3, 1), QDate(2026, 4, 1)});
    expectSameAsTheQuery(u"SELECT * FROM order_date WHERE milk_area = ? ORDER BY c_code"_s, {4});
    expectSameAsTheQuery(u"SELECT names, count(*), sum(expense), max(date_d) FROM order_date GROUP BY names ORDER BY names"_s);
    if (GetParam() == Backend::SQLite) { // a SQLite column holds any kind of value, blobs too
        expectSameAsTheQuery(u"SELECT 1, 'x' UNION ALL SELECT 2.5, x'00ff' UNION ALL SELECT NULL, x''"
                             " UNION ALL SELECT '', 9223372036854775807"_s);
        // A stored text that is not UTF-8 reads the same on the first row as on the rows after it.
        expectSameAsTheQuery(u"SELECT CAST(x'ff41c0' AS TEXT), 1 UNION ALL SELECT CAST(x'ff41c0' AS TEXT), 2"
                             " UNION ALL SELECT CAST(x'e4b8' AS TEXT), 3"_s);
    }
}

TEST_P(RowReaderTest, NoRowsIsNoRow)
{
    RowReader reader(*db, u"SELECT * FROM order_date WHERE milk_area = ?"_s, {99});
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.next());
}

// A row the books cannot give is refused, and a recordset that met it holds no rows rather than the
// rows before it as if they were all.
TEST_P(RowReaderTest, ARowThatCannotBeReadIsRefused)
{
    const QString overflowsOnItsSecondRow =
        u"SELECT abs(n) FROM (SELECT 1 AS n UNION ALL SELECT -9223372036854775807 - 1) AS pair"_s;
    if (GetParam() == Backend::SQLite) {
        RowReader reader(*db, overflowsOnItsSecondRow);
        ASSERT_TRUE(reader.next());
        EXPECT_EQ(reader.value(0), QVariant(qint64(1)));
        EXPECT_THROW(reader.next(), DataError);
    }

    Recordset rows(*db);
    rows.load(u"SELECT 1 AS n UNION ALL SELECT 2"_s);
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_THROW(rows.load(overflowsOnItsSecondRow), DataError);
    EXPECT_EQ(rows.recordCount(), 0);
    EXPECT_EQ(rows.fieldCount(), 0);
}

// A page of the books that cannot be read half-way through a read: every way of reading rows refuses the
// read and names the damage, never ends it early as if the rows before the page were all of them.
TEST(RowReaderSqlite, ADamagedPageHalfWayRefusesTheWholeRead)
{
    auto db = openTestDatabase(Backend::SQLite);
    {
        Transaction transaction(*db);
        PreparedStatement insert(*db, u"INSERT INTO order_date (c_code, date_d, names, subscribe_num) VALUES (?, ?, ?, 1)"_s);
        for (int row = 0; row < 6000; ++row)
            insert.run({row, QDate(2026, 3, 1).addDays(row % 28), u"鮮乳"_s});
        transaction.commit();
    }
    ASSERT_NO_FATAL_FAILURE(damageMiddlePageOf(db, u"order_date"_s));

    const QString everyRow = u"SELECT * FROM order_date"_s;
    int rowsRead = 0;
    auto expectDamageNamed = [](const char* how, const std::function<void()>& read) {
        try {
            read();
            ADD_FAILURE() << how << ": the read ended without a word";
        } catch (const DataError& error) {
            EXPECT_EQ(error.reason(), DataError::Reason::Damaged) << how;
            EXPECT_TRUE(error.detail().startsWith(u"The books are damaged"_s)) << how << ": " << error.detail().toStdString();
        }
    };
    expectDamageNamed("row reader", [&] {
        RowReader rows(*db, everyRow);
        while (rows.next())
            ++rowsRead;
    });
    EXPECT_GT(rowsRead, 0); // the rows before the damaged page were read, and still not taken for all
    expectDamageNamed("query", [&] {
        QSqlQuery query = db->exec(everyRow);
        while (db->nextRow(query)) {
        }
    });
    Recordset rows(*db);
    expectDamageNamed("recordset", [&] { rows.load(everyRow); });
    EXPECT_EQ(rows.recordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, RowReaderTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
