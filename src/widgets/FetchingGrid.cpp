#include "widgets/FetchingGrid.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/RowReader.h"
#include "data/Schema.h"
#include "data/TextRules.h"
#include "widgets/Binder.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QSqlRecord>

#include <algorithm>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
constexpr int kRowsPerFetch = 256;
}

// The rows of a query, read a page at a time as the view asks for more. Each page is a statement of its
// own that is read to its end, so no read stays open between pages: on SQLite an open read would hold
// a snapshot of the books, and this program's next save after another program's write would find the
// books busy for as long as the grid is open. A page asks for the rows after the last one read, in the
// query's order, which the database finds along an index rather than by counting the rows before it.
class FetchingModel : public QAbstractTableModel {
public:
    using Refused = std::function<void(const QString& message, const QString& detail)>;

    FetchingModel(Database& db, const Schema::Table* table, Refused refused, QObject* parent)
        : QAbstractTableModel(parent), m_db(db), m_table(table), m_refused(std::move(refused))
    {
    }

    // Reads the first page of the query; throws DataError, and the rows on show stay then.
    void reset(const FetchingGrid::Query& query)
    {
        QSqlRecord fields;
        QVector<QVector<QVariant>> firstPage = readPage(query, {}, 0, &fields);
        QVector<int> orderFields;
        for (const QString& column : query.order) {
            orderFields << fields.indexOf(column);
            if (orderFields.constLast() < 0)
                throw DataError(DataError::Kind::Usage, u"The grid's rows go by %1, which it does not read."_s.arg(column));
        }
        beginResetModel();
        m_query = query;
        m_orderFields = orderFields;
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
        if (!parent.isValid())
            readOn(1);
    }

    // Reads every page still unread, as scrolling to the end would, and shows them at once.
    void fetchAll() { readOn(std::numeric_limits<int>::max()); }

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
            return TextRules::storedDate(raw);
        return raw;
    }

    int fieldIndex(const QString& name) const { return m_fields.indexOf(name); }
    const FetchingGrid::Query& query() const { return m_query; }

private:
    // Reads up to `pages` more pages and shows what they hold in one step. A page the books refuse ends
    // the reading: the pages before it are shown, and the refusal is said once, since the view would
    // ask again at every scroll.
    void readOn(int pages)
    {
        QVector<QVector<QVariant>> read;
        for (int i = 0; i < pages && !m_exhausted; ++i) {
            QVector<QVector<QVariant>> page;
            try {
                // A null compares with no value, so there is no going on after it: such a page counts
                // off the rows read instead.
                const QVariantList key = rowKey(read.isEmpty() ? m_rows.constLast() : read.constLast());
                const bool keyed = std::none_of(key.cbegin(), key.cend(), [](const QVariant& value) { return value.isNull(); });
                page = readPage(m_query, keyed ? key : QVariantList(), keyed ? 0 : int(m_rows.size() + read.size()));
            } catch (const DataError& error) {
                m_exhausted = true;
                m_refused(error.message(), refusalDetail(error));
                break;
            }
            m_exhausted = page.size() < kRowsPerFetch;
            read += page;
        }
        if (read.isEmpty())
            return;
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + read.size() - 1));
        m_rows += read;
        endInsertRows();
    }

    // The order's values of a row read, as the database handed them: where the next page begins.
    QVariantList rowKey(const QVector<QVariant>& row) const
    {
        QVariantList key;
        for (int field : m_orderFields)
            key << row[field];
        return key;
    }

    // One page of the query's rows after `after` (from the first where it is empty) and `skipped` more,
    // read to its end and closed. A row the books cannot read refuses the whole page with a DataError:
    // the rows before it are not the page.
    QVector<QVector<QVariant>> readPage(const FetchingGrid::Query& query, const QVariantList& after, int skipped,
                                        QSqlRecord* fields = nullptr) const
    {
        QStringList conditions;
        if (!query.filter.isEmpty())
            conditions << u"(%1)"_s.arg(query.filter);
        const QString order = query.order.join(u", "_s);
        if (!after.isEmpty())
            conditions << u"(%1) > (%2)"_s.arg(order, QStringList(after.size(), u"?"_s).join(u", "_s));
        QString sql = query.select;
        if (!conditions.isEmpty())
            sql += u" where "_s + conditions.join(u" and "_s);
        // Nulls first on both databases: a row then sorts after the last one read exactly when it
        // compares greater, whatever nulls either holds.
        sql += u" order by %1 nulls first limit ? offset ?"_s.arg(query.order.join(u" nulls first, "_s));

        RowReader page(m_db, sql, QVariantList(query.values) << after << kRowsPerFetch << skipped);
        if (fields)
            *fields = page.record();
        const int columns = page.record().count();
        QVector<QVector<QVariant>> rows;
        while (page.next()) {
            QVector<QVariant> row(columns);
            for (int i = 0; i < columns; ++i)
                row[i] = page.value(i);
            rows << row;
        }
        return rows;
    }

    Database& m_db;
    const Schema::Table* m_table;
    Refused m_refused;
    FetchingGrid::Query m_query;
    QSqlRecord m_fields;
    QVector<Schema::Type> m_types;
    QVector<int> m_shown;       // the query's columns the grid shows
    QVector<int> m_orderFields; // the query's columns of its order
    QVector<QVector<QVariant>> m_rows;
    bool m_exhausted = true;
};

FetchingGrid::FetchingGrid(Database& db, const QString& table, QWidget* parent)
    : QTableView(parent)
{
    m_model = new FetchingModel(
        db, Schema::table(table),
        [this](const QString& message, const QString& detail) {
            QMetaObject::invokeMethod(
                this, [this, message, detail] { emit pageRefused(message, detail); }, Qt::QueuedConnection);
        },
        this);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab and Shift+Tab go on to the form's next and previous control; the arrows move between rows.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FetchingGrid::currentRowChanged);
}

void FetchingGrid::setQuery(const Query& query)
{
    const bool firstRows = m_model->columnCount() == 0;
    m_model->reset(query);
    if (firstRows)
        resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(0, 0));
    emit currentRowChanged();
}

void FetchingGrid::refresh()
{
    setQuery(Query(m_model->query()));
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

// Ctrl+End goes to the last row of the query, not of the rows read so far: the rest is read first, under
// the busy cursor.
QModelIndex FetchingGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveEnd && modifiers.testFlag(Qt::ControlModifier) && m_model->canFetchMore({})) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_model->fetchAll();
        QApplication::restoreOverrideCursor();
    }
    return QTableView::moveCursor(action, modifiers);
}
