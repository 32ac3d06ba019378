#include "data/RowReader.h"

#include "data/Database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlResult>
#include <algorithm>
#include <dlfcn.h>
#include <sqlite3.h>

namespace {

// Whether Qt's SQLite driver runs on the SQLite library this program calls. Its statement is stepped
// here only then: another library's functions would read a statement they did not make. The driver's
// class lives in Qt's plugin, whose file its virtual table names; the plugin's sqlite3_step is ours
// where it takes SQLite from the same shared library.
bool driverRunsOurSqlite(const QSqlDriver* driver)
{
    Dl_info where{};
    if (!driver || !dladdr(*reinterpret_cast<void* const*>(driver), &where) || !where.dli_fname)
        return false;
    void* plugin = dlopen(where.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!plugin)
        return false;
    const bool ours = dlsym(plugin, "sqlite3_step") == reinterpret_cast<void*>(&sqlite3_step);
    dlclose(plugin);
    return ours;
}

// The statement of a SQLite query, or null for any other database.
sqlite3_stmt* statementOf(const QSqlQuery& query)
{
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

} // namespace

RowReader::RowReader(Database& db, const QString& sql, const QVariantList& values)
    : m_db(db), m_query(db.exec(sql, values))
{
}

bool RowReader::next()
{
    if (m_statement) {
        m_stepped = true;
        switch (sqlite3_step(m_statement)) {
        case SQLITE_ROW:
            return true;
        case SQLITE_DONE:
            return false;
        default: {
            sqlite3* connection = sqlite3_db_handle(m_statement);
            throw m_db.failure(QSqlError(QStringLiteral("Unable to fetch row"),
                                         QString::fromUtf8(sqlite3_errmsg(connection)), QSqlError::StatementError,
                                         QString::number(sqlite3_extended_errcode(connection))));
        }
        }
    }
    const bool first = !m_started;
    m_started = true;
    if (!m_db.nextRow(m_query))
        return false;
    // The driver has read the first row and its statement stands on it: from that row on, every value is
    // read from the statement, so each row reads alike. A statement found anywhere else, or under another
    // SQLite library, stays with the driver.
    if (first) {
        static const bool ourSqlite = driverRunsOurSqlite(m_query.driver());
        sqlite3_stmt* statement = statementOf(m_query);
        if (ourSqlite && statement && m_query.isForwardOnly()
            && sqlite3_data_count(statement) == m_query.record().count()) {
            m_statement = statement;
            m_stepped = true;
            m_recentTexts.resize(std::size_t(m_query.record().count()));
        }
    }
    return true;
}

QVariant RowReader::value(int column) const
{
    return m_stepped ? statementValue(column) : m_query.value(column);
}

// What the driver makes of each kind of value: a null is a null text, a text is what SQLite makes of it
// in UTF-16, also where the stored bytes are not UTF-8. The value is taken whole, one call into SQLite
// where asking its type and then its content would be two; such a value is not to be read from two
// threads at once, and a connection is used by one thread only.
QVariant RowReader::statementValue(int column) const
{
    sqlite3_value* value = sqlite3_column_value(m_statement, column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_value_int64(value)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(value));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: {
        const void* bytes = sqlite3_value_blob(value);
        return QByteArray(static_cast<const char*>(bytes), sqlite3_value_bytes(value));
    }
    default: {
        // The text first, then its length: asking the length first could convert the value twice.
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const QString* made =
            text ? m_recentTexts[std::size_t(column)].text({text, std::size_t(sqlite3_value_bytes(value))}, value) : nullptr;
        if (!made)
            throw m_db.failure(QSqlError(QStringLiteral("Unable to fetch row"), QStringLiteral("out of memory"),
                                         QSqlError::StatementError, QString::number(SQLITE_NOMEM)));
        return *made;
    }
    }
}

const QString* RowReader::RecentTexts::text(std::string_view bytes, sqlite3_value* value)
{
    for (std::size_t i = 0; i < m_kept; ++i)
        if (m_bytes[i] == bytes)
            return &m_texts[i];
    const std::size_t at = m_next;
    m_next = (m_next + 1) % kKept;
    m_kept = std::max(m_kept, at + 1);
    m_bytes[at] = bytes; // kept before SQLite converts the value, which may move its bytes
    // An empty text is not a null one.
    if (bytes.empty()) {
        m_texts[at] = QStringLiteral("");
        return &m_texts[at];
    }
    const auto* utf16 = static_cast<const QChar*>(sqlite3_value_text16(value));
    if (!utf16) {
        m_bytes[at].clear(); // an empty key stands for the empty text, which it is kept as
        m_texts[at] = QStringLiteral("");
        return nullptr;
    }
    m_texts[at] = QString(utf16, sqlite3_value_bytes16(value) / qsizetype(sizeof(QChar)));
    return &m_texts[at];
}
