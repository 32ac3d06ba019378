#include "records/MaxPlusOneNumbering.h"

#include "data/Database.h"
#include "data/TextRules.h"

#include <QSqlQuery>
#include <QSqlRecord>

MaxPlusOneNumbering::MaxPlusOneNumbering(Database& db, QString table, QString column)
    : m_db(&db), m_table(std::move(table)), m_column(std::move(column))
{
}

qint32 MaxPlusOneNumbering::next() const
{
    QSqlQuery query = m_db->exec(QStringLiteral("SELECT max(%1) AS 自動編號 FROM %2").arg(m_column, m_table));
    const QVariant highest = query.next() ? query.value(QStringLiteral("自動編號")) : QVariant();
    return TextRules::roundToInt32(highest.isNull() ? 0.0 : highest.toDouble()) + 1;
}

bool MaxPlusOneNumbering::isTaken(qint32 number) const
{
    return m_db->scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?").arg(m_table, m_column), {number}).toInt() > 0;
}
