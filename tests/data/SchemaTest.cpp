#include "TestDatabase.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Every table the forms and reports of the program read or write.
const QStringList programTables = {
    u"customer_data"_s, u"different_move"_s, u"acrossbills_data"_s, u"turn_milk"_s,     u"business_stay"_s,
    u"employees_data"_s, u"products_data"_s, u"pass_goods"_s,       u"update_date"_s,   u"order_data"_s,
    u"order_kind"_s,    u"subscribe_type"_s, u"send_kind"_s,        u"send_type"_s,     u"order_date"_s,
    u"salary_data"_s,   u"salary_detailed"_s, u"salary_sum_date"_s, u"complete"_s,      u"vacation_type"_s,
    u"account_table"_s, u"account"_s,        u"company_data"_s,     u"milk_area"_s,     u"expense_area"_s,
    u"bottle_type"_s,   u"warm_box"_s,       u"return_reason"_s,    u"add_reason"_s};

int count(Database& db, const QString& table)
{
    return db.scalar(u"SELECT count(*) FROM "_s + table).toInt();
}

TEST(SchemaTables, DescribeEveryTableOnceWithItsKey)
{
    QSet<QString> names;
    for (const Schema::Table& table : Schema::tables()) {
        SCOPED_TRACE(table.name.toStdString());
        EXPECT_FALSE(names.contains(table.name));
        names.insert(table.name);
        ASSERT_NE(table.column(table.key), nullptr) << "every table has a key column";
        QSet<QString> columns;
        for (const Schema::Column& column : table.columns) {
            EXPECT_FALSE(columns.contains(column.name)) << column.name.toStdString();
            columns.insert(column.name);
        }
        for (const QStringList& index : table.indexes)
            for (const QString& column : index)
                EXPECT_NE(table.column(column), nullptr) << column.toStdString();
        if (table.surrogateKey) {
            EXPECT_EQ(table.columns.constFirst().name, u"id"_s);
            EXPECT_EQ(table.key, u"id"_s);
            EXPECT_TRUE(table.keyGenerated);
        }
        for (const QVariantMap& row : table.initialRows) {
            EXPECT_FALSE(row.contains(table.key)) << "the database gives the single rows their key";
            for (const QString& column : row.keys())
                EXPECT_NE(table.column(column), nullptr) << column.toStdString();
        }
    }
    for (const QString& name : programTables)
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
}

TEST(SchemaTables, KeysTheDatabaseGives)
{
    for (const QString& name : {u"customer_data"_s, u"order_data"_s, u"acrossbills_data"_s}) {
        const Schema::Table* table = Schema::table(name);
        ASSERT_NE(table, nullptr);
        EXPECT_TRUE(table->keyGenerated) << name.toStdString();
        EXPECT_FALSE(table->surrogateKey) << name.toStdString();
    }
    EXPECT_EQ(Schema::table(u"customer_data"_s)->key, u"c_code"_s);
    EXPECT_EQ(Schema::table(u"order_data"_s)->key, u"o_code"_s);
    EXPECT_EQ(Schema::table(u"acrossbills_data"_s)->key, u"serial"_s);
    // Keys the program numbers itself (MaxPlusOneNumbering) are not the database's.
    EXPECT_FALSE(Schema::table(u"employees_data"_s)->keyGenerated);
    EXPECT_FALSE(Schema::table(u"account_table"_s)->keyGenerated);
}

TEST(SchemaTables, IndexesTheReportsRead)
{
    const QList<QStringList> deliveries = Schema::table(u"order_date"_s)->indexes;
    for (const QStringList& index : {QStringList{u"date_d"_s}, QStringList{u"milk_area"_s, u"date_d"_s},
                                     QStringList{u"c_code"_s, u"date_d"_s, u"id"_s},
                                     QStringList{u"names"_s, u"date_d"_s, u"refund"_s, u"suspend"_s, u"subscribe_num"_s,
                                                 u"give_num"_s, u"add_num"_s, u"subtract_num"_s}})
        EXPECT_TRUE(deliveries.contains(index)) << index.join(u", "_s).toStdString();
    EXPECT_TRUE(Schema::table(u"pass_goods"_s)->indexes.contains(QStringList{u"date_d"_s}));
    EXPECT_TRUE(Schema::table(u"account_table"_s)->indexes.contains(QStringList{u"date_d"_s}));
}

class SchemaTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam(), false);
    }

    std::unique_ptr<Database> db;
};

TEST_P(SchemaTest, CreatesEveryTableWithItsColumnsAndRecordsTheVersion)
{
    EXPECT_EQ(Schema::storedVersion(*db), 0);
    Schema::create(*db);
    EXPECT_EQ(Schema::storedVersion(*db), Schema::currentVersion());

    for (const Schema::Table& table : Schema::tables()) {
        SCOPED_TRACE(table.name.toStdString());
        EXPECT_EQ(db->connection().record(table.name).count(), table.columns.size());
        // Every column answers to its bare name on this engine: no name is a reserved word.
        QStringList columns;
        for (const Schema::Column& column : table.columns)
            columns << column.name;
        EXPECT_NO_THROW(db->exec(u"SELECT %1 FROM %2 WHERE %3 IS NULL"_s.arg(columns.join(u", "_s), table.name,
                                                                             table.key)));
    }
}

TEST_P(SchemaTest, WritesTheSingleRowsOnce)
{
    Schema::create(*db);
    EXPECT_EQ(count(*db, u"company_data"_s), 1);
    EXPECT_EQ(count(*db, u"salary_sum_date"_s), 1);
    EXPECT_EQ(count(*db, u"update_date"_s), 1);
    // No settlement has run and no goods entry has been made yet.
    EXPECT_TRUE(db->scalar(u"SELECT salary_sum_date FROM salary_sum_date"_s).isNull());
    EXPECT_TRUE(db->scalar(u"SELECT update_date FROM update_date"_s).isNull());
}

TEST_P(SchemaTest, BooksOfTheFirstVersionGetOnePostingADayTheSettledMonthAndWhatEachPostingTook)
{
    Schema::create(*db);
    db->exec(u"DROP INDEX account_u1"_s);
    db->exec(u"ALTER TABLE salary_sum_date DROP COLUMN settled_month"_s);
    db->exec(u"ALTER TABLE account_table DROP COLUMN posting_serial"_s);
    db->exec(u"ALTER TABLE schema_version DROP COLUMN least_writer"_s);
    db->exec(u"UPDATE schema_version SET version = 1"_s);
    db->exec(u"INSERT INTO account (serial, date_d) VALUES (?, ?)"_s, {7, QDate(2026, 9, 30)});
    db->exec(u"INSERT INTO account_table (serial, date_d) VALUES (1, ?), (2, ?)"_s,
             {QDate(2026, 9, 30), QDate(2026, 9, 29)});

    Schema::create(*db);

    EXPECT_EQ(Schema::storedVersion(*db), Schema::currentVersion());
    EXPECT_THROW(db->exec(u"INSERT INTO account (serial, date_d) VALUES (?, ?)"_s, {2, QDate(2026, 9, 30)}),
                 DataError);
    EXPECT_NO_THROW(db->exec(u"SELECT settled_month FROM salary_sum_date"_s));
    // An old posting took its own day's rows; the rows of a day never posted wait for the next one.
    EXPECT_EQ(db->scalar(u"SELECT posting_serial FROM account_table WHERE serial = 1"_s).toInt(), 7);
    EXPECT_TRUE(db->scalar(u"SELECT posting_serial FROM account_table WHERE serial = 2"_s).isNull());
}

// The storage parameters of the delivery rows' table on PostgreSQL ("fillfactor=80"); none on SQLite.
QString deliveryRowsStorage(Database& db)
{
    if (db.kind() != Database::Kind::PostgreSQL)
        return {};
    return db.scalar(u"SELECT array_to_string(reloptions, ',') FROM pg_class WHERE oid = 'order_date'::regclass"_s)
        .toString();
}

// Books of version 4 keep what their postings took as it stands, and gain the order their types were
// added in, the lowest program that may write them and the room for repriced rows.
TEST_P(SchemaTest, BooksOfVersionFourKeepWhatTheirPostingsTookAndGainTheOrderOfTheirTypes)
{
    Schema::create(*db);
    const QString storage = deliveryRowsStorage(*db);
    EXPECT_EQ(storage, db->kind() == Database::Kind::PostgreSQL ? u"fillfactor=80"_s : QString());
    if (!storage.isEmpty())
        db->exec(u"ALTER TABLE order_date RESET (fillfactor)"_s);
    for (const QString& table : {u"order_kind"_s, u"send_kind"_s})
        db->exec(u"ALTER TABLE %1 DROP COLUMN type_order"_s.arg(table));
    db->exec(u"ALTER TABLE schema_version DROP COLUMN least_writer"_s);
    db->exec(u"UPDATE schema_version SET version = 4"_s);
    db->exec(u"INSERT INTO order_kind (subscribe_type) VALUES ('weekly'), ('daily'), ('alternate')"_s);
    db->exec(u"INSERT INTO account (serial, date_d) VALUES (1, ?)"_s, {QDate(2026, 9, 30)});
    db->exec(u"INSERT INTO account_table (serial, date_d, posting_serial) VALUES (1, ?, 1), (2, ?, 1)"_s,
             {QDate(2026, 9, 30), QDate(2026, 9, 30)});

    Schema::create(*db);

    EXPECT_EQ(Schema::storedVersion(*db), Schema::currentVersion());
    EXPECT_EQ(Schema::leastWriter(*db), 7); // a program of version 6 would not keep a holiday suspended
    EXPECT_EQ(deliveryRowsStorage(*db), storage);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM account_table WHERE posting_serial = 1"_s).toInt(), 2);
    QStringList types;
    QSqlQuery query = db->exec(u"SELECT subscribe_type FROM order_kind ORDER BY type_order"_s);
    while (query.next())
        types << query.value(0).toString();
    EXPECT_EQ(types, (QStringList{u"weekly"_s, u"daily"_s, u"alternate"_s}));
}

// A coming day with most of its rows suspended was suspended for everybody; a day with a few suspended
// rows, and a day gone by, were not marked.
TEST_P(SchemaTest, BooksOfVersionSixMarkTheirComingHolidays)
{
    Schema::create(*db);
    db->exec(u"DROP TABLE suspended_day"_s);
    db->exec(u"UPDATE schema_version SET version = 6, least_writer = 5"_s);
    const QDate today = QDate::currentDate();
    const QDate holiday = today.addDays(5), ordinary = today.addDays(6), past = today.addDays(-5);
    for (const auto& [day, suspended] : {std::pair(holiday, 1), std::pair(holiday, 1), std::pair(holiday, 0),
                                         std::pair(ordinary, 1), std::pair(ordinary, 0), std::pair(past, 1)})
        db->exec(u"INSERT INTO order_date (c_code, date_d, names, suspend) VALUES (1, ?, 'milk', ?)"_s, {day, suspended});

    Schema::create(*db);

    EXPECT_EQ(Schema::storedVersion(*db), Schema::currentVersion());
    EXPECT_EQ(Schema::leastWriter(*db), 7);
    EXPECT_EQ(count(*db, u"suspended_day"_s), 1);
    EXPECT_EQ(db->scalar(u"SELECT date_d FROM suspended_day"_s).toDate(), holiday);
    EXPECT_EQ(db->scalar(u"SELECT sum(suspend) FROM order_date"_s).toInt(), 4) << "no row changes";
}

// The delivery rows' customer-and-day index sorts as the day grid reads, nulls first, in new books and in
// books of version 6 alike.
TEST_P(SchemaTest, TheCustomerAndDayIndexOfTheDeliveryRowsSortsNullsFirst)
{
    const auto definition = [this] {
        return db->scalar(db->kind() == Database::Kind::SQLite
                              ? u"SELECT sql FROM sqlite_master WHERE name = 'order_date_i3'"_s
                              : u"SELECT indexdef FROM pg_indexes WHERE indexname = 'order_date_i3' AND schemaname = current_schema()"_s)
            .toString();
    };
    Schema::create(*db);
    const QString made = definition();
    EXPECT_TRUE(made.endsWith(db->kind() == Database::Kind::SQLite ? u"(c_code, date_d)"_s
                                                                    : u"(c_code NULLS FIRST, date_d NULLS FIRST, id NULLS FIRST)"_s))
        << made.toStdString();
    db->exec(u"DROP INDEX order_date_i3"_s);
    db->exec(u"CREATE INDEX order_date_i3 ON order_date (c_code, date_d)"_s);
    db->exec(u"UPDATE schema_version SET version = 6"_s);

    Schema::create(*db);

    EXPECT_EQ(definition(), made);
}

// An older program does not undo what a newer one wrote: it refuses the books before writing anything.
TEST_P(SchemaTest, BooksMarkedForANewerProgramAreRefusedWithBothVersionsAndNothingIsWritten)
{
    Schema::create(*db);
    db->exec(u"UPDATE schema_version SET version = 9, least_writer = 8"_s);
    db->exec(u"DROP TABLE milk_area"_s); // a table this program would make
    try {
        Schema::create(*db);
        ADD_FAILURE() << "wrote books only a newer program may write";
    } catch (const DataError& error) {
        EXPECT_EQ(error.message(), u"the books are of version 9 and are written only by programs of version 8 or later; "
                                   "this program is of version %1."_s.arg(Schema::currentVersion()));
    }
    EXPECT_TRUE(db->connection().record(u"milk_area"_s).isEmpty());
    EXPECT_EQ(count(*db, u"schema_version"_s), 1);
    EXPECT_EQ(Schema::storedVersion(*db), 9);
}

TEST_P(SchemaTest, TablesThatCannotBeReadAreNamedAtStart)
{
    Schema::create(*db);
    EXPECT_TRUE(Schema::unreadableTables(*db).isEmpty());
    db->exec(u"DROP TABLE business_stay"_s);
    EXPECT_EQ(Schema::unreadableTables(*db), QStringList{u"business_stay"_s});
}

TEST_P(SchemaTest, SecondCreateChangesNothing)
{
    Schema::create(*db);
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {7});
    db->exec(u"UPDATE company_data SET company_name = ?"_s, {u"晨光鮮乳配送"_s});

    Schema::create(*db);

    EXPECT_EQ(count(*db, u"schema_version"_s), 1);
    EXPECT_EQ(count(*db, u"milk_area"_s), 1);
    EXPECT_EQ(count(*db, u"company_data"_s), 1);
    EXPECT_EQ(count(*db, u"salary_sum_date"_s), 1);
    EXPECT_EQ(count(*db, u"update_date"_s), 1);
    EXPECT_EQ(db->scalar(u"SELECT company_name FROM company_data"_s).toString(), u"晨光鮮乳配送"_s);
}

TEST_P(SchemaTest, GeneratedKeysComeBack)
{
    Schema::create(*db);
    auto insert = [&](const QString& sql, const QVariantList& values) {
        QSqlQuery query = db->exec(sql, values);
        return query.next() ? query.value(0).toInt() : -1;
    };
    const int first = insert(u"INSERT INTO customer_data (name) VALUES (?) RETURNING c_code"_s, {u"陳淑芬"_s});
    const int second = insert(u"INSERT INTO customer_data (name) VALUES (?) RETURNING c_code"_s, {u"林志明"_s});
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first);
    EXPECT_GT(insert(u"INSERT INTO order_data (c_code) VALUES (?) RETURNING o_code"_s, {second}), 0);
    EXPECT_GT(insert(u"INSERT INTO acrossbills_data (c_code) VALUES (?) RETURNING serial"_s, {second}), 0);
    const int row = insert(u"INSERT INTO order_date (c_code) VALUES (?) RETURNING id"_s, {second});
    EXPECT_GT(insert(u"INSERT INTO order_date (c_code) VALUES (?) RETURNING id"_s, {second}), row);
}

TEST_P(SchemaTest, ColumnsLeftToTheDatabaseTakeTheirDefaults)
{
    Schema::create(*db);
    db->exec(u"INSERT INTO customer_data (name) VALUES (?)"_s, {u"陳淑芬"_s});
    db->exec(u"INSERT INTO salary_detailed (e_code) VALUES (?)"_s, {1});
    db->exec(u"INSERT INTO complete (names, code) VALUES (?, ?)"_s, {u"鮮乳"_s, 1});
    db->exec(u"INSERT INTO order_date (c_code) VALUES (?)"_s, {1});

    EXPECT_EQ(db->scalar(u"SELECT cancel + bill2 + bill3 + advancepay FROM customer_data"_s).toInt(), 0);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM salary_detailed WHERE balance = 0"_s).toInt(), 1);
    EXPECT_EQ(db->scalar(u"SELECT promise + bottle_m + ask_leave + other_buckle FROM salary_detailed"_s).toDouble(), 0);
    EXPECT_EQ(db->scalar(u"SELECT o_c + n_c + w_c + b_c FROM complete"_s).toDouble(), 0);
    EXPECT_EQ(db->scalar(u"SELECT subscribe_num + give_num + add_num - subtract_num FROM order_date"_s).toDouble(), 0);
    EXPECT_EQ(db->scalar(u"SELECT refund + suspend FROM order_date"_s).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

} // namespace
