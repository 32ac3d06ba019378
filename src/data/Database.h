#pragma once

#include "data/DataError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSqlError;

// The one connection of the process to its database: a SQLite file (the default) or a PostgreSQL
// server. Forms receive it by reference; every statement goes through it with bound values.
//
// A server connection that was lost is opened again before the next statement outside a transaction:
// the action that found it lost is refused (the server cannot be reached), the clerk's next one works.
class Database {
public:
    enum class Kind { SQLite, PostgreSQL };

    // The program's writer locks, each held by one writer at a time until its transaction ends.
    enum class Lock : qint64 {
        Schema = 0x48414c0001,  // creating and upgrading the tables
        DayRows = 0x48414c0002, // writing delivery-day rows (order_date)
        Posting = 0x48414c0003, // the daily posting of the cash journal (account)
        GoodsEntries = 0x48414c0004, // saving goods movements (pass_goods) and the stock they change
        MonthEnd = 0x48414c0005, // the month-end settlement run
    };

    // Opens what `location` names: a `postgresql://` URI or a SQLite file path. An empty location means
    // HALCYON_DATABASE, or else the SQLite file in the user's data folder. Throws DataError with a
    // message that names the database and the reason. A SQLite file it refuses (another program's, or
    // books only a newer program may write) is left as it was found; only accepted books are narrowed
    // to their owner and switched to the write-ahead log.
    static std::unique_ptr<Database> open(const QString& location = {});
    static QString defaultSqlitePath();
    // A database address as it may be shown: the password left out, nothing of an address that does
    // not parse.
    static QString shownAddress(const QString& location);
    // A server address with its password in it. A program's arguments are seen by every account on the
    // computer, so the tools take such an address only from HALCYON_DATABASE or a password file.
    static bool holdsPassword(const QString& location);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Removes a SQLite file and its companions (-wal, -shm, -journal): books a failed start made.
    static void removeSqliteFiles(const QString& path);

    Kind kind() const { return m_kind; }
    // This opening made the SQLite file: books that did not exist before.
    bool madeFile() const { return m_madeFile; }
    QString location() const { return m_location; }
    // A SQLite file this account may read but not write: every save will be refused.
    bool isReadOnly() const;
    QSqlDatabase connection() const;

    // Runs one statement with bound values and returns the active query; throws DataError on failure.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or a null value where there is none.
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    // Moves `query` to its next row; false after the last one. A row the books could not give (a damaged
    // page, a lost server) throws DataError: the rows read so far are never taken for all of them.
    bool nextRow(QSqlQuery& query);

    bool inTransaction() const { return !m_scopes.empty(); }

    // Takes one of the writer locks until the outermost transaction ends, waiting while another
    // connection holds it. A statement that fails meanwhile does not let it go. On SQLite the
    // transaction's own write lock already is that lock.
    void lock(Lock which);
    // Takes the lock as lock() does where it is free; false at once where another connection holds it.
    bool tryLock(Lock which);
    // The lock under which the numbers of `table` (the program's own name) are read and given.
    void lockTable(const QString& table);

    // How long a statement waits for another connection's lock before the books count as busy.
    void setLockTimeout(int milliseconds);
    // Back to the wait every connection starts with.
    void useUsualLockTimeout();

private:
    friend class Transaction;
    friend class PreparedStatement;
    friend class Recordset;
    friend class RowReader;

    // One open Transaction: where its undo steps begin, and the first statement that failed in it.
    struct Scope {
        std::size_t undoMark = 0;
        std::optional<DataError> failure = {};
    };

    Database(Kind kind, QString location, QString connectionName);
    void useWriteAheadLog();
    void startSession();
    void reconnectIfLost();
    // The error of a failed statement, classified; notes a lost connection and fails the open scope.
    DataError failure(const QSqlError& error);
    void takeBackFailedScope();
    // Takes a writer lock by its key, waiting for it or not; false where another connection holds it.
    bool takeLock(qint64 key, bool wait);
    // Lets the writer locks go, once the outermost transaction has ended.
    void releaseLocks();
    bool serverAnswers();
    void control(const QString& statement);

    // `lockWaitMs`: how long an outermost SQLite scope waits for another connection's write lock.
    void begin(std::optional<int> lockWaitMs = std::nullopt);
    void commit();
    void rollback();
    void onRollback(std::function<void()> undo);
    // The savepoint of the scope that has `scope` scopes around it.
    QString savepoint(std::size_t scope) const;

    Kind m_kind;
    QString m_location;
    QString m_connectionName;
    bool m_madeFile = false;
    QString m_schema;        // PostgreSQL: the schema the URI names, where unqualified names resolve
    bool m_lost = false;     // the server connection broke; reopened before the next statement
    int m_generation = 0;    // counts the openings of the connection, so prepared statements know theirs
    bool m_holdsLocks = false; // PostgreSQL: writer locks are held until the outermost scope ends
    std::vector<Scope> m_scopes;
    std::vector<std::function<void()>> m_undo;
};

// One user action that writes several rows: all of it is written, or nothing. On SQLite the write
// lock is taken as the action begins (BEGIN IMMEDIATE), so a busy database is waited for rather than
// refused halfway. Scopes nest as savepoints: an inner scope left without commit() takes back its own
// work only, and every recordset that wrote inside it puts its rows back the way they were. A scope
// in which a statement failed cannot commit: commit() takes its work back, with whatever the
// scope ran after the failure, and throws. The transaction and its writer locks last until the
// outermost scope ends, whatever failed inside it.
class Transaction {
public:
    explicit Transaction(Database& db);
    // Begins as above, but on SQLite waits for another connection's write lock only `lockWaitMs` before the
    // books count as busy; the statements run in it wait as usual. A PostgreSQL transaction takes no lock
    // as it begins: its waits are the writer locks' and the rows'.
    Transaction(Database& db, int lockWaitMs);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_db;
    bool m_done = false;
};

// One statement prepared once and run many times with new values: the work that writes many rows
// (day rows, bulk suspend, settlement) pays the preparing once. It prepares again by itself after
// the connection was reopened.
class PreparedStatement {
public:
    PreparedStatement(Database& db, const QString& sql);

    // Binds `values` in order and runs the statement; throws DataError.
    QSqlQuery& run(const QVariantList& values);

private:
    void prepare();

    Database& m_db;
    QString m_sql;
    QSqlQuery m_query;
    int m_generation = -1;
};
