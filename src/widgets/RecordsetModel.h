#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>
#include <exception>

class Recordset;

// The rows of a recordset as a table for a grid: every column but the hidden surrogate key, values
// shown as bound boxes show them, read straight from the recordset so that large results cost nothing
// to show. A changed cell goes into its row's buffer; the row is written when the grid leaves it
// (submit). With the add line shown, an empty last line takes a new row when something is typed in it.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject* parent = nullptr);

    void setRecordset(Recordset* recordset);
    Recordset* recordset() const;

    // Whether the cells of existing rows may be changed, and whether the add line is there.
    void setUpdatesAllowed(bool allowed);
    bool updatesAllowed() const { return m_updatesAllowed; }
    void setAddLineShown(bool shown);
    bool addLineShown() const { return m_addLineShown; }

    // The recordset's column shown in a grid column, and the reverse (-1 where it is not shown).
    int fieldOf(int column) const { return m_fields.value(column, -1); }
    int columnOf(int field) const { return int(m_fields.indexOf(field)); }
    bool isAddLine(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

public slots:
    // Writes the row in edit, if any; false (after `refused`) when the database or a value refuses it.
    bool submit() override;

signals:
    // A cell or a row could not be written; `at` is the cell, or the first cell of the row.
    void refused(const QModelIndex& at, const QString& message, const QString& detail);

private:
    static QString clerkName(const QString& field);
    static QString inClerkWords(const QString& message, const QString& field);
    QString rowRefusal(const std::exception& error) const;
    void reset();
    void onRowChanged(int row);
    void onRowInserted(int row);
    void onRowRemoved(int row);

    QPointer<Recordset> m_recordset;
    QVector<int> m_fields; // the recordset's column of each grid column
    int m_records = 0;     // the rows as the views know them, changed between begin and end of each change
    bool m_updatesAllowed = false;
    bool m_addLineShown = false;
};
