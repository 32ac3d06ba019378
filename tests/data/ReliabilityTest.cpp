// The books under two clerks, a busy or lost server, a full or read-only disk and several programs
// starting at once.
#include "TestDatabase.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <atomic>
#include <gtest/gtest.h>
#include <latch>
#include <sys/stat.h>
#include <thread>

namespace {

using namespace Qt::StringLiterals;
using Reason = DataError::Reason;

class Reliability : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        REQUIRE_BACKEND(GetParam());
        db = openTestDatabase(GetParam());
    }

    int addCustomer(const QString& name, int area = 1)
    {
        return db->scalar(u"INSERT INTO customer_data (name, milk_area) VALUES (?, ?) RETURNING c_code"_s, {name, area})
            .toInt();
    }
    QList<int> areas()
    {
        QList<int> found;
        QSqlQuery query = db->exec(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s);
        while (query.next())
            found << query.value(0).toInt();
        return found;
    }
    // The reason of the failure `work` throws; Other when it throws none.
    static Reason reasonOf(const std::function<void()>& work)
    {
        try {
            work();
        } catch (const DataError& error) {
            return error.reason();
        }
        return Reason::Other;
    }

    std::unique_ptr<Database> db;
};

TEST_P(Reliability, AFailedInnerScopeTakesBackItsOwnWorkAndTheOuterCommits)
{
    DataSource source(*db);
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
    source.setTable(u"milk_area"_s);
    source.refresh();
    {
        Transaction outer(*db);
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (2)"_s);
        {
            Transaction inner(*db);
            source.recordset().setValue(u"milk_area"_s, 7);
            source.recordset().update();
            EXPECT_THROW(db->exec(u"INSERT INTO milk_area (milk_area) VALUES (2)"_s), DataError); // taken
            EXPECT_THROW(inner.commit(), DataError) << "a scope whose statement failed does not commit";
        }
        EXPECT_EQ(source.recordset().editMode(), Recordset::EditMode::Editing) << "the inner scope's write is pending again";
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (3)"_s); // PostgreSQL goes on after the savepoint
        outer.commit();
    }
    EXPECT_EQ(areas(), (QList<int>{1, 2, 3}));

    // A failure in the outermost scope abandons all of it, on both databases.
    {
        Transaction outer(*db);
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (4)"_s);
        EXPECT_THROW(db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s), DataError);
        EXPECT_THROW(outer.commit(), DataError);
    }
    EXPECT_EQ(areas(), (QList<int>{1, 2, 3}));
    EXPECT_FALSE(db->inTransaction());
}

// A refused statement leaves nothing behind, however many a session meets: what its scope runs after
// it goes with the scope, and on PostgreSQL no prepared statement stays on the server, neither the
// refused ones nor a read still held as the failure unwinds.
TEST_P(Reliability, RefusedStatementsLeaveNothingOnTheServer)
{
    const bool server = GetParam() == Backend::PostgreSQL;
    auto preparedOnServer = [&] { return server ? db->scalar(u"SELECT count(*) FROM pg_prepared_statements"_s).toInt() : 0; };
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
    const int before = preparedOnServer();
    for (int i = 0; i < 3; ++i) {
        Transaction outer(*db);
        QSqlQuery held = db->exec(u"SELECT milk_area FROM milk_area WHERE milk_area = ?"_s, {1});
        {
            Transaction inner(*db);
            PreparedStatement insert(*db, u"INSERT INTO milk_area (milk_area) VALUES (?)"_s);
            insert.run({10 + i});
            EXPECT_THROW(insert.run({1}), DataError);
            EXPECT_THROW(db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {1}), DataError);
            db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {20 + i});
        }
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {30 + i});
        EXPECT_THROW(db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {1}), DataError);
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {40 + i});
        EXPECT_THROW(outer.commit(), DataError);
    }
    EXPECT_EQ(areas(), (QList<int>{1}));
    EXPECT_EQ(preparedOnServer(), before);
}

TEST_P(Reliability, AWriteThatReadsFirstWaitsForAnotherClerksWriteAndSucceeds)
{
    std::latch holding(2);
    std::thread other([&, location = db->location()] {
        auto clerk = Database::open(location);
        Transaction transaction(*clerk);
        clerk->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
        holding.arrive_and_wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        transaction.commit();
    });
    holding.arrive_and_wait();
    {
        Transaction transaction(*db); // waits on SQLite until the other clerk commits
        const int highest = db->scalar(u"SELECT coalesce(max(milk_area), 0) FROM milk_area"_s).toInt();
        db->exec(u"INSERT INTO milk_area (milk_area) VALUES (?)"_s, {highest + 10});
        transaction.commit();
    }
    other.join();
    EXPECT_EQ(areas().size(), 2);
}

TEST_P(Reliability, EachRefusalSaysWhy)
{
    addCustomer(u"Alder"_s);
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
    EXPECT_EQ(reasonOf([&] { db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s); }), Reason::KeyTaken);

    auto other = openSecondConnection(*db);
    {
        Transaction holding(*other);
        other->exec(u"UPDATE customer_data SET tel = '1'"_s);
        db->setLockTimeout(100);
        EXPECT_EQ(reasonOf([&] { db->exec(u"UPDATE customer_data SET tel = '2'"_s); }), Reason::Busy);
    }

    DataSource source(*db);
    source.setTable(u"customer_data"_s);
    source.refresh();
    Recordset& rs = source.recordset();
    try {
        rs.setValue(u"milk_area"_s, u"99999999999"_s);
        ADD_FAILURE() << "a number beyond the column was taken";
    } catch (const DataError& error) {
        EXPECT_EQ(error.reason(), Reason::OutOfRange);
        EXPECT_TRUE(error.detail().contains(u"-2147483648 to 2147483647"_s)) << error.detail().toStdString();
    }
    rs.setValue(u"milk_area"_s, u"2147483647"_s); // the column's own limit is taken
    rs.update();
    EXPECT_EQ(db->scalar(u"SELECT milk_area FROM customer_data"_s).toLongLong(), 2147483647);

    other->exec(u"UPDATE customer_data SET tel = '3'"_s);
    rs.setValue(u"name"_s, u"Birch"_s);
    EXPECT_EQ(reasonOf([&] { rs.update(); }), Reason::ChangedByAnother);
    EXPECT_EQ(rs.value(u"tel"_s).toString(), u"3"_s) << "the row is read again";
    rs.update(); // the clerk's change, over the row as it now stands
    EXPECT_EQ(db->scalar(u"SELECT name || tel FROM customer_data"_s).toString(), u"Birch3"_s);

    for (Reason reason : {Reason::ChangedByAnother, Reason::KeyTaken, Reason::Busy, Reason::ReadOnly, Reason::DiskFull,
                          Reason::ServerUnreachable}) {
        const QString detail = DataError(DataError::Kind::Database, reason, u"database text"_s).detail();
        EXPECT_FALSE(detail.isEmpty() || detail == u"database text"_s) << int(reason);
    }
}

TEST_P(Reliability, OnlyPlainColumnsOfTheWrittenTableAreWritable)
{
    addCustomer(u"Alder"_s, 3);
    db->exec(u"INSERT INTO customer_data (name, tel) VALUES ('Birch', '5')"_s);
    Recordset rs(*db);
    rs.load(u"SELECT c_code, milk_area * 2 AS milk_area, tel AS name, customer_data.cell_phone, "
            "addr addr FROM customer_data ORDER BY c_code"_s);
    EXPECT_TRUE(rs.isWritable());
    EXPECT_THROW(rs.setValue(u"milk_area"_s, 4), DataError);
    EXPECT_THROW(rs.setValue(u"name"_s, u"x"_s), DataError);
    rs.setValue(u"cell_phone"_s, u"0912"_s);
    rs.setValue(u"addr"_s, u"Main St"_s);
    rs.update();
    EXPECT_EQ(db->scalar(u"SELECT cell_phone || addr || milk_area FROM customer_data WHERE name = 'Alder'"_s).toString(),
              u"0912Main St3"_s);

    // A join reads c_code twice: neither is taken for the written table's.
    rs.load(u"SELECT * FROM customer_data JOIN order_data ON order_data.c_code = customer_data.c_code"_s, {},
            u"customer_data"_s);
    EXPECT_EQ(rs.fieldType(rs.fieldIndex(u"c_code"_s)), std::nullopt);

    // What the caller declares is what is written.
    rs.load(u"SELECT c_code, upper(name) AS name, tel FROM customer_data ORDER BY c_code"_s, {}, u"customer_data"_s,
            {u"c_code"_s, u"tel"_s});
    EXPECT_THROW(rs.setValue(u"name"_s, u"x"_s), DataError);
    rs.setValue(u"tel"_s, u"7"_s);
    rs.update();
}

INSTANTIATE_TEST_SUITE_P(Backends, Reliability, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

TEST(ReliabilitySqlite, ARowWithADateStoredAsTextCanBeChanged)
{
    auto db = openTestDatabase(Backend::SQLite);
    db->exec(u"INSERT INTO customer_data (name, input_date) VALUES ('Alder', '2026/2/8')"_s);
    DataSource source(*db);
    source.setTable(u"customer_data"_s);
    source.refresh();
    EXPECT_EQ(source.recordset().value(u"input_date"_s).toDate(), QDate(2026, 2, 8));
    source.recordset().setValue(u"name"_s, u"Birch"_s);
    source.recordset().update();
    EXPECT_EQ(db->scalar(u"SELECT name FROM customer_data"_s).toString(), u"Birch"_s);
}

TEST(ReliabilitySqlite, AReadOnlyOrFullDiskIsNamed)
{
    auto db = openTestDatabase(Backend::SQLite);
    auto write = [&] { db->exec(u"INSERT INTO customer_data (name) VALUES (?)"_s, {QString(20000, u'x')}); };
    db->exec(u"PRAGMA query_only = 1"_s);
    try {
        write();
        ADD_FAILURE() << "wrote to read-only books";
    } catch (const DataError& error) {
        EXPECT_EQ(error.reason(), Reason::ReadOnly) << error.message().toStdString();
    }
    db->exec(u"PRAGMA query_only = 0"_s);
    db->exec(u"PRAGMA max_page_count = %1"_s.arg(db->scalar(u"PRAGMA page_count"_s).toInt()));
    try {
        write();
        ADD_FAILURE() << "wrote beyond a full disk";
    } catch (const DataError& error) {
        EXPECT_EQ(error.reason(), Reason::DiskFull) << error.message().toStdString();
    }
}

TEST(ReliabilitySqlite, TheBooksAreTheOwnersAloneFromTheirFirstByte)
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(u"ledger.sqlite"_s);
    const QStringList files = {path, path + u"-wal"_s, path + u"-shm"_s};
    // Another program watching the folder: every mode it ever sees.
    std::atomic<bool> watching = true;
    QList<QSet<mode_t>> seen(files.size());
    std::thread watcher([&] {
        const QList<QByteArray> names = {QFile::encodeName(files[0]), QFile::encodeName(files[1]), QFile::encodeName(files[2])};
        while (watching) {
            for (int i = 0; i < names.size(); ++i) {
                struct stat info {};
                if (::stat(names[i].constData(), &info) == 0)
                    seen[i].insert(info.st_mode & 0777);
            }
        }
    });
    const mode_t oldMask = ::umask(0); // a umask that would let anyone read
    {
        auto db = Database::open(path);
        Schema::create(*db);
    }
    ::umask(oldMask);
    watching = false;
    watcher.join();
    for (int i = 0; i < files.size(); ++i)
        EXPECT_EQ(seen[i], QSet<mode_t>{0600}) << files[i].toStdString();
}

// Several programs starting at once on empty books: one makes the tables, the others wait and use them.
TEST_P(Reliability, FourFirstStartsAtOnceAllStart)
{
    QTemporaryDir folder;
    QString location = QDir(folder.path()).filePath(u"first.sqlite"_s);
    if (GetParam() == Backend::PostgreSQL) {
        QUrl url(db->location());
        QUrlQuery query(url);
        const QString schema = query.queryItemValue(u"schema"_s) + u"_first"_s;
        query.removeAllQueryItems(u"schema"_s);
        query.addQueryItem(u"schema"_s, schema);
        url.setQuery(query);
        location = url.toString();
    }
    std::latch start(4);
    std::atomic<int> started = 0;
    std::vector<std::thread> programs;
    for (int i = 0; i < 4; ++i)
        programs.emplace_back([&] {
            start.arrive_and_wait();
            try {
                auto books = Database::open(location);
                Schema::create(*books);
                ++started;
            } catch (const DataError& error) {
                ADD_FAILURE() << error.message().toStdString();
            }
        });
    for (std::thread& program : programs)
        program.join();
    EXPECT_EQ(started, 4);
    auto books = Database::open(location);
    EXPECT_EQ(books->scalar(u"SELECT count(*) FROM schema_version"_s).toInt(), 1);
    EXPECT_EQ(books->scalar(u"SELECT count(*) FROM company_data"_s).toInt(), 1);
}

// The server connection cut under the clerk (a restart does the same): the action that finds it gone
// is refused, the next one reconnects; a save can be tried again and "update" shows the rows.
TEST(ReliabilityPostgres, ALostConnectionIsOpenedAgainOnTheNextAction)
{
    REQUIRE_BACKEND(Backend::PostgreSQL);
    auto db = openTestDatabase(Backend::PostgreSQL);
    db->exec(u"INSERT INTO customer_data (name) VALUES ('Alder')"_s);
    DataSource source(*db);
    source.setTable(u"customer_data"_s);
    source.refresh();
    auto cut = [&] {
        const int pid = db->scalar(u"SELECT pg_backend_pid()"_s).toInt();
        openSecondConnection(*db)->exec(u"SELECT pg_terminate_backend(?)"_s, {pid});
    };

    cut();
    source.recordset().setValue(u"name"_s, u"Birch"_s);
    try {
        Transaction transaction(*db);
        source.recordset().update();
        transaction.commit();
        ADD_FAILURE() << "saved on a connection that is gone";
    } catch (const DataError& error) {
        EXPECT_EQ(error.reason(), Reason::ServerUnreachable) << error.message().toStdString();
    }
    {
        Transaction transaction(*db);
        source.recordset().update(); // the same save, tried again
        transaction.commit();
    }
    EXPECT_EQ(db->scalar(u"SELECT name FROM customer_data"_s).toString(), u"Birch"_s);

    cut();
    openSecondConnection(*db)->exec(u"INSERT INTO customer_data (name) VALUES ('Cedar')"_s);
    source.refresh(); // a read finding the connection gone is asked again on a new one
    EXPECT_EQ(source.recordset().recordCount(), 2);
}

} // namespace
