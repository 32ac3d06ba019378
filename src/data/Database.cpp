#include "data/Database.h"

#include "data/DataError.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("halcyon-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString describeError(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

bool isPostgresUri(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

// The database file is the clerks' books: readable by its owner only.
void createPrivateFile(const QString& path)
{
    QFileInfo info(path);
    if (info.exists())
        return;
    if (!QDir().mkpath(info.absolutePath()))
        throw DataError(DataError::Kind::Database,
                        QStringLiteral("Cannot open the database %1: the folder cannot be created.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw DataError(DataError::Kind::Database,
                        QStringLiteral("Cannot open the database %1: %2").arg(path, file.errorString()));
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

QString Database::defaultSqlitePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("halcyon-ledger.sqlite"));
}

std::unique_ptr<Database> Database::open(const QString& requested)
{
    QString location = requested;
    if (location.isEmpty())
        location = qEnvironmentVariable("HALCYON_DATABASE");
    if (location.isEmpty())
        location = defaultSqlitePath();

    const QString name = nextConnectionName();
    const Kind kind = isPostgresUri(location) ? Kind::PostgreSQL : Kind::SQLite;
    std::unique_ptr<Database> db(new Database(kind, location, name));
    const QString shown = kind == Kind::PostgreSQL ? QUrl(location).toString(QUrl::RemovePassword) : location;
    auto fail = [&](const QString& reason) {
        throw DataError(DataError::Kind::Database, QStringLiteral("Cannot open the database %1: %2").arg(shown, reason));
    };

    QString schema;
    if (kind == Kind::SQLite) {
        if (location != QLatin1String(":memory:"))
            createPrivateFile(location);
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        sql.setDatabaseName(location);
        sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!sql.open())
            fail(describeError(sql.lastError()));
    } else {
        const QUrl url(location);
        if (!url.isValid())
            fail(QStringLiteral("the address is not valid"));
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!url.host().isEmpty())
            sql.setHostName(url.host());
        if (url.port() > 0)
            sql.setPort(url.port());
        if (!url.userName().isEmpty())
            sql.setUserName(url.userName());
        if (!url.password().isEmpty())
            sql.setPassword(url.password());
        const QString database = url.path().mid(1);
        if (!database.isEmpty())
            sql.setDatabaseName(database);
        schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
        static const QRegularExpression plainName(QStringLiteral("^[a-z_][a-z0-9_]*$"));
        if (!schema.isEmpty() && !plainName.match(schema).hasMatch())
            fail(QStringLiteral("the schema name %1 is not a plain name").arg(schema));
        sql.setConnectOptions(QStringLiteral("connect_timeout=15"));
        if (!sql.open())
            fail(describeError(sql.lastError()));
    }

    try {
        if (kind == Kind::SQLite) {
            db->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        } else {
            db->exec(QStringLiteral("SET client_min_messages TO warning"));
            db->exec(QStringLiteral("SET statement_timeout TO 30000"));
            if (!schema.isEmpty()) {
                db->exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(schema));
                db->exec(QStringLiteral("SET search_path TO %1").arg(schema));
            }
        }
    } catch (const DataError& error) {
        fail(error.message());
    }
    return db;
}

Database::Database(Kind kind, QString location, QString connectionName)
    : m_kind(kind), m_location(std::move(location)), m_connectionName(std::move(connectionName))
{
}

Database::~Database()
{
    {
        QSqlDatabase sql = QSqlDatabase::database(m_connectionName, false);
        if (sql.isOpen())
            sql.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    // PostgreSQL prepares only queries and row changes; a statement without values runs as it is.
    const bool ok = values.isEmpty() ? query.exec(sql) : [&] {
        if (!query.prepare(sql))
            return false;
        for (const QVariant& value : values)
            query.addBindValue(value);
        return query.exec();
    }();
    if (!ok)
        throw DataError(DataError::Kind::Database, describeError(query.lastError()));
    return query;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = exec(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void Database::begin()
{
    if (m_depth++ > 0)
        return;
    m_failed = false;
    m_undo.clear();
    if (!connection().transaction()) {
        m_depth = 0;
        throw DataError(DataError::Kind::Database, describeError(connection().lastError()));
    }
}

void Database::commit()
{
    if (m_depth == 0)
        return;
    if (--m_depth > 0)
        return;
    if (m_failed) {
        // An inner scope gave up: the whole action goes.
        m_depth = 1;
        rollback();
        throw DataError(DataError::Kind::Database, QStringLiteral("the action was abandoned"));
    }
    if (!connection().commit()) {
        const QString reason = describeError(connection().lastError());
        m_depth = 1;
        rollback();
        throw DataError(DataError::Kind::Database, reason);
    }
    m_undo.clear();
}

void Database::rollback()
{
    if (m_depth == 0)
        return;
    if (--m_depth > 0) {
        m_failed = true;
        return;
    }
    connection().rollback();
    // Undo in reverse order, so a row written twice ends as it was first read.
    auto undo = std::move(m_undo);
    m_undo.clear();
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        (*it)();
}

void Database::onRollback(std::function<void()> undo)
{
    if (m_depth > 0)
        m_undo.push_back(std::move(undo));
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_db.commit();
}
