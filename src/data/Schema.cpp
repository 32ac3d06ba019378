#include "data/Schema.h"

#include "data/DataError.h"
#include "data/Database.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>

namespace Schema {

namespace {

// 1: the tables; 2: the month a settlement run settled, and a posted day of the cash journal is unique;
// 3: the month a settlement run is settling; 4: the posting that took each movement of the cash journal;
// 5: the order the types were added in, and the lowest version of the program that may write the books;
// 6: on PostgreSQL, room on the delivery rows' pages for a row repriced in place;
// 7: the days suspended for every customer; on PostgreSQL, the delivery rows' customer-and-day index sorts
// nulls first and ends with the row's key.
constexpr int kVersion = 7;
// Programs before 5 neither number rows under the lock of their table nor keep the order of the types;
// programs before 7 write delivery rows onto a day suspended for every customer as if it were not.
constexpr int kLeastWriter = 7;

// A column added to a table after books were first created: books of an older version gain it, and
// `fill`, where given, gives their rows its value. In `fill`, %place is where a row stands in its table
// (SQLite's row number, PostgreSQL's row address): the order the rows were written in.
struct AddedColumn {
    QString table;
    QString column;
    QString fill = {};
};
const AddedColumn addedColumns[] = {
    {QStringLiteral("salary_sum_date"), QStringLiteral("settled_month")},
    {QStringLiteral("salary_sum_date"), QStringLiteral("settling_month")},
    // Postings before this column took the rows of their own day that were there as they ran: those
    // below the posting's own row, which holds only its number and the day (a posted day without one
    // counts whole). Rows entered later and the rows of days never posted wait for the next posting.
    {QStringLiteral("account_table"), QStringLiteral("posting_serial"),
     QStringLiteral("UPDATE account_table SET posting_serial ="
                    " (SELECT serial FROM account WHERE account.date_d = account_table.date_d)"
                    " WHERE serial <= coalesce((SELECT min(own.serial) FROM account_table own"
                    " WHERE own.date_d = account_table.date_d AND own.item IS NULL AND own.expense IS NULL"
                    " AND own.other IS NULL AND own.in_out IS NULL), serial)")},
    // The types listed in the order they were added: as their rows stand in the table.
    {QStringLiteral("order_kind"), QStringLiteral("type_order"),
     QStringLiteral("UPDATE order_kind SET type_order = numbered.n FROM (SELECT subscribe_type AS name,"
                    " row_number() OVER (ORDER BY %place) AS n FROM order_kind) numbered"
                    " WHERE order_kind.subscribe_type = numbered.name")},
    {QStringLiteral("send_kind"), QStringLiteral("type_order"),
     QStringLiteral("UPDATE send_kind SET type_order = numbered.n FROM (SELECT send_type AS name,"
                    " row_number() OVER (ORDER BY %place) AS n FROM send_kind) numbered"
                    " WHERE send_kind.send_type = numbered.name")},
};

// A table added after books were first created, and how books of an older version fill it.
struct AddedTable {
    QString table;
    QString fill;
};
const AddedTable addedTables[] = {
    // Before version 7 only the bulk suspend set `suspend`, a day at a time, on every row of the day; rows
    // written onto the day afterwards came unsuspended. A coming day with most of its rows suspended was
    // suspended for everybody.
    {QStringLiteral("suspended_day"),
     QStringLiteral("INSERT INTO suspended_day (date_d) SELECT date_d FROM order_date WHERE date_d >= CURRENT_DATE"
                    " GROUP BY date_d HAVING 2 * sum(coalesce(suspend, 0)) > count(*)")},
};

// An index whose columns changed after books were first created: books older than `version` have it
// made again, on the database where it changed.
struct ChangedIndex {
    QString table;
    int number; // its place among the table's indexes, from 1
    int version;
    Database::Kind kind;
};
const ChangedIndex changedIndexes[] = {
    // SQLite's index already sorted as the new one does: nulls first, and every entry ends with the key.
    {QStringLiteral("order_date"), 3, 7, Database::Kind::PostgreSQL},
};

QString columnType(Type type, Database::Kind kind)
{
    switch (type) {
    case Type::Integer:
    case Type::Flag:
        return QStringLiteral("INTEGER");
    case Type::Real:
        return kind == Database::Kind::SQLite ? QStringLiteral("REAL") : QStringLiteral("DOUBLE PRECISION");
    case Type::Date:
        return QStringLiteral("DATE");
    case Type::Text:
        break;
    }
    return QStringLiteral("TEXT");
}

QString literal(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    return value.toString();
}

// PostgreSQL's "fillfactor = n" where a table leaves room on its pages; nothing where it fills them.
QString storageParameter(const Table& table, Database::Kind kind)
{
    if (kind != Database::Kind::PostgreSQL || table.fillFactor == 100)
        return {};
    return QStringLiteral("fillfactor = %1").arg(table.fillFactor);
}

QString createStatement(const Table& table, Database::Kind kind)
{
    QStringList definitions;
    for (const Column& column : table.columns) {
        QString definition = column.name + QLatin1Char(' ');
        if (column.name == table.key && table.keyGenerated) {
            definition += kind == Database::Kind::SQLite
                ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT") // a deleted row's key is never given again
                : QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        } else {
            // A key the program gives must be given: on SQLite an INTEGER key would quietly take the
            // next row number instead, so it is declared INT, which is no alias of the row number.
            const bool key = column.name == table.key;
            definition += key && kind == Database::Kind::SQLite && column.type == Type::Integer
                ? QStringLiteral("INT")
                : columnType(column.type, kind);
            if (key)
                definition += QStringLiteral(" NOT NULL PRIMARY KEY");
            if (!column.defaultValue.isNull())
                definition += QStringLiteral(" DEFAULT ") + literal(column.defaultValue);
            else if (column.type == Type::Flag)
                definition += QStringLiteral(" DEFAULT 0");
        }
        definitions << definition;
    }
    QString statement = QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, definitions.join(QStringLiteral(", ")));
    if (const QString storage = storageParameter(table, kind); !storage.isEmpty())
        statement += QStringLiteral(" WITH (%1)").arg(storage);
    return statement;
}

// The statement making index `number` (from 1) of a table. An index ending with the generated key is the
// order of a grid's pages, which sort nulls first: SQLite's ascending order untold, where every entry ends
// with the row's key anyway; PostgreSQL is told.
QString createIndexStatement(const Table& table, int number, Database::Kind kind)
{
    QStringList columns = table.indexes[number - 1];
    if (table.keyGenerated && columns.size() > 1 && columns.constLast() == table.key) {
        if (kind == Database::Kind::SQLite)
            columns.removeLast();
        else
            columns = QStringList{columns.join(QStringLiteral(" NULLS FIRST, ")) + QStringLiteral(" NULLS FIRST")};
    }
    return QStringLiteral("CREATE INDEX %1_i%2 ON %1 (%3)").arg(table.name).arg(number).arg(columns.join(QStringLiteral(", ")));
}

bool tableExists(Database& db, const QString& name)
{
    // record() looks the name up where unqualified names resolve; tables() would name PostgreSQL
    // tables outside the schema "public" with their schema in front.
    return !db.connection().record(name).isEmpty();
}

} // namespace

const Column* Table::column(const QString& wanted) const
{
    for (const Column& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const Table* table(const QString& name)
{
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

int currentVersion()
{
    return kVersion;
}

QStringList unreadableTables(Database& db)
{
    QStringList unreadable;
    for (const Table& table : tables()) {
        const QString sql = db.kind() == Database::Kind::SQLite ? QStringLiteral("SELECT count(*) FROM %1")
                                                                : QStringLiteral("SELECT 1 FROM %1 LIMIT 1");
        try {
            db.exec(sql.arg(table.name));
        } catch (const DataError&) {
            unreadable << table.name;
        }
    }
    return unreadable;
}

int storedVersion(Database& db)
{
    if (!tableExists(db, QStringLiteral("schema_version")))
        return 0;
    return db.scalar(QStringLiteral("SELECT max(version) FROM schema_version")).toInt();
}

int leastWriter(Database& db)
{
    if (!db.connection().record(QStringLiteral("schema_version")).contains(QStringLiteral("least_writer")))
        return 0;
    return db.scalar(QStringLiteral("SELECT max(least_writer) FROM schema_version")).toInt();
}

void refuseNewerBooks(Database& db)
{
    if (const int least = leastWriter(db); least > kVersion)
        throw DataError(DataError::Kind::Database, DataError::Reason::Other,
                        QStringLiteral("the books are of version %1 and are written only by programs of version %2 or"
                                       " later; this program is of version %3.")
                            .arg(storedVersion(db))
                            .arg(least)
                            .arg(kVersion));
}

void create(Database& db)
{
    refuseNewerBooks(db);
    if (storedVersion(db) >= kVersion)
        return;
    Transaction transaction(db);
    // Programs starting at once on empty books take turns; the ones that waited find the tables made,
    // or made by a newer program.
    db.lock(Database::Lock::Schema);
    refuseNewerBooks(db);
    const int booksVersion = storedVersion(db);
    if (booksVersion >= kVersion)
        return;
    if (!tableExists(db, QStringLiteral("schema_version")))
        db.exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL, least_writer INTEGER)"));
    else if (!db.connection().record(QStringLiteral("schema_version")).contains(QStringLiteral("least_writer")))
        db.exec(QStringLiteral("ALTER TABLE schema_version ADD COLUMN least_writer INTEGER"));
    for (const Table& table : tables()) {
        if (tableExists(db, table.name)) {
            for (const AddedColumn& added : addedColumns) {
                // Books that already hold the column keep it: a step may run over them again.
                if (added.table == table.name
                    && !db.connection().record(table.name).contains(added.column)) {
                    db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                .arg(table.name, added.column, columnType(table.column(added.column)->type, db.kind())));
                    if (!added.fill.isEmpty())
                        db.exec(QString(added.fill).replace(QStringLiteral("%place"),
                                                            db.kind() == Database::Kind::SQLite ? QStringLiteral("rowid")
                                                                                                : QStringLiteral("ctid")));
                }
            }
            for (const ChangedIndex& changed : changedIndexes) {
                if (changed.table == table.name && booksVersion < changed.version && changed.kind == db.kind()) {
                    db.exec(QStringLiteral("DROP INDEX IF EXISTS %1_i%2").arg(table.name).arg(changed.number));
                    db.exec(createIndexStatement(table, changed.number, db.kind()));
                }
            }
            // Pages written from now on keep the room; the rows already written stay as they lie.
            if (const QString storage = storageParameter(table, db.kind()); !storage.isEmpty())
                db.exec(QStringLiteral("ALTER TABLE %1 SET (%2)").arg(table.name, storage));
            continue;
        }
        db.exec(createStatement(table, db.kind()));
        for (int number = 1; number <= table.indexes.size(); ++number)
            db.exec(createIndexStatement(table, number, db.kind()));
        for (const QVariantMap& row : table.initialRows) {
            QStringList placeholders;
            for (qsizetype i = 0; i < row.size(); ++i)
                placeholders << QStringLiteral("?");
            db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(table.name, row.keys().join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))),
                    row.values());
        }
        for (const AddedTable& added : addedTables)
            if (added.table == table.name && booksVersion > 0)
                db.exec(added.fill);
    }
    // Books made by an earlier version get the unique indexes added since, as new books do.
    for (const Table& table : tables()) {
        int number = 0;
        for (const QStringList& index : table.uniqueIndexes)
            db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1_u%2 ON %1 (%3)")
                        .arg(table.name).arg(++number).arg(index.join(QStringLiteral(", "))));
    }
    db.exec(QStringLiteral("INSERT INTO schema_version (version, least_writer) VALUES (?, ?)"), {kVersion, kLeastWriter});
    transaction.commit();
}

std::unique_ptr<Database> openBooks(const QString& location)
{
    std::unique_ptr<Database> db = Database::open(location);
    try {
        create(*db);
    } catch (const DataError& error) {
        const QString path = db->location();
        const QString shown = db->kind() == Database::Kind::PostgreSQL ? Database::shownAddress(path) : path;
        const bool made = db->madeFile();
        db.reset();
        if (made)
            Database::removeSqliteFiles(path);
        throw DataError(DataError::Kind::Database, error.reason(),
                        QStringLiteral("Cannot open the database %1: %2").arg(shown, error.message()),
                        error.detailBesidesMessage());
    }
    return db;
}

} // namespace Schema
