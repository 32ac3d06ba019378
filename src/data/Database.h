#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class QSqlQuery;

// The one connection of the process to its database: a SQLite file (the default) or a PostgreSQL
// server. Forms receive it by reference; every statement goes through it with bound values.
class Database {
public:
    enum class Kind { SQLite, PostgreSQL };

    // Opens what `location` names: a `postgresql://` URI or a SQLite file path. An empty location means
    // HALCYON_DATABASE, or else the SQLite file in the user's data folder. Throws DataError with a
    // message that names the database and the reason.
    static std::unique_ptr<Database> open(const QString& location = {});
    static QString defaultSqlitePath();

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Kind kind() const { return m_kind; }
    QString location() const { return m_location; }
    QSqlDatabase connection() const;

    // Runs one statement with bound values and returns the active query; throws DataError on failure.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or a null value where there is none.
    QVariant scalar(const QString& sql, const QVariantList& values = {});

    bool inTransaction() const { return m_depth > 0; }

private:
    friend class Transaction;
    Database(Kind kind, QString location, QString connectionName);
    void begin();
    void commit();
    void rollback();

    Kind m_kind;
    QString m_location;
    QString m_connectionName;
    int m_depth = 0;
    bool m_failed = false;
    std::vector<std::function<void()>> m_undo;
    friend class Recordset;
    void onRollback(std::function<void()> undo);
};

// One user action that writes several rows: all of it is written, or nothing. Scopes nest; the
// outermost one commits. A scope left without commit() rolls back, and every recordset that wrote
// inside it puts its rows back the way they were before the write.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_db;
    bool m_done = false;
};
