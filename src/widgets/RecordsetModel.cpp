#include "widgets/RecordsetModel.h"

#include "data/DataError.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "widgets/Binder.h"

#include <exception>

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(Recordset* recordset)
{
    if (m_recordset == recordset)
        return;
    if (m_recordset)
        disconnect(m_recordset, nullptr, this, nullptr);
    m_recordset = recordset;
    if (recordset) {
        connect(recordset, &Recordset::rowsReset, this, &RecordsetModel::reset);
        connect(recordset, &Recordset::rowChanged, this, &RecordsetModel::onRowChanged);
        connect(recordset, &Recordset::rowInserted, this, &RecordsetModel::onRowInserted);
        connect(recordset, &Recordset::rowRemoved, this, &RecordsetModel::onRowRemoved);
        connect(recordset, &QObject::destroyed, this, &RecordsetModel::reset);
    }
    reset();
}

Recordset* RecordsetModel::recordset() const
{
    return m_recordset;
}

void RecordsetModel::reset()
{
    beginResetModel();
    m_fields.clear();
    m_records = 0;
    if (m_recordset) {
        for (int field = 0; field < m_recordset->fieldCount(); ++field)
            if (!m_recordset->isHiddenField(field))
                m_fields << field;
        m_records = m_recordset->recordCount();
    }
    endResetModel();
}

void RecordsetModel::setUpdatesAllowed(bool allowed)
{
    if (m_updatesAllowed == allowed)
        return;
    m_updatesAllowed = allowed;
    if (m_records > 0 && !m_fields.isEmpty())
        emit dataChanged(index(0, 0), index(m_records - 1, columnCount() - 1), {});
}

void RecordsetModel::setAddLineShown(bool shown)
{
    if (m_addLineShown == shown)
        return;
    if (shown) {
        beginInsertRows({}, m_records, m_records);
        m_addLineShown = true;
        endInsertRows();
    } else {
        beginRemoveRows({}, m_records, m_records);
        m_addLineShown = false;
        endRemoveRows();
    }
}

bool RecordsetModel::isAddLine(int row) const
{
    return m_addLineShown && row == m_records;
}

int RecordsetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_records + (m_addLineShown ? 1 : 0);
}

int RecordsetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const
{
    if (!m_recordset || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (isAddLine(index.row()))
        return QString();
    return Binder::displayText(m_recordset->valueAt(index.row(), fieldOf(index.column())));
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_recordset)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return m_recordset->fieldNames().value(fieldOf(section));
    // The line that takes a new row is marked as the old grids marked it.
    if (isAddLine(section))
        return QStringLiteral("*");
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Computed columns and columns of other tables have no place to be written to.
    if (!index.isValid() || !m_recordset || !m_recordset->isWritable() || !m_recordset->fieldType(fieldOf(index.column())))
        return flags;
    // A code the database or the numbering gives is never typed over: other tables' rows carry it.
    if (m_recordset->isGivenKeyField(fieldOf(index.column())))
        return flags;
    // A row being added stays editable while it is pending, even where changes of old rows are not allowed.
    const bool pendingNewRow = m_recordset->editMode() == Recordset::EditMode::Adding
        && index.row() == m_recordset->absolutePosition();
    if ((isAddLine(index.row()) || pendingNewRow) ? m_addLineShown : m_updatesAllowed)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordsetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_recordset || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    // An editor closed without a change writes nothing, and an empty add line adds nothing.
    if (value.toString() == data(index, Qt::EditRole).toString())
        return true;
    const bool startsNewRow = isAddLine(index.row());
    try {
        if (startsNewRow)
            m_recordset->addNew();
        else if (m_recordset->absolutePosition() != index.row() || !m_recordset->hasCurrentRow())
            m_recordset->moveTo(index.row());
        m_recordset->setValue(fieldOf(index.column()), value);
        return true;
    } catch (const std::exception& error) {
        // A new row whose first value is refused is not kept: nothing of it was given.
        if (startsNewRow && m_recordset->editMode() == Recordset::EditMode::Adding)
            m_recordset->cancelUpdate();
        const QString field = m_recordset->fieldNames().value(fieldOf(index.column()));
        emit refused(index, inClerkWords(QString::fromStdString(error.what()), field),
                     inClerkWords(refusalDetail(error), field));
        return false;
    }
}

bool RecordsetModel::submit()
{
    if (!m_recordset || m_recordset->editMode() == Recordset::EditMode::None)
        return true;
    try {
        m_recordset->update();
        return true;
    } catch (const std::exception& error) {
        emit refused(index(m_recordset->absolutePosition(), 0), rowRefusal(error), refusalDetail(error));
        return false;
    }
}

// A column as the clerk reads it: "milk_area" is "milk area".
QString RecordsetModel::clerkName(const QString& field)
{
    return QString(field).replace(u'_', u' ');
}

QString RecordsetModel::inClerkWords(const QString& message, const QString& field)
{
    return field.isEmpty() ? message : QString(message).replace(field, clerkName(field));
}

// Why a row could not be written, in the clerk's words where the books' own are a database's: a key
// another row has is "milk area 5 exists already", not a constraint's name.
QString RecordsetModel::rowRefusal(const std::exception& error) const
{
    const auto* dataError = dynamic_cast<const DataError*>(&error);
    const Schema::Table* table = Schema::table(m_recordset->updateTable());
    if (dataError && dataError->reason() == DataError::Reason::KeyTaken && table && !table->key.isEmpty()) {
        const int key = m_recordset->fieldIndex(table->key);
        if (key >= 0 && m_recordset->hasCurrentRow())
            return QStringLiteral("%1 %2 exists already")
                .arg(clerkName(table->key), m_recordset->value(key).toString());
    }
    return QString::fromStdString(error.what());
}

void RecordsetModel::onRowChanged(int row)
{
    if (row >= 0 && row < m_records && !m_fields.isEmpty())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {});
}

// A row appended behind the others takes the place of the add line, and a new add line follows it,
// so that the cell being typed into stays where it is.
void RecordsetModel::onRowInserted(int row)
{
    const bool appendedAtAddLine = isAddLine(row);
    const int inserted = appendedAtAddLine ? row + 1 : row;
    beginInsertRows({}, inserted, inserted);
    ++m_records;
    endInsertRows();
    if (appendedAtAddLine)
        onRowChanged(row);
}

// The reverse: when the last row goes, the add line takes its place.
void RecordsetModel::onRowRemoved(int row)
{
    const bool lastBeforeAddLine = m_addLineShown && row == m_records - 1;
    const int removed = lastBeforeAddLine ? row + 1 : row;
    beginRemoveRows({}, removed, removed);
    --m_records;
    endRemoveRows();
    if (lastBeforeAddLine && !m_fields.isEmpty())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {});
}
