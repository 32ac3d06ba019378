#include "records/MaxPlusOneNumbering.h"

#include "data/Database.h"
#include "data/TextRules.h"

#include <QSqlQuery>
#include <QSqlRecord>

MaxPlusOneNumbering::MaxPlusOneNumbering(Database& db, QString table, QString column)
    : m_db(&db), m_table(std::move(table)), m_column(std::move(column))
{
}

MaxPlusOneNumbering& MaxPlusOneNumbering::alsoUsedIn(const QStringList& tables)
{
    m_alsoUsedIn = tables;
    return *this;
}

qint32 MaxPlusOneNumbering::next() const
{
    double highest = 0;
    for (const QString& table : QStringList{m_table} + m_alsoUsedIn) {
        QSqlQuery query = m_db->exec(QStringLiteral("SELECT max(%1) AS 自動編號 FROM %2").arg(m_column, table));
        const QVariant value = query.next() ? query.value(QStringLiteral("自動編號")) : QVariant();
        if (!value.isNull())
            highest = qMax(highest, value.toDouble());
    }
    return TextRules::roundToInt32(highest) + 1;
}

bool MaxPlusOneNumbering::isTaken(qint32 number) const
{
    for (const QString& table : QStringList{m_table} + m_alsoUsedIn)
        if (m_db->scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?").arg(table, m_column), {number}).toInt() > 0)
            return true;
    return false;
}
