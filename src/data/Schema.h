#pragma once

#include <QList>
#include <QString>
#include <QVariant>

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
    QList<QStringList> indexes = {};  // each a list of columns
    QList<QStringList> uniqueIndexes = {}; // each a list of columns no two rows share
    QList<QVariantMap> initialRows = {}; // written when the table is created (the single rows)

    const Column* column(const QString& name) const;
};

// Every table of the system, in creation order.
const QList<Table>& tables();
const Table* table(const QString& name);

// The schema version written by create().
int currentVersion();

// Creates every missing table, its indexes and the single rows the system only changes,
// then records the schema version; all of it in one transaction, under the schema's writer lock.
// Throws DataError.
void create(Database& db);

// The version recorded in the database, 0 where none is.
int storedVersion(Database& db);

} // namespace Schema
