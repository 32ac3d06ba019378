#pragma once

#include "data/Recordset.h"

#include <QObject>
#include <QString>
#include <QVariantList>

class Database;

// A form's data source: one command and the recordset it gives. A handler changes what it holds by
// giving it a new SELECT with bound values and refreshing it; the controls bound to its recordset follow.
class DataSource : public QObject {
    Q_OBJECT
public:
    enum class CommandType { Text, Table };

    explicit DataSource(Database& db, QObject* parent = nullptr);

    // The whole table, in the order of its key.
    void setTable(const QString& table);
    // A SELECT with bound values. Writes go to `updateTable`, or to the one table a plain SELECT reads;
    // `writableColumns`, where given, are the fields written (see Recordset::load).
    void setQuery(const QString& sql, const QVariantList& values = {}, const QString& updateTable = {},
                  const QStringList& writableColumns = {});

    // Runs the command again: the recordset is replaced and stands on its first row. Throws DataError.
    void refresh();

    CommandType commandType() const { return m_type; }
    QString recordSource() const { return m_source; }
    QVariantList values() const { return m_values; }
    Recordset& recordset() { return m_recordset; }
    const Recordset& recordset() const { return m_recordset; }

private:
    Database& m_db;
    CommandType m_type = CommandType::Text;
    QString m_source;
    QVariantList m_values;
    QString m_updateTable;
    QStringList m_writableColumns;
    Recordset m_recordset;
};

// AdodcQuery: give the data source a new SELECT and refresh it, as the forms' filters and searches do.
void AdodcQuery(DataSource& source, const QString& sql, const QVariantList& values = {});
