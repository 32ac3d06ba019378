#include "data/Recordset.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/TextRules.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <numeric>

namespace {

bool isNumeric(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QString displayText(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return TextRules::dateText(v.toDate());
    if (isNumeric(v))
        return TextRules::numberText(v.toDouble());
    return v.toString();
}

// The table a plain single-table SELECT reads, which its writes go to.
QString tableOfQuery(const QString& sql)
{
    static const QRegularExpression join(QStringLiteral("\\bjoin\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)\\s*(,)?"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (join.match(sql).hasMatch())
        return {};
    const auto match = from.match(sql);
    if (!match.hasMatch() || !match.captured(2).isEmpty())
        return {};
    return match.captured(1);
}

} // namespace

Recordset::Recordset(Database& db, QObject* parent) : QObject(parent), m_db(db) {}

void Recordset::load(const QString& sql, const QVariantList& values, const QString& updateTable)
{
    QSqlQuery query = m_db.exec(sql, values);
    const QSqlRecord record = query.record();

    const QString tableName = updateTable.isEmpty() ? tableOfQuery(sql) : updateTable;
    m_table = Schema::table(tableName);
    m_fields.clear();
    m_tableColumn.clear();
    m_types.clear();
    const int columns = record.count();
    for (int i = 0; i < columns; ++i) {
        const QString name = record.fieldName(i);
        m_fields << name;
        const Schema::Column* column = m_table ? m_table->column(name) : nullptr;
        m_tableColumn << (column ? int(column - m_table->columns.constData()) : -1);
        m_types << (column ? std::optional<Schema::Type>(column->type) : std::nullopt);
    }

    m_rows.clear();
    m_pool.clear();
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            m_pool.push_back(query.value(i));
        m_rows.push_back(Row{m_nextId++, m_rows.size()});
    }
    m_mode = EditMode::None;
    m_original.clear();
    m_changed.clear();
    m_afterDelete = false;
    m_sort.clear();
    m_pos = 0;
    emit rowsReset();
    emit currentChanged();
}

void Recordset::clear()
{
    m_rows.clear();
    m_pool.clear();
    m_fields.clear();
    m_tableColumn.clear();
    m_types.clear();
    m_table = nullptr;
    m_mode = EditMode::None;
    m_pos = 0;
    m_afterDelete = false;
    emit rowsReset();
    emit currentChanged();
}

bool Recordset::isWritable() const
{
    return m_table && std::any_of(m_tableColumn.cbegin(), m_tableColumn.cend(), [](int c) { return c >= 0; });
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVector<QVariant> Recordset::rowValues(int row) const
{
    const qsizetype start = m_rows[row].slot * m_fields.size();
    return QVector<QVariant>(m_pool.cbegin() + start, m_pool.cbegin() + start + m_fields.size());
}

void Recordset::setRowValues(int row, const QVector<QVariant>& values)
{
    std::copy(values.cbegin(), values.cend(), m_pool.begin() + m_rows[row].slot * m_fields.size());
}

Recordset::Row Recordset::newRow()
{
    const qsizetype slot = m_pool.size() / qMax<qsizetype>(1, m_fields.size());
    m_pool.resize(m_pool.size() + m_fields.size());
    return Row{m_nextId++, slot};
}

bool Recordset::isHiddenField(int column) const
{
    return m_table && m_table->surrogateKey && column >= 0 && column < m_fields.size()
        && m_fields[column].compare(m_table->key, Qt::CaseInsensitive) == 0;
}

bool Recordset::isGivenKeyField(int column) const
{
    return m_table && m_table->keyIsGiven() && column >= 0 && column < m_fields.size()
        && m_fields[column].compare(m_table->key, Qt::CaseInsensitive) == 0;
}

std::optional<Schema::Type> Recordset::fieldType(int column) const
{
    return column >= 0 && column < m_types.size() ? m_types[column] : std::nullopt;
}

// Values as the forms see them: dates as QDate whatever the database handed back.
QVariant Recordset::stored(int column, const QVariant& raw) const
{
    if (raw.isNull() || m_types[column] != Schema::Type::Date || raw.typeId() == QMetaType::QDate)
        return raw;
    const QString text = raw.toString();
    QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        date = TextRules::dateFromText(text).value_or(QDate());
    return date.isValid() ? QVariant(date) : raw;
}

// What a value becomes in the column it is written to; text that does not convert is refused.
QVariant Recordset::toDatabase(int column, const QVariant& value) const
{
    const auto type = m_types.value(column);
    if (!type || value.isNull())
        return value;
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    if (*type != Schema::Type::Text && isText && text.trimmed().isEmpty())
        return QVariant();
    auto refuse = [&](const char* what) {
        throw DataError(DataError::Kind::Conversion,
                        QStringLiteral("'%1' is not %2 for %3").arg(text, QLatin1String(what), m_fields[column]));
    };
    switch (*type) {
    case Schema::Type::Text:
        return displayText(value);
    case Schema::Type::Date:
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (const auto date = TextRules::dateFromText(text))
            return *date;
        refuse("a date");
        break;
    case Schema::Type::Integer:
    case Schema::Type::Flag:
    case Schema::Type::Real: {
        double number = 0;
        if (isText) {
            const auto exact = TextRules::exactNumber(text);
            if (!exact)
                refuse("a number");
            number = *exact;
        } else if (value.typeId() == QMetaType::Bool) {
            number = value.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            number = value.toDouble(&ok);
            if (!ok)
                refuse("a number");
        }
        if (*type == Schema::Type::Real)
            return number;
        if (*type == Schema::Type::Flag)
            return number != 0 ? 1 : 0;
        return TextRules::roundToInt32(number);
    }
    }
    return value;
}

void Recordset::setPosition(int pos)
{
    m_afterDelete = false;
    m_pos = std::clamp(pos, -1, recordCount());
    emit currentChanged();
}

void Recordset::commitPendingBeforeMove()
{
    if (m_mode != EditMode::None)
        update();
}

void Recordset::moveFirst()
{
    commitPendingBeforeMove();
    setPosition(0);
}

void Recordset::moveLast()
{
    commitPendingBeforeMove();
    setPosition(m_rows.isEmpty() ? 0 : recordCount() - 1);
}

void Recordset::moveNext()
{
    if (m_rows.isEmpty())
        return;
    if (eof() && !m_afterDelete)
        throw DataError(DataError::Kind::NoCurrentRow, QStringLiteral("Either BOF or EOF is True"));
    commitPendingBeforeMove();
    setPosition(m_afterDelete ? m_pos : m_pos + 1);
}

void Recordset::movePrevious()
{
    if (m_rows.isEmpty())
        return;
    if (bof())
        throw DataError(DataError::Kind::NoCurrentRow, QStringLiteral("Either BOF or EOF is True"));
    commitPendingBeforeMove();
    setPosition(m_pos - 1);
}

void Recordset::moveTo(int row)
{
    commitPendingBeforeMove();
    setPosition(row);
}

void Recordset::ensureCurrentRow() const
{
    if (!hasCurrentRow())
        throw DataError(DataError::Kind::NoCurrentRow,
                        m_afterDelete ? QStringLiteral("The current row has been deleted")
                                      : QStringLiteral("Either BOF or EOF is True"));
}

QVariant Recordset::value(const QString& field) const
{
    const int column = fieldIndex(field);
    if (column < 0)
        throw DataError(DataError::Kind::Usage, QStringLiteral("No field named %1").arg(field));
    return value(column);
}

QVariant Recordset::value(int column) const
{
    ensureCurrentRow();
    return valueAt(m_pos, column);
}

QVariant Recordset::valueAt(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= fieldCount())
        return {};
    return stored(column, cell(row, column));
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    const int column = fieldIndex(field);
    if (column < 0)
        throw DataError(DataError::Kind::Usage, QStringLiteral("No field named %1").arg(field));
    setValue(column, value);
}

void Recordset::setValue(int column, const QVariant& value)
{
    ensureCurrentRow();
    if (!isWritable() || m_tableColumn.value(column, -1) < 0)
        throw DataError(DataError::Kind::Usage, QStringLiteral("The field %1 cannot be changed").arg(m_fields.value(column)));
    const QVariant converted = toDatabase(column, value);
    if (m_mode == EditMode::None) {
        m_mode = EditMode::Editing;
        m_original = rowValues(m_pos);
        m_changed = QVector<bool>(fieldCount(), false);
    }
    cell(m_pos, column) = converted;
    m_changed[column] = true;
    emit rowChanged(m_pos);
}

bool Recordset::find(const Criterion& criterion, int skip)
{
    const int column = fieldIndex(criterion.field);
    if (column < 0)
        throw DataError(DataError::Kind::Usage, QStringLiteral("No field named %1").arg(criterion.field));
    if (criterion.op == Criterion::Op::Contains) {
        const QString text = criterion.value.toString();
        return find([&](int row) { return displayText(valueAt(row, column)).contains(text, Qt::CaseInsensitive); }, skip);
    }
    const auto type = fieldType(column);
    const bool numericColumn = type ? *type != Schema::Type::Text && *type != Schema::Type::Date
                                    : (recordCount() > 0 && isNumeric(cell(0, column)));
    if (numericColumn) {
        std::optional<double> wanted = isNumeric(criterion.value) ? std::optional<double>(criterion.value.toDouble())
                                                                  : TextRules::exactNumber(criterion.value.toString());
        return find([&](int row) {
            const QVariant& v = cell(row, column);
            return wanted && !v.isNull() && v.toDouble() == *wanted;
        }, skip);
    }
    const QString wanted = displayText(criterion.value);
    return find([&](int row) {
        const QVariant v = valueAt(row, column);
        return !v.isNull() && displayText(v).compare(wanted, Qt::CaseInsensitive) == 0;
    }, skip);
}

bool Recordset::find(const std::function<bool(int row)>& matches, int skip)
{
    int start = m_afterDelete ? m_pos + skip - 1 : m_pos + skip;
    if (start < 0)
        start = 0;
    for (int row = start; row < recordCount(); ++row) {
        if (matches(row)) {
            setPosition(row);
            return true;
        }
    }
    setPosition(recordCount());
    return false;
}

Recordset::Bookmark Recordset::bookmark() const
{
    return hasCurrentRow() ? m_rows[m_pos].id : -1;
}

int Recordset::rowOf(Bookmark bookmark) const
{
    for (int row = 0; row < recordCount(); ++row)
        if (m_rows[row].id == bookmark)
            return row;
    return -1;
}

bool Recordset::gotoBookmark(Bookmark bookmark)
{
    const int row = bookmark < 0 ? -1 : rowOf(bookmark);
    if (row < 0)
        return false;
    setPosition(row);
    return true;
}

void Recordset::setSort(const QString& sort)
{
    m_sort = sort.trimmed();
    applySort();
}

void Recordset::applySort()
{
    struct Key { int column; bool descending; };
    QVector<Key> keys;
    for (const QString& part : m_sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(QLatin1Char(' '));
        const int column = fieldIndex(words.value(0));
        if (column < 0)
            throw DataError(DataError::Kind::Usage, QStringLiteral("No field named %1").arg(words.value(0)));
        keys.push_back({column, words.value(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0});
    }
    const Bookmark current = bookmark();
    if (keys.isEmpty()) {
        std::sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) { return a.id < b.id; });
    } else {
        // Each key is read once a row into a plain number or text; the sort then compares those.
        struct SortValue {
            bool null = true;
            double number = 0;
            QString text;
        };
        const int rows = recordCount();
        QVector<QVector<SortValue>> values(keys.size(), QVector<SortValue>(rows));
        for (int k = 0; k < keys.size(); ++k) {
            const int column = keys[k].column;
            const bool dateColumn = m_types[column] == Schema::Type::Date;
            for (int row = 0; row < rows; ++row) {
                const QVariant& raw = cell(row, column);
                SortValue& value = values[k][row];
                if (raw.isNull())
                    continue;
                value.null = false;
                if (raw.typeId() == QMetaType::QDate) {
                    // ISO date text sorts as the date; SQLite hands dates back in it already.
                    value.text = raw.toDate().toString(Qt::ISODate);
                } else if (dateColumn) {
                    value.text = raw.toString();
                } else if (isNumeric(raw)) {
                    value.number = raw.toDouble();
                } else {
                    value.text = raw.toString();
                }
            }
        }
        QVector<int> order(rows);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            for (int k = 0; k < keys.size(); ++k) {
                const SortValue& x = values[k][a];
                const SortValue& y = values[k][b];
                int c = 0;
                if (x.null || y.null)
                    c = x.null == y.null ? 0 : (x.null ? -1 : 1);
                else if (x.text.isNull() && y.text.isNull())
                    c = x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
                else
                    c = x.text.compare(y.text);
                if (c != 0)
                    return keys[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
        QVector<Row> sorted;
        sorted.reserve(rows);
        for (int row : order)
            sorted.push_back(m_rows[row]);
        m_rows = std::move(sorted);
    }
    emit rowsReset();
    if (current >= 0)
        gotoBookmark(current);
    else
        emit currentChanged();
}

void Recordset::addNew()
{
    if (!isWritable())
        throw DataError(DataError::Kind::Usage, QStringLiteral("The rows of this query cannot be added to"));
    commitPendingBeforeMove();
    m_posBeforeAdd = m_afterDelete ? m_pos - 1 : m_pos;
    m_rows.push_back(newRow());
    m_mode = EditMode::Adding;
    m_original.clear();
    m_changed = QVector<bool>(fieldCount(), false);
    emit rowInserted(recordCount() - 1);
    setPosition(recordCount() - 1);
}

void Recordset::addWriteBack(QObject* owner, std::function<void()> step)
{
    m_writeBacks.push_back({owner, std::move(step)});
}

void Recordset::removeWriteBacks(QObject* owner)
{
    m_writeBacks.removeIf([owner](const auto& entry) { return !entry.first || entry.first == owner; });
}

void Recordset::update()
{
    // Bound controls put their text in first; that is what starts the edit of a changed row.
    if (hasCurrentRow()) {
        for (const auto& [owner, step] : std::as_const(m_writeBacks)) {
            if (owner)
                step();
        }
    }
    if (m_mode == EditMode::None)
        return;
    if (m_mode == EditMode::Adding)
        insertRow();
    else
        updateRow();
}

void Recordset::insertRow()
{
    QStringList columns, placeholders;
    QVariantList values;
    for (int i = 0; i < fieldCount(); ++i) {
        if (!m_changed[i] || cell(m_pos, i).isNull())
            continue;
        columns << m_table->columns[m_tableColumn[i]].name;
        placeholders << QStringLiteral("?");
        values << cell(m_pos, i);
    }
    const QString sql = columns.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING *").arg(m_table->name)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING *")
              .arg(m_table->name, columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
    QSqlQuery query = m_db.exec(sql, values);

    const QVector<QVariant> pending = rowValues(m_pos);
    const QVector<bool> changed = m_changed;
    if (query.next()) {
        const QSqlRecord returned = query.record();
        for (int i = 0; i < fieldCount(); ++i) {
            const int at = returned.indexOf(m_fields[i]);
            if (at >= 0)
                cell(m_pos, i) = query.value(at);
        }
    }
    const Bookmark id = m_rows[m_pos].id;
    m_mode = EditMode::None;
    m_changed.clear();
    emit rowChanged(m_pos);
    emit currentChanged();

    // If the action this write belongs to is abandoned, the row is pending again, as before the save.
    QPointer<Recordset> self(this);
    m_db.onRollback([self, id, pending, changed] {
        if (!self)
            return;
        const int at = self->rowOf(id);
        if (at < 0)
            return;
        self->setRowValues(at, pending);
        self->m_mode = EditMode::Adding;
        self->m_changed = changed;
        self->m_pos = at;
        self->m_afterDelete = false;
        emit self->rowChanged(at);
        emit self->currentChanged();
    });
}

QString Recordset::matchClause(const QVector<QVariant>& original, QVariantList& values) const
{
    // Without the key a match could take in identical rows besides this one.
    if (!m_table->key.isEmpty() && fieldIndex(m_table->key) < 0)
        throw DataError(DataError::Kind::Usage,
                        QStringLiteral("The rows of this query cannot be changed: it does not read %1").arg(m_table->key));
    QStringList conditions;
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_tableColumn[i] < 0)
            continue;
        const QString name = m_table->columns[m_tableColumn[i]].name;
        const QVariant value = stored(i, original[i]);
        if (value.isNull()) {
            conditions << name + QStringLiteral(" IS NULL");
        } else {
            conditions << name + QStringLiteral(" = ?");
            values << value;
        }
    }
    return conditions.join(QStringLiteral(" AND "));
}

void Recordset::updateRow()
{
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < fieldCount(); ++i) {
        if (!m_changed[i])
            continue;
        assignments << m_table->columns[m_tableColumn[i]].name + QStringLiteral(" = ?");
        values << cell(m_pos, i);
    }
    if (!assignments.isEmpty()) {
        const QString where = matchClause(m_original, values);
        QSqlQuery query = m_db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                        .arg(m_table->name, assignments.join(QStringLiteral(", ")), where),
                                    values);
        if (query.numRowsAffected() != 1)
            throw DataError(DataError::Kind::Conflict,
                            QStringLiteral("The row was changed or deleted by another user since it was read."));
    }
    const Bookmark id = m_rows[m_pos].id;
    const QVector<QVariant> original = m_original;
    const QVector<QVariant> edited = rowValues(m_pos);
    const QVector<bool> changed = m_changed;
    m_mode = EditMode::None;
    m_original.clear();
    m_changed.clear();
    emit currentChanged();

    QPointer<Recordset> self(this);
    m_db.onRollback([self, id, original, edited, changed] {
        if (!self)
            return;
        const int at = self->rowOf(id);
        if (at < 0)
            return;
        self->setRowValues(at, edited);
        self->m_original = original;
        self->m_changed = changed;
        self->m_mode = EditMode::Editing;
        self->m_pos = at;
        self->m_afterDelete = false;
        emit self->rowChanged(at);
        emit self->currentChanged();
    });
}

void Recordset::cancelUpdate()
{
    if (m_mode == EditMode::Adding) {
        const int row = m_pos;
        m_rows.removeAt(row);
        m_mode = EditMode::None;
        m_changed.clear();
        emit rowRemoved(row);
        setPosition(m_posBeforeAdd);
        return;
    }
    if (m_mode == EditMode::Editing) {
        setRowValues(m_pos, m_original);
        m_mode = EditMode::None;
        m_original.clear();
        m_changed.clear();
        emit rowChanged(m_pos);
        emit currentChanged();
    }
}

void Recordset::remove()
{
    ensureCurrentRow();
    if (!isWritable())
        throw DataError(DataError::Kind::Usage, QStringLiteral("The rows of this query cannot be deleted"));
    if (m_mode == EditMode::Adding) {
        cancelUpdate();
        return;
    }
    const QVector<QVariant> original = m_mode == EditMode::Editing ? m_original : rowValues(m_pos);
    QVariantList values;
    const QString where = matchClause(original, values);
    QSqlQuery query = m_db.exec(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table->name, where), values);
    if (query.numRowsAffected() != 1)
        throw DataError(DataError::Kind::Conflict,
                        QStringLiteral("The row was changed or deleted by another user since it was read."));

    const int at = m_pos;
    const Row removed = m_rows[at];
    m_rows.removeAt(at);
    m_mode = EditMode::None;
    m_original.clear();
    m_changed.clear();
    m_afterDelete = true;
    emit rowRemoved(at);
    emit currentChanged();

    QPointer<Recordset> self(this);
    m_db.onRollback([self, at, removed, original] {
        if (!self)
            return;
        const int row = std::min<int>(at, self->recordCount());
        self->m_rows.insert(row, removed);
        self->setRowValues(row, original);
        self->m_pos = row;
        self->m_afterDelete = false;
        emit self->rowInserted(row);
        emit self->currentChanged();
    });
}
