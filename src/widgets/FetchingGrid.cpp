#include "widgets/FetchingGrid.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "widgets/Binder.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QSqlRecord>

namespace {
constexpr int kRowsPerFetch = 256;
}

// The rows of a forward-only query, read a batch at a time as the view asks for more.
class FetchingModel : public QAbstractTableModel {
public:
    FetchingModel(const Schema::Table* table, QObject* parent) : QAbstractTableModel(parent), m_table(table) {}

    void reset(QSqlQuery&& query)
    {
        beginResetModel();
        m_query = std::move(query);
        m_rows.clear();
        m_shown.clear();
        m_types.clear();
        const QSqlRecord record = m_query.record();
        for (int i = 0; i < record.count(); ++i) {
            const Schema::Column* column = m_table ? m_table->column(record.fieldName(i)) : nullptr;
            m_types << (column ? column->type : Schema::Type::Text);
            const bool surrogate = m_table && m_table->surrogateKey
                && record.fieldName(i).compare(m_table->key, Qt::CaseInsensitive) == 0;
            if (!surrogate)
                m_shown << i;
        }
        m_fields = record;
        m_exhausted = false;
        endResetModel();
        if (canFetchMore({}))
            fetchMore({});
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_shown.size()); }
    bool canFetchMore(const QModelIndex& parent) const override { return !parent.isValid() && !m_exhausted; }

    void fetchMore(const QModelIndex& parent) override
    {
        if (parent.isValid())
            return;
        QVector<QVector<QVariant>> batch;
        while (batch.size() < kRowsPerFetch && m_query.next()) {
            QVector<QVariant> row(m_types.size());
            for (int i = 0; i < row.size(); ++i)
                row[i] = m_query.value(i);
            batch << row;
        }
        if (batch.size() < kRowsPerFetch) {
            m_exhausted = true;
            m_query.finish(); // no read stays open on the connection
        }
        if (batch.isEmpty())
            return;
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + batch.size() - 1));
        m_rows += batch;
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

private:
    const Schema::Table* m_table;
    QSqlQuery m_query;
    QSqlRecord m_fields;
    QVector<Schema::Type> m_types;
    QVector<int> m_shown; // the query's columns the grid shows
    QVector<QVector<QVariant>> m_rows;
    bool m_exhausted = true;
};

FetchingGrid::FetchingGrid(Database& db, const QString& table, QWidget* parent)
    : QTableView(parent), m_db(db), m_model(new FetchingModel(Schema::table(table), this))
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
    QSqlQuery query = m_db.exec(sql, values);
    m_sql = sql;
    m_values = values;
    const bool firstRows = m_model->columnCount() == 0;
    m_model->reset(std::move(query));
    if (firstRows)
        resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(0, 0));
    emit currentRowChanged();
}

void FetchingGrid::refresh()
{
    setQuery(m_sql, m_values);
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
