#include "widgets/FetchingGrid.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "widgets/Binder.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
constexpr int kRowsPerFetch = 256;
}

// The rows of a query, read a page at a time as the view asks for more. Each page is a statement of its
// own that is read to its end, so no read stays open between pages: on SQLite an open read would hold
// a snapshot of the books, and this program's next save after another program's write would find the
// books busy for as long as the grid is open.
class FetchingModel : public QAbstractTableModel {
public:
    FetchingModel(Database& db, const Schema::Table* table, QObject* parent)
        : QAbstractTableModel(parent), m_db(db), m_table(table)
    {
    }

    // Reads the first page of the query; throws DataError, and the rows on show stay then.
    void reset(const QString& sql, const QVariantList& values)
    {
        QVector<QVector<QVariant>> firstPage;
        QSqlRecord fields;
        readPage(sql, values, 0, firstPage, &fields);
        beginResetModel();
        m_sql = sql;
        m_values = values;
        m_shown.clear();
        m_types.clear();
        for (int i = 0; i < fields.count(); ++i) {
            const Schema::Column* column = m_table ? m_table->column(fields.fieldName(i)) : nullptr;
            m_types << (column ? column->type : Schema::Type::Text);
            const bool surrogate = m_table && m_table->surrogateKey
                && fields.fieldName(i).compare(m_table->key, Qt::CaseInsensitive) == 0;
            if (!surrogate)
                m_shown << i;
        }
        m_fields = fields;
        m_rows = std::move(firstPage);
        m_exhausted = m_rows.size() < kRowsPerFetch;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_shown.size()); }
    bool canFetchMore(const QModelIndex& parent) const override { return !parent.isValid() && !m_exhausted; }

    void fetchMore(const QModelIndex& parent) override
    {
        if (parent.isValid() || m_exhausted)
            return;
        QVector<QVector<QVariant>> page;
        try {
            readPage(m_sql, m_values, int(m_rows.size()), page);
        } catch (const DataError&) {
            // A page the books refuse now (a lost server) is asked for again at the next scroll.
            return;
        }
        m_exhausted = page.size() < kRowsPerFetch;
        if (page.isEmpty())
            return;
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + page.size() - 1));
        m_rows += page;
        endInsertRows();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return Binder::displayText(value(index.row(), m_shown[index.column()]));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return orientation == Qt::Horizontal ? m_fields.fieldName(m_shown.value(section)) : QVariant(section + 1);
    }

    // A stored value as its column's type: SQLite hands dates back as text.
    QVariant value(int row, int field) const
    {
        const QVariant& raw = m_rows[row][field];
        if (m_types[field] == Schema::Type::Date && !raw.isNull() && raw.typeId() != QMetaType::QDate)
            return QDate::fromString(raw.toString().left(10), Qt::ISODate);
        return raw;
    }

    int fieldIndex(const QString& name) const { return m_fields.indexOf(name); }
    QString sql() const { return m_sql; }
    QVariantList values() const { return m_values; }

private:
    // One page of the query's rows from `offset`, read to its end and closed.
    void readPage(const QString& sql, const QVariantList& values, int offset, QVector<QVector<QVariant>>& rows,
                  QSqlRecord* fields = nullptr) const
    {
        QSqlQuery query = m_db.exec(sql + QStringLiteral(" limit ? offset ?"),
                                    QVariantList(values) << kRowsPerFetch << offset);
        if (fields)
            *fields = query.record();
        const int columns = query.record().count();
        while (query.next()) {
            QVector<QVariant> row(columns);
            for (int i = 0; i < columns; ++i)
                row[i] = query.value(i);
            rows << row;
        }
        query.finish();
    }

    Database& m_db;
    const Schema::Table* m_table;
    QString m_sql;
    QVariantList m_values;
    QSqlRecord m_fields;
    QVector<Schema::Type> m_types;
    QVector<int> m_shown; // the query's columns the grid shows
    QVector<QVector<QVariant>> m_rows;
    bool m_exhausted = true;
};

FetchingGrid::FetchingGrid(Database& db, const QString& table, QWidget* parent)
    : QTableView(parent), m_model(new FetchingModel(db, Schema::table(table), this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FetchingGrid::currentRowChanged);
}

void FetchingGrid::setQuery(const QString& sql, const QVariantList& values)
{
    const bool firstRows = m_model->columnCount() == 0;
    m_model->reset(sql, values);
    if (firstRows)
        resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(0, 0));
    emit currentRowChanged();
}

void FetchingGrid::refresh()
{
    setQuery(m_model->sql(), m_model->values());
}

QVariant FetchingGrid::currentValue(const QString& field) const
{
    const int row = currentIndex().row();
    const int column = m_model->fieldIndex(field);
    if (row < 0 || row >= m_model->rowCount() || column < 0)
        return {};
    return m_model->value(row, column);
}

int FetchingGrid::rowsRead() const
{
    return m_model->rowCount();
}
