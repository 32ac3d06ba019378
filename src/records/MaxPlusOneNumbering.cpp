#include "records/MaxPlusOneNumbering.h"

#include "data/DataError.h"
#include "data/Database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>
#include <limits>

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
    return following(1);
}

qint32 MaxPlusOneNumbering::take(int count) const
{
    m_db->lockTable(m_table);
    return following(count);
}

qint32 MaxPlusOneNumbering::following(int count) const
{
    double highest = 0;
    for (const QString& table : QStringList{m_table} + m_alsoUsedIn) {
        QSqlQuery query = m_db->exec(QStringLiteral("SELECT max(%1) AS 自動編號 FROM %2").arg(m_column, table));
        const QVariant value = m_db->nextRow(query) ? query.value(QStringLiteral("自動編號")) : QVariant();
        if (!value.isNull())
            highest = qMax(highest, std::nearbyint(value.toDouble()));
    }
    constexpr double last = std::numeric_limits<qint32>::max();
    if (highest + qMax(count, 1) > last)
        throw DataError(DataError::Kind::Database, DataError::Reason::OutOfRange,
                        QStringLiteral("No number is left for a new row of %1: %2 goes up to %3.")
                            .arg(m_table, m_column)
                            .arg(qint32(last)));
    return qint32(highest) + 1;
}
