#pragma once

#include "data/RowStore.h"
#include "data/Schema.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

class Database;
class Transaction;

// A criterion of the form's searches: one column compared with one value, matched in C++ so that
// whatever a clerk types is only ever a value.
struct Criterion {
    enum class Op { Equals, Contains };
    QString field;
    Op op = Op::Equals;
    QVariant value;

    static Criterion equals(const QString& field, const QVariant& value) { return {field, Op::Equals, value}; }
    // The text anywhere in the column, without regard to case.
    static Criterion contains(const QString& field, const QString& text) { return {field, Op::Contains, text}; }
};

// A client-side snapshot of a query's rows with a current row, as the forms' data sources hold it:
// moves with BOF and EOF, fields by name or alias, find, bookmarks, client-side sort, and writes
// (AddNew, Update, CancelUpdate, Delete) turned into statements with bound values. An UPDATE or
// DELETE matches the row as it was read, so a row another clerk changed meanwhile is not overwritten.
class Recordset : public QObject {
    Q_OBJECT
public:
    using Bookmark = qint64;
    enum class EditMode { None, Adding, Editing };

    explicit Recordset(Database& db, QObject* parent = nullptr);

    // Runs the query and replaces the rows; positions on the first row (EOF when empty).
    // `updateTable` names the table that writes go to (taken from the schema); empty: read-only.
    // The fields written are the table's columns that the select list names as they are; an expression
    // or a column under another's name stays read-only. `writableColumns`, where given, names them instead.
    void load(const QString& sql, const QVariantList& values = {}, const QString& updateTable = {},
              const QStringList& writableColumns = {});
    void clear();

    Database& database() const { return m_db; }
    QString updateTable() const { return m_table ? m_table->name : QString(); }
    // True where the rows come from one table and at least one field is a column of it.
    bool isWritable() const;

    // Fields
    int fieldCount() const { return int(m_fields.size()); }
    QStringList fieldNames() const { return m_fields; }
    int fieldIndex(const QString& name) const; // -1 when absent; names match without regard to case
    // The surrogate key of a table without one of its own; grids hide it.
    bool isHiddenField(int column) const;
    // The written table's key where a code is given, not typed: never changed through a grid.
    bool isGivenKeyField(int column) const;
    std::optional<Schema::Type> fieldType(int column) const;

    // Rows and position
    int recordCount() const { return int(m_rows.size()); }
    bool bof() const { return m_rows.isEmpty() || m_pos < 0; }
    bool eof() const { return m_rows.isEmpty() || m_pos >= recordCount(); }
    bool hasCurrentRow() const { return !m_afterDelete && m_pos >= 0 && m_pos < recordCount(); }
    int absolutePosition() const { return m_pos; } // 0-based; -1 at BOF, recordCount() at EOF

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void moveTo(int row);

    // Values of the current row (or of any row, for grids)
    QVariant value(const QString& field) const;
    QVariant value(int column) const;
    QVariant valueAt(int row, int column) const;
    // Changes the current row's buffer; starts an edit when none is pending. Throws DataError.
    void setValue(const QString& field, const QVariant& value);
    void setValue(int column, const QVariant& value);

    // Search forward from the current row, after skipping `skip` rows; a miss leaves EOF.
    bool find(const Criterion& criterion, int skip = 0);
    bool find(const std::function<bool(int row)>& matches, int skip = 0);

    Bookmark bookmark() const; // -1 where there is no current row
    bool gotoBookmark(Bookmark bookmark);

    // Client-side sort: "column ASC" / "column DESC", several joined by commas; empty restores load order.
    void setSort(const QString& sort);
    QString sort() const { return m_sort; }

    // Writes
    EditMode editMode() const { return m_mode; }
    void addNew();
    void update();
    void cancelUpdate();
    void remove(); // ADO's Delete: the current row goes; MoveNext/MovePrevious continue from its place

    // A bound control's step that puts its text into the current row before each write. It is called
    // directly, not through a signal, because it may throw DataError (text that does not convert) and
    // that error must reach the caller of update(). The step goes with `owner`.
    void addWriteBack(QObject* owner, std::function<void()> step);
    void removeWriteBacks(QObject* owner);
    // A check of the current row before it is changed or deleted in the table, run in one transaction
    // with the write; it refuses the write by throwing DataError.
    void setRowCheck(std::function<void()> check);
    // What a change of a row brings with it, written in one transaction with the change: called after
    // the change with the row as it was read, in field order; the current row holds it as changed.
    void setRowFollow(std::function<void(const QVector<QVariant>& asRead)> follow);

signals:
    // The current row, or the rows themselves, changed: bound controls show the current row again.
    void currentChanged();
    void rowsReset();
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    // Each row is a slot of the store, in the order shown: sorting moves one integer a row. A row's
    // bookmark is its slot counted on from the last bookmark of the loads before, so none is given twice.
    QVariant cell(int row, int column) const { return m_store.value(m_rows[row], column); }
    void setCell(int row, int column, const QVariant& value) { m_store.setValue(m_rows[row], column, value); }
    Bookmark bookmarkOf(int row) const { return m_firstBookmark + m_rows[row]; }
    int slotOf(Bookmark bookmark) const; // -1 where the bookmark is not of these rows
    QVector<QVariant> rowValues(int row) const { return m_store.row(m_rows[row]); }
    void setRowValues(int row, const QVector<QVariant>& values) { m_store.setRow(m_rows[row], values); }
    void forgetRows(int columns);

    QVariant stored(int column, const QVariant& raw) const;
    QVariant toDatabase(int column, const QVariant& value) const;
    void setPosition(int pos);
    void ensureCurrentRow() const;
    void commitPendingBeforeMove();
    void insertRow();
    void updateRow();
    QString matchClause(const QVector<QVariant>& original, QVariantList& values) const;
    // Another clerk got to the row first. It is read again by its key, so that what the clerk sees, and
    // what the next write matches, is the row as it now stands: a pending edit keeps the clerk's changes
    // over it and cancel shows it. A row that is gone leaves the snapshot. Throws the conflict.
    [[noreturn]] void refuseConflict();
    // The table's columns of the row whose key `original` holds, as they now stand; nothing when it is gone.
    std::optional<QVector<QVariant>> readAgain(const QVector<QVariant>& original);
    void dropCurrentRow();
    // Opens the transaction a row check or follow shares with a change or delete, where there is one,
    // and runs the check in it.
    void beginRowWrite(std::optional<Transaction>& scope);
    void applySort();
    int rowOf(Bookmark bookmark) const;

    Database& m_db;
    const Schema::Table* m_table = nullptr;
    QStringList m_fields;
    QVector<int> m_tableColumn;       // per field: its column in the update table, or -1
    QVector<std::optional<Schema::Type>> m_types;
    QVector<int> m_rows;
    RowStore m_store;
    int m_pos = -1;
    bool m_afterDelete = false;
    Bookmark m_firstBookmark = 0;
    QString m_sort;

    EditMode m_mode = EditMode::None;
    QVector<QPair<QPointer<QObject>, std::function<void()>>> m_writeBacks;
    std::function<void()> m_rowCheck;
    std::function<void(const QVector<QVariant>&)> m_rowFollow;
    int m_posBeforeAdd = -1;
    QVector<QVariant> m_original; // the current row as read, while an edit is pending
    QVector<bool> m_changed;
};
