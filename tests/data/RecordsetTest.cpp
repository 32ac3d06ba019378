#include "TestDatabase.h"
#include "widgets/Binder.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/Decimal.h"
#include "data/Recordset.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class RecordsetTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam());
    }

    void addCustomer(const QString& name, const QString& tel, int area)
    {
        db->exec(QStringLiteral("INSERT INTO customer_data (name, tel, milk_area, input_date) VALUES (?, ?, ?, ?)"),
                 {name, tel, area, QDate(2026, 12, 1)});
    }

    int count(const QString& table)
    {
        return db->scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
    }

    QString nameOf(int code)
    {
        return db->scalar(QStringLiteral("SELECT name FROM customer_data WHERE c_code = ?"), {code}).toString();
    }

    std::unique_ptr<Database> db;
};

TEST_P(RecordsetTest, EmptyResultStandsAtBothEnds)
{
    DataSource source(*db);
    AdodcQuery(source, QStringLiteral("SELECT * FROM customer_data WHERE milk_area = ?"), {99});
    Recordset& rs = source.recordset();
    QLineEdit name;
    name.setText(QStringLiteral("left over"));
    Binder binder(rs);
    binder.bind(&name, QStringLiteral("name"));

    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(name.text().isEmpty());
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(QStringLiteral("name")), DataError);
}

TEST_P(RecordsetTest, MovesStopAtTheEnds)
{
    addCustomer(QStringLiteral("王小明"), QStringLiteral("02-1234"), 1);
    addCustomer(QStringLiteral("李大華"), QStringLiteral("02-5678"), 2);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();

    EXPECT_EQ(rs.value(QStringLiteral("name")).toString(), QStringLiteral("王小明"));
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_THROW(rs.movePrevious(), DataError); // past BOF is an error, as the toolbar expects
    rs.moveLast();
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveLast();
    EXPECT_EQ(rs.value(QStringLiteral("NAME")).toString(), QStringLiteral("李大華")); // names match without case
    EXPECT_EQ(rs.value(QStringLiteral("input_date")).toDate(), QDate(2026, 12, 1));
    EXPECT_EQ(rs.value(QStringLiteral("tel")).toString(), QStringLiteral("02-5678"));
}

TEST_P(RecordsetTest, AliasesAreFields)
{
    addCustomer(QStringLiteral("a"), {}, 1);
    addCustomer(QStringLiteral("b"), {}, 1);
    DataSource source(*db);
    AdodcQuery(source, QStringLiteral("SELECT count(*) AS 筆數 FROM customer_data"));
    EXPECT_EQ(source.recordset().value(QStringLiteral("筆數")).toInt(), 2);
    EXPECT_FALSE(source.recordset().isWritable());
}

TEST_P(RecordsetTest, AddNewReadsBackTheGeneratedKeyAndDefaults)
{
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();
    rs.addNew();
    rs.setValue(QStringLiteral("name"), QStringLiteral("O'Brien 陳"));
    rs.setValue(QStringLiteral("tel"), QStringLiteral("0912345678"));
    rs.setValue(QStringLiteral("input_date"), QStringLiteral("2026/12/8"));
    rs.update();

    const int code = rs.value(QStringLiteral("c_code")).toInt();
    EXPECT_GT(code, 0);
    EXPECT_EQ(rs.value(QStringLiteral("cancel")).toInt(), 0); // the flag's default came back
    EXPECT_EQ(nameOf(code), QStringLiteral("O'Brien 陳"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT tel FROM customer_data WHERE c_code = ?"), {code}).toString(),
              QStringLiteral("0912345678"));
    EXPECT_EQ(rs.recordCount(), 1);
}

// A customer's companion rows outlive it; a new customer must never be given its code again.
TEST_P(RecordsetTest, DatabaseGivenKeysAreNeverGivenAgain)
{
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();
    rs.addNew();
    rs.setValue(QStringLiteral("name"), QStringLiteral("leaves"));
    rs.update();
    const int deleted = rs.value(QStringLiteral("c_code")).toInt();
    rs.remove();

    rs.addNew();
    rs.setValue(QStringLiteral("name"), QStringLiteral("joins"));
    rs.update();
    EXPECT_GT(rs.value(QStringLiteral("c_code")).toInt(), deleted);
}

TEST_P(RecordsetTest, CancelledOrAbandonedAddWritesNothing)
{
    addCustomer(QStringLiteral("first"), {}, 1);
    {
        DataSource source(*db);
        source.setTable(QStringLiteral("customer_data"));
        source.refresh();
        Recordset& rs = source.recordset();
        const auto before = rs.bookmark();
        rs.addNew();
        rs.setValue(QStringLiteral("name"), QStringLiteral("never saved"));
        rs.cancelUpdate();
        EXPECT_EQ(rs.bookmark(), before);
        EXPECT_EQ(rs.recordCount(), 1);

        rs.addNew();
        rs.setValue(QStringLiteral("name"), QStringLiteral("form closed"));
    } // the form closes with the add pending
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
}

TEST_P(RecordsetTest, ValuesThatDoNotFitTheirColumnAreRefused)
{
    addCustomer(QStringLiteral("x"), {}, 1);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();

    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("12abc"), QStringLiteral("' or 1=1 --")}) {
        try {
            rs.setValue(QStringLiteral("milk_area"), bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const DataError& error) {
            EXPECT_EQ(error.kind(), DataError::Kind::Conversion);
        }
    }
    EXPECT_THROW(rs.setValue(QStringLiteral("input_date"), QStringLiteral("2002/2/30")), DataError);

    rs.setValue(QStringLiteral("milk_area"), QString()); // empty text in a number field is no value
    rs.setValue(QStringLiteral("input_date"), QStringLiteral(" "));
    rs.update();
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).isNull());
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT input_date FROM customer_data")).isNull());
}

TEST_P(RecordsetTest, FiguresAndTextsAColumnCannotHoldAreRefusedNeverRoundedOrCut)
{
    addCustomer(QStringLiteral("x"), {}, 1);
    db->exec(QStringLiteral("INSERT INTO products_data (code, names, price) VALUES (1, 'milk', 30)"));
    DataSource customers(*db), products(*db);
    customers.setTable(QStringLiteral("customer_data"));
    products.setTable(QStringLiteral("products_data"));
    customers.refresh();
    products.refresh();
    const QString nul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    struct Case { DataSource& source; const char* field; QVariant value; };
    const Case cases[] = {
        {customers, "milk_area", QStringLiteral("12.7")}, {customers, "milk_area", 2.5},
        {customers, "milk_area", QStringLiteral("2147483648")}, {products, "price", QStringLiteral("1e400")},
        {products, "price", QStringLiteral("100000000000000000000")}, {products, "price", 1e15},
        {customers, "name", QStringLiteral("tab\there")}, {customers, "name", QStringLiteral("two\nlines")},
        {customers, "name", QStringLiteral("\x1b[2J")}, {customers, "name", nul},
    };
    for (const Case& c : cases) {
        Recordset& rs = c.source.recordset();
        try {
            rs.setValue(QString::fromLatin1(c.field), c.value);
            ADD_FAILURE() << c.field << " took " << c.value.toString().toStdString();
        } catch (const DataError& error) {
            EXPECT_EQ(error.kind(), DataError::Kind::Conversion);
            EXPECT_TRUE(error.detail().startsWith(QString::fromLatin1(c.field))) << error.detail().toStdString();
        }
        rs.cancelUpdate();
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data")).toString(), QStringLiteral("x"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT price FROM products_data")).toDouble(), 30);

    // Nor does a NUL reach the books by any other way.
    EXPECT_THROW(db->exec(QStringLiteral("INSERT INTO bottle_type (bottle_type) VALUES (?)"), {nul}), DataError);
    EXPECT_EQ(count(QStringLiteral("bottle_type")), 0);

    // What the columns hold still goes: the edge of each range, a whole number written with a fraction of 0.
    customers.recordset().setValue(QStringLiteral("milk_area"), QStringLiteral("2147483647"));
    customers.recordset().update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toLongLong(), 2147483647);
    // Four-place figures at the edge of the range come back from the books as they were written.
    for (const QString& figure : {QStringLiteral("99999999999.9999"), QStringLiteral("-99999999999.9999"),
                                 QStringLiteral("12345678901.2345")}) {
        products.recordset().setValue(QStringLiteral("price"), figure);
        products.recordset().update();
        EXPECT_EQ(Decimal::fromVariant(db->scalar(QStringLiteral("SELECT price FROM products_data"))).toString(), figure);
    }
}

TEST_P(RecordsetTest, FindMatchesValuesNeverSql)
{
    addCustomer(QStringLiteral("張三"), QStringLiteral("02-2222"), 1);
    addCustomer(QStringLiteral("O'Neil"), QStringLiteral("100%"), 2);
    addCustomer(QStringLiteral("張四"), QStringLiteral("02-2223"), 3);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();

    EXPECT_TRUE(rs.find(Criterion::contains(QStringLiteral("name"), QStringLiteral("'Ne"))));
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 2);
    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::contains(QStringLiteral("tel"), QStringLiteral("%"))));
    EXPECT_EQ(rs.value(QStringLiteral("name")).toString(), QStringLiteral("O'Neil"));

    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::contains(QStringLiteral("name"), QStringLiteral("張"))));
    EXPECT_TRUE(rs.find(Criterion::contains(QStringLiteral("name"), QStringLiteral("張")), 1)); // find next
    EXPECT_EQ(rs.value(QStringLiteral("name")).toString(), QStringLiteral("張四"));
    EXPECT_FALSE(rs.find(Criterion::contains(QStringLiteral("name"), QStringLiteral("張")), 1));
    EXPECT_TRUE(rs.eof());

    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::equals(QStringLiteral("milk_area"), QStringLiteral("3"))));
    rs.moveFirst();
    EXPECT_FALSE(rs.find(Criterion::equals(QStringLiteral("milk_area"), QStringLiteral("' or 1=1 --"))));
    rs.moveFirst();
    EXPECT_FALSE(rs.find(Criterion::equals(QStringLiteral("milk_area"), QStringLiteral("abc"))));
}

TEST_P(RecordsetTest, BookmarksSurviveASort)
{
    for (int area : {3, 1, 2})
        addCustomer(QStringLiteral("c%1").arg(area), {}, area);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();
    rs.moveNext();
    const auto mark = rs.bookmark(); // milk area 1

    rs.setSort(QStringLiteral("milk_area DESC"));
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 1); // still on the same row
    rs.moveFirst();
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 3);
    rs.moveLast();
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 1);

    rs.setSort(QStringLiteral("milk_area ASC"));
    rs.moveLast();
    EXPECT_TRUE(rs.gotoBookmark(mark));
    EXPECT_EQ(rs.absolutePosition(), 0);

    rs.setSort({});
    rs.moveFirst();
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 3); // load order again
}

TEST_P(RecordsetTest, DeleteLeavesAGapThatMovesContinueFrom)
{
    for (int area : {1, 2, 3})
        addCustomer(QStringLiteral("c%1").arg(area), {}, area);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();
    rs.moveNext();
    rs.remove();
    EXPECT_FALSE(rs.hasCurrentRow());
    EXPECT_EQ(rs.recordCount(), 2);
    rs.movePrevious();
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);

    rs.moveFirst();
    rs.remove();
    rs.moveNext();
    EXPECT_EQ(rs.value(QStringLiteral("milk_area")).toInt(), 3);
}

// Money read back must match what is stored to the last bit, or every change of a priced row would
// look like another clerk's.
TEST_P(RecordsetTest, RowsWithFractionsAndDatesCanBeChanged)
{
    db->exec(QStringLiteral("INSERT INTO order_date (c_code, date_d, names, expense, subscribe_num) VALUES (?, ?, ?, ?, ?)"),
             {7, QDate(2026, 2, 28), QStringLiteral("鮮乳"), 0.1 + 0.2, 1.0 / 3.0});
    DataSource source(*db);
    AdodcQuery(source, QStringLiteral("SELECT * FROM order_date WHERE date_d >= ? AND date_d < ?"),
               {QDate(2026, 2, 1), QDate(2026, 3, 1)});
    Recordset& rs = source.recordset();
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("date_d")).toDate(), QDate(2026, 2, 28));
    rs.setValue(QStringLiteral("suspend"), 1);
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT suspend FROM order_date")).toInt(), 1);
    EXPECT_DOUBLE_EQ(db->scalar(QStringLiteral("SELECT expense FROM order_date")).toDouble(), 0.1 + 0.2);
}

// Two clerks at two PCs read the same customer; the second save must not wipe out the first.
TEST_P(RecordsetTest, AnotherClerksChangeIsNeverOverwritten)
{
    addCustomer(QStringLiteral("original"), {}, 1);
    auto other = openSecondConnection(*db);

    DataSource mine(*db), theirs(*other);
    for (DataSource* source : {&mine, &theirs}) {
        source->setTable(QStringLiteral("customer_data"));
        source->refresh();
    }
    theirs.recordset().setValue(QStringLiteral("name"), QStringLiteral("theirs"));
    theirs.recordset().update();

    mine.recordset().setValue(QStringLiteral("name"), QStringLiteral("mine"));
    try {
        mine.recordset().update();
        ADD_FAILURE() << "the lost update went through";
    } catch (const DataError& error) {
        EXPECT_EQ(error.kind(), DataError::Kind::Conflict);
    }
    EXPECT_EQ(mine.recordset().editMode(), Recordset::EditMode::Editing); // still pending, nothing lost
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data")).toString(), QStringLiteral("theirs"));

    // The row was read again: cancel shows it as it now stands, and the change can be made over it.
    mine.recordset().cancelUpdate();
    EXPECT_EQ(mine.recordset().value(QStringLiteral("name")).toString(), QStringLiteral("theirs"));
    mine.recordset().setValue(QStringLiteral("name"), QStringLiteral("mine"));
    mine.recordset().update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data")).toString(), QStringLiteral("mine"));

    theirs.refresh();
    theirs.recordset().setValue(QStringLiteral("milk_area"), 2);
    theirs.recordset().update();
    EXPECT_THROW(mine.recordset().remove(), DataError);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
    EXPECT_EQ(mine.recordset().value(QStringLiteral("milk_area")).toInt(), 2);
}

// A new customer and its companion rows: a failure half-way leaves nothing, and the clerk can retry.
TEST_P(RecordsetTest, AnActionThatFailsHalfWayLeavesNothing)
{
    db->exec(QStringLiteral("INSERT INTO milk_area (milk_area) VALUES (?)"), {7});
    DataSource customers(*db), areas(*db);
    customers.setTable(QStringLiteral("customer_data"));
    customers.refresh();
    areas.setTable(QStringLiteral("milk_area"));
    areas.refresh();

    customers.recordset().addNew();
    customers.recordset().setValue(QStringLiteral("name"), QStringLiteral("new"));
    areas.recordset().addNew();
    areas.recordset().setValue(QStringLiteral("milk_area"), 7); // the key is taken: the insert fails

    auto save = [&] {
        Transaction transaction(*db);
        customers.recordset().update();
        areas.recordset().update();
        transaction.commit();
    };
    EXPECT_THROW(save(), DataError);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 0);
    EXPECT_EQ(customers.recordset().editMode(), Recordset::EditMode::Adding);
    EXPECT_EQ(customers.recordset().value(QStringLiteral("name")).toString(), QStringLiteral("new"));

    areas.recordset().setValue(QStringLiteral("milk_area"), 8);
    save();
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
    EXPECT_EQ(count(QStringLiteral("milk_area")), 2);
    EXPECT_GT(customers.recordset().value(QStringLiteral("c_code")).toInt(), 0);
}

TEST_P(RecordsetTest, BoundBoxesShowFormatsAndWriteOnlyWhatChanged)
{
    addCustomer(QStringLiteral("王"), QStringLiteral("02-1"), 4);
    DataSource source(*db);
    source.setTable(QStringLiteral("customer_data"));
    source.refresh();
    Recordset& rs = source.recordset();
    QLineEdit name, area, since;
    QCheckBox cancelled;
    Binder binder(rs);
    binder.bind(&name, QStringLiteral("name"));
    binder.bind(&area, QStringLiteral("milk_area"));
    binder.bind(&since, QStringLiteral("input_date"));
    binder.bind(&cancelled, QStringLiteral("cancel"));

    EXPECT_EQ(since.text(), QStringLiteral("2026/12/1"));
    EXPECT_EQ(area.text(), QStringLiteral("4"));

    area.setText(QStringLiteral("five"));
    EXPECT_THROW(rs.update(), DataError);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 4);

    area.setText(QStringLiteral("5"));
    cancelled.setChecked(true);
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 5);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT cancel FROM customer_data")).toInt(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data")).toString(), QStringLiteral("王"));
}

// A missing telephone, an empty one and "0" are three different things, and so are a missing area and
// area 0: searches, sorts and the optimistic match of a write must each keep them apart.
TEST_P(RecordsetTest, NullsEmptyTextsAndZerosStayApart)
{
    const QString insert = QStringLiteral("INSERT INTO customer_data (name, tel, milk_area) VALUES (?, ?, ?)");
    db->exec(insert, {QStringLiteral("missing"), QVariant(), QVariant()});
    db->exec(insert, {QStringLiteral("empty"), QStringLiteral(""), 0});
    db->exec(insert, {QStringLiteral("zero"), QStringLiteral("0"), 0});
    DataSource source(*db);
    AdodcQuery(source, QStringLiteral("SELECT * FROM customer_data ORDER BY c_code"));
    Recordset& rs = source.recordset();
    auto name = [&] { return rs.value(QStringLiteral("name")).toString(); };

    EXPECT_TRUE(rs.value(QStringLiteral("tel")).isNull());
    EXPECT_TRUE(rs.value(QStringLiteral("milk_area")).isNull());
    rs.moveNext();
    EXPECT_FALSE(rs.value(QStringLiteral("tel")).isNull());
    EXPECT_EQ(rs.value(QStringLiteral("tel")).toString(), QString());
    EXPECT_FALSE(rs.value(QStringLiteral("milk_area")).isNull());

    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::equals(QStringLiteral("tel"), QStringLiteral(""))));
    EXPECT_EQ(name(), QStringLiteral("empty"));
    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::equals(QStringLiteral("milk_area"), 0)));
    EXPECT_EQ(name(), QStringLiteral("empty"));

    rs.setSort(QStringLiteral("tel DESC"));
    rs.moveFirst();
    EXPECT_EQ(name(), QStringLiteral("zero"));
    rs.moveLast();
    EXPECT_EQ(name(), QStringLiteral("missing"));

    // The missing telephone becomes an empty one; the empty one's row is matched as it was read.
    rs.setValue(QStringLiteral("tel"), QStringLiteral(""));
    rs.update();
    rs.movePrevious();
    ASSERT_EQ(name(), QStringLiteral("empty"));
    rs.setValue(QStringLiteral("milk_area"), 5);
    rs.update();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM customer_data WHERE tel IS NULL")).toInt(), 0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM customer_data WHERE tel = ''")).toInt(), 2);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data WHERE name = 'empty'")).toInt(), 5);
}

// Past the first thousand rows a key column keeps its numbers and a column of names its texts, where
// a column of areas still keeps each area once; edits, searches, sorts and bookmarks work on each.
TEST_P(RecordsetTest, ALargeSnapshotChangesSearchesAndSortsLikeASmallOne)
{
    constexpr int kCustomers = 1500;
    {
        Transaction transaction(*db);
        PreparedStatement insert(*db, QStringLiteral("INSERT INTO customer_data (name, milk_area) VALUES (?, ?)"));
        for (int i = 0; i < kCustomers; ++i)
            insert.run({QStringLiteral("customer %1").arg(i, 4, 10, QLatin1Char('0')), i % 7});
        transaction.commit();
    }
    DataSource source(*db);
    AdodcQuery(source, QStringLiteral("SELECT * FROM customer_data ORDER BY c_code"));
    Recordset& rs = source.recordset();
    ASSERT_EQ(rs.recordCount(), kCustomers);

    rs.moveTo(1200);
    const auto edited = rs.bookmark();
    const int code = rs.value(QStringLiteral("c_code")).toInt();
    rs.setValue(QStringLiteral("name"), QStringLiteral("zz last"));
    rs.setValue(QStringLiteral("milk_area"), QVariant());
    rs.update();
    rs.moveTo(10);
    const auto deleted = rs.bookmark();
    rs.remove();
    EXPECT_EQ(rs.recordCount(), kCustomers - 1);
    EXPECT_FALSE(rs.gotoBookmark(deleted));

    rs.setSort(QStringLiteral("milk_area ASC, name DESC"));
    rs.moveFirst();
    EXPECT_EQ(rs.value(QStringLiteral("name")).toString(), QStringLiteral("zz last")); // the one without an area
    EXPECT_EQ(rs.value(QStringLiteral("c_code")).toInt(), code);
    rs.moveNext();
    EXPECT_EQ(rs.value(QStringLiteral("name")).toString(), QStringLiteral("customer 1498"));
    rs.moveLast();
    EXPECT_TRUE(rs.gotoBookmark(edited));
    EXPECT_EQ(rs.absolutePosition(), 0);

    rs.setSort({});
    rs.moveFirst();
    EXPECT_TRUE(rs.find(Criterion::equals(QStringLiteral("c_code"), code)));
    EXPECT_EQ(rs.absolutePosition(), 1199);
    EXPECT_TRUE(rs.value(QStringLiteral("milk_area")).isNull());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data WHERE milk_area IS NULL")).toString(),
              QStringLiteral("zz last"));

    // A delete undone with its action brings the row back under its bookmark; a reload gives new ones.
    rs.moveTo(20);
    const auto undone = rs.bookmark();
    {
        Transaction transaction(*db);
        rs.remove();
    }
    EXPECT_EQ(rs.recordCount(), kCustomers - 1);
    EXPECT_TRUE(rs.gotoBookmark(undone));
    EXPECT_EQ(rs.absolutePosition(), 20);
    source.refresh();
    EXPECT_FALSE(rs.gotoBookmark(undone));
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordsetTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
