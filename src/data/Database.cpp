#include "data/Database.h"

#include "data/DataError.h"
#include "data/Schema.h"
#include "data/TextRules.h"

#include <QAtomicInt>
#include <QDeadlineTimer>
#include <QThread>
#include <QSqlDriver>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>
#include <QUrlQuery>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a statement waits for another clerk's lock on SQLite before the books count as busy.
constexpr int kBusyTimeoutMs = 5000;

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

// A failure the server gave as its connection went: SQLSTATE class 08, or the server shutting down.
bool isConnectionLoss(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return error.type() == QSqlError::ConnectionError || code.startsWith(QLatin1String("08"))
        || code.startsWith(QLatin1String("57P"));
}

// What the clerk can do about a refused statement depends on why; the drivers say it in their own codes
// (SQLite's result codes, PostgreSQL's SQLSTATE).
DataError::Reason reasonOf(Database::Kind kind, const QSqlError& error)
{
    using Reason = DataError::Reason;
    const QString code = error.nativeErrorCode();
    if (kind == Database::Kind::SQLite) {
        switch (code.toInt() & 0xff) { // the primary code of an extended one
        case 5: case 6: return Reason::Busy;        // SQLITE_BUSY, SQLITE_LOCKED
        case 8: return Reason::ReadOnly;            // SQLITE_READONLY
        case 11: case 26: return Reason::Damaged;   // SQLITE_CORRUPT, SQLITE_NOTADB
        case 13: return Reason::DiskFull;           // SQLITE_FULL
        case 19:                                    // SQLITE_CONSTRAINT
            return error.databaseText().contains(QLatin1String("UNIQUE")) ? Reason::KeyTaken : Reason::Other;
        default: return Reason::Other;
        }
    }
    if (code == QLatin1String("23505"))
        return Reason::KeyTaken;
    if (code == QLatin1String("40001") || code == QLatin1String("40P01") || code == QLatin1String("55P03")
        || code == QLatin1String("57014"))
        return Reason::Busy; // serialisation, deadlock, lock wait or statement time-out
    if (code == QLatin1String("25006"))
        return Reason::ReadOnly;
    if (code == QLatin1String("53100"))
        return Reason::DiskFull;
    if (code == QLatin1String("22003"))
        return Reason::OutOfRange;
    if (code == QLatin1String("XX001") || code == QLatin1String("XX002"))
        return Reason::Damaged; // data_corrupted, index_corrupted
    if (isConnectionLoss(error))
        return Reason::ServerUnreachable;
    return Reason::Other;
}

bool isPostgresUri(const QString& location)
{
    return location.startsWith(QLatin1String("postgresql://")) || location.startsWith(QLatin1String("postgres://"));
}

// The database file is the clerks' books: readable by its owner only, from its first byte. The file is
// made here, before SQLite opens it, with a mode a umask can only narrow; SQLite gives the -wal and -shm
// files the mode of the database file. True when this call made it.
bool createPrivateFile(const QString& path, bool mayCreateFolder)
{
    QFileInfo info(path);
    if (info.exists())
        return false;
    // A folder that is not there is a typing slip in the address, not a place for empty books; only the
    // program's own data folder is made.
    if (!mayCreateFolder && !info.absoluteDir().exists())
        throw DataError(DataError::Kind::Database,
                        QStringLiteral("Cannot open the database %1: the folder %2 does not exist.")
                            .arg(path, info.absolutePath()));
    if (!QDir().mkpath(info.absolutePath()))
        throw DataError(DataError::Kind::Database,
                        QStringLiteral("Cannot open the database %1: the folder cannot be created.").arg(path));
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != EEXIST) // another program made it meanwhile: that is as good
        throw DataError(DataError::Kind::Database,
                        QStringLiteral("Cannot open the database %1: %2").arg(path, QString::fromLocal8Bit(strerror(errno))));
    return false;
}

// Books made readable by others (copied in, or made by an older program) are narrowed to their owner
// when the owner opens them; a file of another account is left as it is, and so is one that cannot be
// changed (a read-only disk).
void narrowToOwner(const QString& path)
{
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &status) != 0 || status.st_uid != ::geteuid() || (status.st_mode & 0177) == 0)
        return;
    ::chmod(name.constData(), status.st_mode & 0600);
}

// An '@' past the host is a password's own '@' left unencoded: the address parses, but with a piece of
// the password as the host and the rest as the path, which must be neither shown nor tried.
bool passwordSpillsOver(const QUrl& url)
{
    return url.path().contains(u'@') || url.query().contains(u'@') || url.fragment().contains(u'@');
}

// Statements that only read may run again on a reopened connection; nothing was written by them.
bool onlyReads(const QString& sql)
{
    return sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
}

} // namespace

QString Database::shownAddress(const QString& location)
{
    // Parsed strictly before any part of it is shown: a password with a bare '@' must not spill into
    // the host name of the message.
    const QUrl url(location, QUrl::StrictMode);
    if (!url.isValid() || passwordSpillsOver(url))
        return url.scheme().isEmpty() ? QStringLiteral("(an address that cannot be read)")
                                      : url.scheme() + QStringLiteral("://(an address that cannot be read)");
    return url.toString(QUrl::RemovePassword);
}

bool Database::holdsPassword(const QString& location)
{
    return isPostgresUri(location) && !QUrl(location).password().isEmpty();
}

bool Database::isReadOnly() const
{
    return m_kind == Kind::SQLite && m_location != QLatin1String(":memory:") && !QFileInfo(m_location).isWritable();
}

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
    const QString shown = kind == Kind::PostgreSQL ? shownAddress(location) : location;
    bool madeFile = false;
    // `cause` keeps the database's reason (a full disk, say), so the start can name it.
    auto fail = [&](const QString& reason, DataError::Reason cause = DataError::Reason::Other) {
        db.reset();
        if (madeFile)
            removeSqliteFiles(location);
        throw DataError(DataError::Kind::Database, cause,
                        QStringLiteral("Cannot open the database %1: %2").arg(shown, reason));
    };

    const bool existingFile = kind == Kind::SQLite && QFileInfo::exists(location);
    if (kind == Kind::SQLite) {
        if (location != QLatin1String(":memory:"))
            madeFile = createPrivateFile(location, location == defaultSqlitePath());
        db->m_madeFile = madeFile;
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        sql.setDatabaseName(location);
        sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!sql.open())
            fail(describeError(sql.lastError()));
    } else {
        const QUrl url(location, QUrl::StrictMode);
        if (!url.isValid() || passwordSpillsOver(url))
            fail(QStringLiteral("the address is not valid (a '@', ':' or '/' in the password is written %40, %3A, %2F)"));
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
        db->m_schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
        static const QRegularExpression plainName(QStringLiteral("^[a-z_][a-z0-9_]*$"));
        if (!db->m_schema.isEmpty() && !plainName.match(db->m_schema).hasMatch())
            fail(QStringLiteral("the schema name %1 is not a plain name").arg(db->m_schema));
        sql.setConnectOptions(QStringLiteral("connect_timeout=15"));
        if (!sql.open())
            fail(describeError(sql.lastError()));
    }

    // A SQLite file of another program is not made into books by adding this program's tables, and books
    // a newer program marked as its own are not this program's to write: either is refused as it was
    // found, neither its mode nor its journal changed.
    bool foreignFile = false;
    try {
        foreignFile = existingFile
                      && db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")).toInt() > 0
                      && db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'schema_version'")).toInt() == 0;
        if (existingFile && !foreignFile)
            Schema::refuseNewerBooks(*db);
    } catch (const DataError& error) {
        fail(error.message(), error.reason());
    }
    if (foreignFile)
        fail(QStringLiteral("the file holds the tables of another program"));

    try {
        if (kind == Kind::SQLite) {
            if (location != QLatin1String(":memory:"))
                narrowToOwner(location);
            db->useWriteAheadLog();
            for (const char* companion : {"-wal", "-shm"})
                narrowToOwner(location + QLatin1String(companion));
        } else if (!db->m_schema.isEmpty()) {
            // Programs starting at once on empty books would otherwise race to make the schema.
            Transaction transaction(*db);
            db->lock(Lock::Schema);
            db->exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(db->m_schema));
            transaction.commit();
        }
        db->startSession();
    } catch (const DataError& error) {
        fail(error.message(), error.reason());
    }
    return db;
}

void Database::removeSqliteFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
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

// WAL mode is kept in the file, and set by the first program to open it. Programs opening new books at
// once may find another one setting it: SQLite refuses that at once, without the busy time-out, so the
// refusal is waited out here, for as long as the time-out would.
void Database::useWriteAheadLog()
{
    QDeadlineTimer deadline(kBusyTimeoutMs);
    for (;;) {
        try {
            exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            return;
        } catch (const DataError& error) {
            if (error.reason() != DataError::Reason::Busy || deadline.hasExpired())
                throw;
            QThread::msleep(10);
        }
    }
}

// What a fresh server connection is told before the clerks' statements run on it.
void Database::startSession()
{
    if (m_kind != Kind::PostgreSQL)
        return;
    exec(QStringLiteral("SET client_min_messages TO warning"));
    exec(QStringLiteral("SET statement_timeout TO 30000"));
    if (!m_schema.isEmpty())
        exec(QStringLiteral("SET search_path TO %1").arg(m_schema));
}

void Database::reconnectIfLost()
{
    if (!m_lost)
        return;
    if (inTransaction()) // the transaction went with the connection: its action is refused as a whole
        throw DataError(DataError::Kind::Database, DataError::Reason::ServerUnreachable,
                        QStringLiteral("the connection to the server was lost during the action"));
    QSqlDatabase sql = connection();
    sql.close();
    if (!sql.open())
        throw DataError(DataError::Kind::Database, DataError::Reason::ServerUnreachable, describeError(sql.lastError()));
    m_lost = false;
    ++m_generation;
    startSession();
}

bool Database::serverAnswers()
{
    QSqlQuery probe(connection());
    // Inside a transaction an earlier failure makes the server refuse even this, but it did answer.
    return probe.exec(QStringLiteral("SELECT 1")) || !probe.lastError().nativeErrorCode().isEmpty();
}

DataError Database::failure(const QSqlError& error)
{
    DataError::Reason reason = reasonOf(m_kind, error);
    // A client-side failure without a code may be a connection that is gone; the server is asked.
    if (m_kind == Kind::PostgreSQL
        && (reason == DataError::Reason::ServerUnreachable || (error.nativeErrorCode().isEmpty() && !serverAnswers()))) {
        reason = DataError::Reason::ServerUnreachable;
        m_lost = true;
    }
    // SQLite tells a write the full disk refused as an I/O error where it grows its shared memory.
    if (m_kind == Kind::SQLite && (error.nativeErrorCode().toInt() & 0xff) == 10 /* SQLITE_IOERR */
        && QStorageInfo(QFileInfo(m_location).absolutePath()).bytesAvailable() < 32 * 1024)
        reason = DataError::Reason::DiskFull;
    DataError refused(DataError::Kind::Database, reason, describeError(error));
    if (!m_scopes.empty()) {
        if (!m_scopes.back().failure)
            m_scopes.back().failure = refused;
        takeBackFailedScope();
    }
    return refused;
}

// PostgreSQL refuses every statement after a failed one until its transaction ends, the freeing of
// prepared statements too: a statement let go meanwhile would stay on the server for the rest of the
// session. So the failed scope's work is taken back on the server at once, to the savepoint where the
// scope began (the outermost scope has one too), and what the scope still runs is taken back with it
// when it ends (its commit is refused all the same). The transaction goes on, and so do its locks.
void Database::takeBackFailedScope()
{
    if (m_kind != Kind::PostgreSQL || m_lost)
        return;
    QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint(m_scopes.size() - 1));
}

namespace {

// A NUL cuts a SQLite text short and is refused by PostgreSQL with a raw server error: it never goes.
void refuseNul(const QVariantList& values)
{
    for (const QVariant& value : values)
        if (value.typeId() == QMetaType::QString && value.toString().contains(QChar(0)))
            throw DataError(DataError::Kind::Conversion, DataError::Reason::Other,
                            QStringLiteral("A NUL character cannot be written to the books"),
                            TextRules::controlCharacterRefusal(QStringLiteral("A value")));
}

} // namespace

QSqlQuery Database::exec(const QString& sql, const QVariantList& values)
{
    refuseNul(values);
    reconnectIfLost();
    auto run = [&](QSqlQuery& query) {
        query.setForwardOnly(true);
        // PostgreSQL prepares only queries and row changes; a statement without values runs as it is.
        if (values.isEmpty())
            return query.exec(sql);
        if (!query.prepare(sql))
            return false;
        for (const QVariant& value : values)
            query.addBindValue(value);
        return query.exec();
    };
    QSqlQuery query(connection());
    if (run(query))
        return query;
    DataError refused = failure(query.lastError());
    // A read that found the connection gone is asked again at once on a new one.
    if (m_lost && !inTransaction() && onlyReads(sql)) {
        reconnectIfLost();
        QSqlQuery again(connection());
        if (run(again))
            return again;
        refused = failure(again.lastError());
    }
    throw refused;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = exec(sql, values);
    return nextRow(query) ? query.value(0) : QVariant();
}

bool Database::nextRow(QSqlQuery& query)
{
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throw failure(query.lastError());
    return false;
}

void Database::lock(Lock which)
{
    takeLock(qint64(which), true);
}

bool Database::tryLock(Lock which)
{
    return takeLock(qint64(which), false);
}

void Database::lockTable(const QString& table)
{
    // One key a table, apart from the writer locks above; two tables sharing one only take turns.
    constexpr qint64 tableLocks = 0x48414c10000;
    takeLock(tableLocks + qChecksum(table.toUtf8()), true);
}

// Held by the session, not by the transaction: rolling back to a savepoint after a failed statement
// would let a transaction's lock go while the action still runs. releaseLocks() lets it go once the outermost scope ends. A server
// keeps one set of such locks for every schema of a database: the books of another schema have keys
// of their own, so their clerks neither wait for these books nor are refused by them.
bool Database::takeLock(qint64 key, bool wait)
{
    if (!inTransaction())
        throw DataError(DataError::Kind::Usage, QStringLiteral("A writer lock is taken inside a transaction"));
    if (m_kind != Kind::PostgreSQL)
        return true;
    key ^= qint64(qChecksum(m_schema.toUtf8())) << 44;
    const bool taken = wait ? (exec(QStringLiteral("SELECT pg_advisory_lock(?)"), {key}), true)
                            : scalar(QStringLiteral("SELECT pg_try_advisory_lock(?)"), {key}).toBool();
    m_holdsLocks = m_holdsLocks || taken;
    return taken;
}

void Database::setLockTimeout(int milliseconds)
{
    if (m_kind == Kind::SQLite)
        exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
    else
        exec(QStringLiteral("SET lock_timeout TO %1").arg(milliseconds));
}

void Database::useUsualLockTimeout()
{
    if (m_kind == Kind::SQLite)
        setLockTimeout(kBusyTimeoutMs);
    else
        exec(QStringLiteral("SET lock_timeout TO DEFAULT")); // the statement time-out bounds the wait
}

QString Database::savepoint(std::size_t scope) const
{
    return QStringLiteral("halcyon_scope_%1").arg(scope);
}

// A statement that starts or ends a transaction or savepoint.
void Database::control(const QString& statement)
{
    QSqlQuery query(connection());
    if (!query.exec(statement))
        throw failure(query.lastError());
}

void Database::begin(std::optional<int> lockWaitMs)
{
    const bool outermost = m_scopes.empty();
    if (outermost) {
        reconnectIfLost();
        // IMMEDIATE: the write lock is taken now, within the busy time-out, not at the first write,
        // where a transaction that has read already could only be refused.
        const bool briefWait = lockWaitMs && m_kind == Kind::SQLite;
        if (briefWait)
            setLockTimeout(*lockWaitMs);
        try {
            control(m_kind == Kind::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
        } catch (const DataError&) {
            if (briefWait)
                useUsualLockTimeout();
            throw;
        }
        if (briefWait)
            useUsualLockTimeout();
        m_undo.clear();
    } else if (m_scopes.back().failure) { // PostgreSQL would refuse it; both databases say the same
        throw *m_scopes.back().failure;
    }
    // On PostgreSQL the outermost scope has its savepoint too, for a failed statement to go back to.
    if (!outermost || m_kind == Kind::PostgreSQL) {
        try {
            control(QStringLiteral("SAVEPOINT ") + savepoint(m_scopes.size()));
        } catch (const DataError&) {
            if (outermost) {
                QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK"));
                releaseLocks();
            }
            throw;
        }
    }
    m_scopes.push_back(Scope{m_undo.size()});
}

void Database::commit()
{
    if (m_scopes.empty())
        return;
    if (const std::optional<DataError> failed = m_scopes.back().failure) {
        // A statement of this scope was refused: its work goes, and the caller hears why.
        rollback();
        throw *failed;
    }
    const Scope scope = m_scopes.back();
    m_scopes.pop_back();
    try {
        if (m_scopes.empty()) {
            control(QStringLiteral("COMMIT"));
            releaseLocks();
        } else {
            control(QStringLiteral("RELEASE SAVEPOINT ") + savepoint(m_scopes.size()));
        }
    } catch (const DataError&) {
        m_scopes.push_back(scope);
        rollback();
        throw;
    }
    if (m_scopes.empty())
        m_undo.clear();
}

void Database::rollback()
{
    if (m_scopes.empty())
        return;
    const std::size_t mark = m_scopes.back().undoMark;
    m_scopes.pop_back();
    // A connection that is gone took the transaction with it; nothing is left to take back there.
    QSqlQuery query(connection());
    if (m_scopes.empty()) {
        query.exec(QStringLiteral("ROLLBACK"));
        releaseLocks();
    } else if (query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepoint(m_scopes.size())))
        query.exec(QStringLiteral("RELEASE SAVEPOINT ") + savepoint(m_scopes.size()));
    // Undo in reverse order, so a row written twice ends as it was first read.
    std::vector<std::function<void()>> undo(m_undo.begin() + qsizetype(mark), m_undo.end());
    m_undo.resize(mark);
    for (auto it = undo.rbegin(); it != undo.rend(); ++it)
        (*it)();
}

// The locks go after the transaction ended, so the next holder reads what it wrote. A connection
// that is gone let them go with it.
void Database::releaseLocks()
{
    if (m_holdsLocks && !m_lost)
        QSqlQuery(connection()).exec(QStringLiteral("SELECT pg_advisory_unlock_all()"));
    m_holdsLocks = false;
}

void Database::onRollback(std::function<void()> undo)
{
    if (inTransaction())
        m_undo.push_back(std::move(undo));
}

Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.begin();
}

Transaction::Transaction(Database& db, int lockWaitMs) : m_db(db)
{
    m_db.begin(lockWaitMs);
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

PreparedStatement::PreparedStatement(Database& db, const QString& sql) : m_db(db), m_sql(sql)
{
    prepare();
}

void PreparedStatement::prepare()
{
    m_db.reconnectIfLost();
    m_query = QSqlQuery(m_db.connection());
    m_query.setForwardOnly(true);
    if (!m_query.prepare(m_sql))
        throw m_db.failure(m_query.lastError());
    m_generation = m_db.m_generation;
}

QSqlQuery& PreparedStatement::run(const QVariantList& values)
{
    refuseNul(values);
    if (m_db.m_lost || m_generation != m_db.m_generation)
        prepare();
    for (qsizetype i = 0; i < values.size(); ++i)
        m_query.bindValue(int(i), values.at(i));
    if (!m_query.exec())
        throw m_db.failure(m_query.lastError());
    return m_query;
}
