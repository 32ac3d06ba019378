#include "data/DataSource.h"

#include "data/Schema.h"

DataSource::DataSource(Database& db, QObject* parent) : QObject(parent), m_db(db), m_recordset(db, this) {}

void DataSource::setTable(const QString& table)
{
    m_type = CommandType::Table;
    m_source = table;
    m_values.clear();
    m_updateTable = table;
    m_writableColumns.clear();
}

void DataSource::setQuery(const QString& sql, const QVariantList& values, const QString& updateTable,
                          const QStringList& writableColumns)
{
    m_type = CommandType::Text;
    m_source = sql;
    m_values = values;
    m_updateTable = updateTable;
    m_writableColumns = writableColumns;
}

void DataSource::refresh()
{
    if (m_type == CommandType::Table) {
        const Schema::Table* table = Schema::table(m_source);
        QString sql = QStringLiteral("SELECT * FROM %1").arg(table ? table->name : m_source);
        if (table && !table->key.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + table->key;
        m_recordset.load(sql, {}, m_updateTable);
    } else {
        m_recordset.load(m_source, m_values, m_updateTable, m_writableColumns);
    }
}

void AdodcQuery(DataSource& source, const QString& sql, const QVariantList& values)
{
    source.setQuery(sql, values);
    source.refresh();
}
