#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class Database;

// What the program knows of its tables: column types, keys and defaults. The data layer uses it to
// create the tables, to convert stored values and to write rows back.
namespace Schema {

enum class Type { Integer, Real, Text, Date, Flag };

struct Column {
    QString name;
    Type type = Type::Text;
    QVariant defaultValue = {}; // null: no default
};

struct Table {
    QString name;
    QList<Column> columns;
    QString key;              // the key column; empty for none
    bool keyGenerated = false; // the database assigns the key on insert
    bool surrogateKey = false; // the key is an `id` added for the program's sake; grids hide it
    // Each a list of columns. One ending with the generated key is the order of a grid's pages, and
    // sorts nulls first on both databases.
    QList<QStringList> indexes = {};
    QList<QStringList> uniqueIndexes = {}; // each a list of columns no two rows share
    QList<QVariantMap> initialRows = {}; // written when the table is created (the single rows)
    // PostgreSQL: how full (percent) new rows leave a page. The room left takes a row's changed version
    // on its own page, which spares the indexes a new entry where no indexed column changed.
    int fillFactor = 100;

    const Column* column(const QString& name) const;
    // The key is a code the database or the numbering gives and nobody types: every keyed table but
    // the lookup tables, whose one column is the value the clerk keeps, and the tables of type names,
    // keyed by the name the clerk gave.
    bool keyIsGiven() const { return !key.isEmpty() && columns.size() > 1 && column(key)->type == Type::Integer; }
};

// Every table of the system, in creation order.
const QList<Table>& tables();
const Table* table(const QString& name);

// The schema version written by create().
int currentVersion();

// Creates every missing table, its indexes and the single rows the system only changes, brings books of
// an older version up to this one, then records the version and the lowest program that may write
// them; all of it once, in one transaction, under the schema's writer lock. Books that only a newer
// program may write are refused before anything is written. Throws DataError.
void create(Database& db);

// The start of the program: opens the books (Database::open) and makes any missing table. A failure names
// the books and the cause, and leaves behind no file that this start made, so a full disk leaves no
// empty books. Throws DataError.
std::unique_ptr<Database> openBooks(const QString& location = {});

// The tables of the books that cannot be read through (missing, damaged, not allowed), checked at start
// so a clerk hears of it before a form shows nothing. Cheap: SQLite counts each table's rows, which reads
// its pages; PostgreSQL reads one row of each.
QStringList unreadableTables(Database& db);

// The version recorded in the database, 0 where none is.
int storedVersion(Database& db);
// The lowest version of the program that may write the books, 0 where none is recorded. A program
// older than that refuses to open them (create() throws), naming both versions.
int leastWriter(Database& db);
// Refuses books that only a newer program may write (throws DataError naming both versions), before
// anything is written: an older program does not undo what a newer one changed.
void refuseNewerBooks(Database& db);

} // namespace Schema
