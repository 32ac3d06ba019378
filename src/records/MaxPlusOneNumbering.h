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

    qint32 next() const;
    // Whether a row already carries `number`: another clerk saved it since it was read.
    bool isTaken(qint32 number) const;

    QString table() const { return m_table; }
    QString column() const { return m_column; }

private:
    Database* m_db;
    QString m_table;
    QString m_column;
    QStringList m_alsoUsedIn;
};
