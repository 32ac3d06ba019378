#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <array>
#include <string>
#include <string_view>
#include <vector>

class Database;
struct sqlite3_stmt;
struct sqlite3_value;

// The rows of one query, read one after another. On SQLite, where Qt's driver runs on the program's own
// SQLite library, the rows are read from SQLite's statement itself: the driver would first copy every
// value of a row into a cache of its own and then hand out copies, which costs as much again as reading
// the books. The values are those QSqlQuery gives, type, nullness and text alike on every row. A row
// that cannot be read is refused with a DataError, never taken for the end of the rows.
class RowReader {
public:
    // Runs the query with bound values; throws DataError.
    RowReader(Database& db, const QString& sql, const QVariantList& values = {});

    QSqlRecord record() const { return m_query.record(); }
    // Moves to the next row; false after the last one.
    bool next();
    QVariant value(int column) const;

private:
    QVariant statementValue(int column) const;

    Database& m_db;
    QSqlQuery m_query;
    sqlite3_stmt* m_statement = nullptr; // SQLite: the statement under the query, stepped here after its first row
    bool m_started = false;
    bool m_stepped = false; // the current row is the statement's, not the driver's copy
    // The last few texts of a column, as read and as made: a column of few different texts (products,
    // bottle types, days) makes each of them once and shares it.
    class RecentTexts {
    public:
        // The text of `value`, whose UTF-8 form is `bytes`; null where SQLite has no memory to convert it.
        const QString* text(std::string_view bytes, sqlite3_value* value);

    private:
        static constexpr std::size_t kKept = 8;
        std::array<std::string, kKept> m_bytes;
        std::array<QString, kKept> m_texts;
        std::size_t m_kept = 0;
        std::size_t m_next = 0; // the oldest, replaced next
    };
    mutable std::vector<RecentTexts> m_recentTexts;
};
