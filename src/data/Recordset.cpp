#include "data/Recordset.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/RowReader.h"
#include "data/TextRules.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSet>
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

// Which fields of a SELECT are plain columns of `table`, read from its select list: `*`, `column`,
// `table.column`, or a column under its own name. An expression, or a column under another column's
// name, is not one, whatever name it is given.
class SelectList {
public:
    SelectList(const QString& sql, const QString& table)
    {
        static const QRegularExpression head(QStringLiteral("^\\s*select\\s+(?:distinct\\s+|all\\s+)?"),
                                             QRegularExpression::CaseInsensitiveOption);
        const auto start = head.match(sql);
        if (!start.hasMatch())
            return;
        m_understood = true;
        const QString qualifiers = QStringLiteral("(?:%1|%2)").arg(QRegularExpression::escape(table), aliasOf(sql, table));
        const QRegularExpression plain(QStringLiteral("^(?:%1\\.)?(\\*|%2)(?:\\s+(?:as\\s+)?(%2))?$").arg(qualifiers, kName),
                                       QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression named(QStringLiteral("(?:\\bas\\s+|\\s)(%1)$").arg(kName),
                                       QRegularExpression::CaseInsensitiveOption);
        for (const QString& item : items(sql.mid(start.capturedEnd()))) {
            if (const auto column = plain.match(item); column.hasMatch()) {
                const QString name = column.captured(1);
                const QString alias = column.captured(2);
                if (name == QLatin1String("*"))
                    m_star = true;
                else if (alias.isEmpty() || alias.compare(name, Qt::CaseInsensitive) == 0)
                    m_plain << name.toLower();
                else
                    m_other << alias.toLower();
            } else if (const auto alias = named.match(item); alias.hasMatch()) {
                m_other << alias.captured(1).toLower();
            }
        }
    }

    bool isPlainColumn(const QString& field) const
    {
        const QString name = field.toLower();
        if (!m_understood)
            return true; // not a SELECT of ours to read: the field's name decides, as it always did
        return m_plain.contains(name) || (m_star && !m_other.contains(name));
    }

private:
    static inline const QString kName = QStringLiteral("[\\p{L}_][\\p{L}\\p{N}_]*");

    // The name the query gives the table (FROM customer_data c), or one that matches nothing.
    static QString aliasOf(const QString& sql, const QString& table)
    {
        const QRegularExpression alias(QStringLiteral("\\b(?:from|join)\\s+%1\\s+(?:as\\s+)?(%2)")
                                           .arg(QRegularExpression::escape(table), kName),
                                       QRegularExpression::CaseInsensitiveOption);
        const QString found = alias.match(sql).captured(1);
        static const QRegularExpression keyword(QStringLiteral("^(where|order|group|join|left|right|inner|on|limit)$"),
                                                QRegularExpression::CaseInsensitiveOption);
        return found.isEmpty() || keyword.match(found).hasMatch() ? QStringLiteral("(?!)") : QRegularExpression::escape(found);
    }

    // The items of the select list: split at its commas, up to its FROM, outside brackets and quotes.
    static QStringList items(const QString& rest)
    {
        QStringList found;
        int depth = 0;
        QChar quote;
        qsizetype begin = 0;
        for (qsizetype i = 0; i <= rest.size(); ++i) {
            const QChar c = i < rest.size() ? rest.at(i) : QChar(u',');
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
                continue;
            }
            const bool from = depth == 0 && rest.mid(i, 4).compare(QLatin1String("from"), Qt::CaseInsensitive) == 0
                && (i == 0 || !rest.at(i - 1).isLetterOrNumber()) && (i + 4 >= rest.size() || !rest.at(i + 4).isLetterOrNumber());
            if (c == u'\'' || c == u'"')
                quote = c;
            else if (c == u'(')
                ++depth;
            else if (c == u')')
                --depth;
            else if ((c == u',' && depth == 0) || from || i == rest.size()) {
                found << rest.mid(begin, i - begin).trimmed();
                begin = i + 1;
                if (from || i == rest.size())
                    break;
            }
        }
        return found;
    }

    bool m_understood = false;
    bool m_star = false;
    QSet<QString> m_plain;
    QSet<QString> m_other;
};

} // namespace

Recordset::Recordset(Database& db, QObject* parent) : QObject(parent), m_db(db) {}

void Recordset::load(const QString& sql, const QVariantList& values, const QString& updateTable,
                     const QStringList& writableColumns)
{
    RowReader rows(m_db, sql, values);
    const QSqlRecord record = rows.record();

    const QString tableName = updateTable.isEmpty() ? tableOfQuery(sql) : updateTable;
    m_table = Schema::table(tableName);
    m_fields.clear();
    m_tableColumn.clear();
    m_types.clear();
    const int columns = record.count();
    const SelectList selectList(sql, tableName);
    QStringList names;
    for (int i = 0; i < columns; ++i)
        names << record.fieldName(i).toLower();
    // A field is written to the column of its name only where it is that column: named in the select
    // list as it is (or declared by the caller), and once, so a join's other `c_code` is not taken for it.
    auto isTableColumn = [&](const QString& name) {
        if (!writableColumns.isEmpty())
            return writableColumns.contains(name, Qt::CaseInsensitive);
        return selectList.isPlainColumn(name) && names.count(name.toLower()) == 1;
    };
    for (int i = 0; i < columns; ++i) {
        const QString name = record.fieldName(i);
        m_fields << name;
        const Schema::Column* column = m_table && isTableColumn(name) ? m_table->column(name) : nullptr;
        m_tableColumn << (column ? int(column - m_table->columns.constData()) : -1);
        m_types << (column ? std::optional<Schema::Type>(column->type) : std::nullopt);
    }

    forgetRows(columns);
    try {
        while (rows.next()) {
            for (int i = 0; i < columns; ++i)
                m_store.add(i, rows.value(i));
            m_store.endRow();
        }
    } catch (const DataError&) {
        // A row the books could not give: no part of the rows is shown as if it were all of them.
        clear();
        throw;
    }
    m_rows.resize(m_store.rowCount());
    std::iota(m_rows.begin(), m_rows.end(), 0);
    m_mode = EditMode::None;
    m_original.clear();
    m_changed.clear();
    m_afterDelete = false;
    m_sort.clear();
    m_pos = 0;
    emit rowsReset();
    emit currentChanged();
}

// The rows go, and with them every bookmark given to them; the store keeps its room for the next load.
void Recordset::forgetRows(int columns)
{
    m_firstBookmark += m_store.rowCount();
    m_store.reset(columns);
    m_rows.clear();
}

void Recordset::clear()
{
    forgetRows(0);
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
    QDate date = TextRules::storedDate(raw);
    if (!date.isValid())
        date = TextRules::dateFromText(raw.toString()).value_or(QDate());
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
    case Schema::Type::Text: {
        const QString written = displayText(value);
        if (TextRules::hasControlCharacter(written))
            throw DataError(DataError::Kind::Conversion, DataError::Reason::Other,
                            QStringLiteral("A control character is not text for %1").arg(m_fields[column]),
                            TextRules::controlCharacterRefusal(m_fields[column]));
        return written;
    }
    case Schema::Type::Date:
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (const auto date = TextRules::dateFromText(text))
            return *date;
        refuse("a date");
        break;
    case Schema::Type::Flag:
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? 1 : 0;
        [[fallthrough]];
    case Schema::Type::Integer:
    case Schema::Type::Real: {
        // Whole-number columns take no fraction and nothing beyond 32 bits; figures nothing beyond what
        // the exact arithmetic holds. Nothing is rounded or clamped to fit.
        const TextRules::NumberRule rule = *type == Schema::Type::Real ? TextRules::NumberRule::figure()
                                                                        : TextRules::NumberRule::wholeNumber();
        double number = 0;
        if (isText) {
            number = TextRules::numberOrRefuse(text, rule, m_fields[column]);
        } else {
            bool ok = false;
            number = value.toDouble(&ok);
            if (!ok)
                refuse("a number");
            number = TextRules::numberOrRefuse(number, rule, m_fields[column]);
        }
        if (*type == Schema::Type::Real)
            return number;
        if (*type == Schema::Type::Flag)
            return number != 0 ? 1 : 0;
        return qint32(number);
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
    setCell(m_pos, column, converted);
    m_changed[column] = true;
    emit rowChanged(m_pos);
}

bool Recordset::find(const Criterion& criterion, int skip)
{
    const int column = fieldIndex(criterion.field);
    if (column < 0)
        throw DataError(DataError::Kind::Usage, QStringLiteral("No field named %1").arg(criterion.field));
    // Each different value of the column is matched once.
    auto findValue = [&](const std::function<bool(const QVariant& raw)>& matches) {
        std::vector<qint8> known(std::size_t(m_store.valueCount(column)), -1);
        return find([&](int row) {
            const qsizetype index = m_store.valueIndex(m_rows[row], column);
            qint8& answer = known[std::size_t(index)];
            if (answer < 0)
                answer = matches(m_store.valueOfIndex(column, index)) ? 1 : 0;
            return answer == 1;
        }, skip);
    };
    if (criterion.op == Criterion::Op::Contains) {
        const QString text = criterion.value.toString();
        return findValue([&](const QVariant& raw) { return displayText(stored(column, raw)).contains(text, Qt::CaseInsensitive); });
    }
    const auto type = fieldType(column);
    const bool numericColumn = type ? *type != Schema::Type::Text && *type != Schema::Type::Date
                                    : (recordCount() > 0 && isNumeric(cell(0, column)));
    if (numericColumn) {
        std::optional<double> wanted = isNumeric(criterion.value) ? std::optional<double>(criterion.value.toDouble())
                                                                  : TextRules::exactNumber(criterion.value.toString());
        return findValue([&](const QVariant& v) { return wanted && !v.isNull() && v.toDouble() == *wanted; });
    }
    const QString wanted = displayText(criterion.value);
    return findValue([&](const QVariant& raw) {
        const QVariant v = stored(column, raw);
        return !v.isNull() && displayText(v).compare(wanted, Qt::CaseInsensitive) == 0;
    });
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
    return hasCurrentRow() ? bookmarkOf(m_pos) : -1;
}

int Recordset::slotOf(Bookmark bookmark) const
{
    const Bookmark slot = bookmark - m_firstBookmark;
    return slot >= 0 && slot < m_store.rowCount() ? int(slot) : -1;
}

int Recordset::rowOf(Bookmark bookmark) const
{
    const int slot = slotOf(bookmark);
    return slot < 0 ? -1 : int(m_rows.indexOf(slot));
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
        std::sort(m_rows.begin(), m_rows.end());
    } else {
        // Each different value of a key is read once into a plain number or text and ranked among the
        // others; the rows are then sorted by their values' ranks.
        struct SortValue {
            bool null = true;
            double number = 0;
            QString text;
        };
        auto compare = [](const SortValue& x, const SortValue& y) {
            if (x.null || y.null)
                return x.null == y.null ? 0 : (x.null ? -1 : 1);
            if (x.text.isNull() && y.text.isNull())
                return x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
            return x.text.compare(y.text);
        };
        const int rows = recordCount();
        QVector<std::vector<int>> ranks(keys.size(), std::vector<int>(std::size_t(rows)));
        for (int k = 0; k < keys.size(); ++k) {
            const int column = keys[k].column;
            const bool dateColumn = m_types[column] == Schema::Type::Date;
            std::vector<SortValue> values(std::size_t(m_store.valueCount(column)));
            for (std::size_t index = 0; index < values.size(); ++index) {
                const QVariant raw = m_store.valueOfIndex(column, qsizetype(index));
                SortValue& value = values[index];
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
            std::vector<int> byValue(values.size());
            std::iota(byValue.begin(), byValue.end(), 0);
            std::stable_sort(byValue.begin(), byValue.end(), [&](int a, int b) { return compare(values[a], values[b]) < 0; });
            std::vector<int> rankOfValue(values.size());
            for (std::size_t i = 0, rank = 0; i < byValue.size(); ++i) {
                if (i > 0 && compare(values[byValue[i - 1]], values[byValue[i]]) != 0)
                    ++rank;
                rankOfValue[byValue[i]] = int(rank);
            }
            for (int row = 0; row < rows; ++row)
                ranks[k][row] = rankOfValue[m_store.valueIndex(m_rows[row], column)];
        }
        QVector<int> order(rows);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            for (int k = 0; k < keys.size(); ++k) {
                const int x = ranks[k][a];
                const int y = ranks[k][b];
                if (x != y)
                    return keys[k].descending ? x > y : x < y;
            }
            return false;
        });
        QVector<int> sorted;
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
    m_rows.push_back(int(m_store.addEmptyRow()));
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

void Recordset::setRowCheck(std::function<void()> check)
{
    m_rowCheck = std::move(check);
}

void Recordset::setRowFollow(std::function<void(const QVector<QVariant>& asRead)> follow)
{
    m_rowFollow = std::move(follow);
}

void Recordset::beginRowWrite(std::optional<Transaction>& scope)
{
    if (m_rowCheck || m_rowFollow)
        scope.emplace(m_db);
    if (m_rowCheck)
        m_rowCheck();
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
    if (m_db.nextRow(query)) {
        const QSqlRecord returned = query.record();
        for (int i = 0; i < fieldCount(); ++i) {
            const int at = returned.indexOf(m_fields[i]);
            if (at >= 0)
                setCell(m_pos, i, query.value(at));
        }
    }
    const Bookmark id = bookmarkOf(m_pos);
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
        // Bound exactly as read: a date SQLite holds as "2026/2/8" matches only that text.
        const QVariant& value = original[i];
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
        std::optional<Transaction> scope;
        beginRowWrite(scope);
        const QString where = matchClause(m_original, values);
        QSqlQuery query = m_db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                        .arg(m_table->name, assignments.join(QStringLiteral(", ")), where),
                                    values);
        if (query.numRowsAffected() != 1)
            refuseConflict();
        if (m_rowFollow)
            m_rowFollow(m_original);
        if (scope)
            scope->commit();
    }
    const Bookmark id = bookmarkOf(m_pos);
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
    std::optional<Transaction> scope;
    beginRowWrite(scope);
    QVariantList values;
    const QString where = matchClause(original, values);
    QSqlQuery query = m_db.exec(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table->name, where), values);
    if (query.numRowsAffected() != 1)
        refuseConflict();
    if (scope)
        scope->commit();

    const int at = m_pos;
    const Bookmark removed = bookmarkOf(at);
    dropCurrentRow();

    QPointer<Recordset> self(this);
    m_db.onRollback([self, at, removed, original] {
        if (!self)
            return;
        const int slot = self->slotOf(removed);
        if (slot < 0)
            return;
        const int row = std::min<int>(at, self->recordCount());
        self->m_rows.insert(row, slot);
        self->setRowValues(row, original);
        self->m_pos = row;
        self->m_afterDelete = false;
        emit self->rowInserted(row);
        emit self->currentChanged();
    });
}

void Recordset::dropCurrentRow()
{
    const int at = m_pos;
    m_rows.removeAt(at);
    m_mode = EditMode::None;
    m_original.clear();
    m_changed.clear();
    m_afterDelete = true;
    emit rowRemoved(at);
    emit currentChanged();
}

std::optional<QVector<QVariant>> Recordset::readAgain(const QVector<QVariant>& original)
{
    const int keyField = fieldIndex(m_table->key);
    QStringList columns;
    QVector<int> fields;
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_tableColumn[i] >= 0) {
            columns << m_table->columns[m_tableColumn[i]].name;
            fields << i;
        }
    }
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                    .arg(columns.join(QStringLiteral(", ")), m_table->name, m_table->key),
                                {original[keyField]});
    if (!m_db.nextRow(query))
        return std::nullopt;
    QVector<QVariant> current = original;
    for (int j = 0; j < fields.size(); ++j)
        current[fields[j]] = query.value(j);
    return current;
}

void Recordset::refuseConflict()
{
    const QVector<QVariant> original = m_mode == EditMode::Editing ? m_original : rowValues(m_pos);
    if (const auto current = readAgain(original)) {
        if (m_mode == EditMode::Editing) {
            for (int i = 0; i < fieldCount(); ++i)
                if (!m_changed[i])
                    setCell(m_pos, i, (*current)[i]);
            m_original = *current;
        } else {
            setRowValues(m_pos, *current);
        }
        emit rowChanged(m_pos);
        emit currentChanged();
    } else {
        dropCurrentRow();
    }
    throw DataError(DataError::Kind::Conflict, QStringLiteral("The row was changed or deleted by another user since it was read."));
}
