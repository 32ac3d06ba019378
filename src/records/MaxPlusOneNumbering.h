#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Database;

// Codes and serials the program gives itself: the highest value in the table plus one, read through
// a query whose result column is 自動編號. An empty table starts at 1.
class MaxPlusOneNumbering {
public:
    // `table` and `column` are the program's own names, never text a clerk typed.
    MaxPlusOneNumbering(Database& db, QString table, QString column);

    // Codes that rows of other tables still carry count as used, so a new row never takes over the
    // rows a deleted one left behind (the payroll rows of a deleted employee, say).
    MaxPlusOneNumbering& alsoUsedIn(const QStringList& tables);

    // The number the next row would get as things stand: what a form shows as an add begins. Throws
    // DataError, also where the column has no number left.
    qint32 next() const;
    // The first of `count` numbers for rows about to be written, taken inside the saving transaction
    // under the lock of the table, so clerks adding at once never take the same one. Numbers beyond
    // the column's range are refused. Throws DataError.
    qint32 take(int count = 1) const;

    QString table() const { return m_table; }
    QString column() const { return m_column; }

private:
    qint32 following(int count) const;

    Database* m_db;
    QString m_table;
    QString m_column;
    QStringList m_alsoUsedIn;
};
