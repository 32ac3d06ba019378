#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

class DataSource;
class MessageService;
class Recordset;
class RecordsetModel;

// A grid over a data source, as the forms' DataGrids: every row and every shown column of its
// recordset, following its refreshes and its current row; a click on a row moves the recordset there.
// Allowed to, it changes rows in place (a row is written when the grid leaves it), takes new rows on
// its empty last line and deletes the selected rows with the Delete key. What the database or the
// number and date rules refuse is shown through the message service, and the grid stays on the row
// in edit; Escape gives up the row's changes.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(MessageService* messages, QWidget* parent = nullptr);
    // Takes the grid off the application's focus changes first: a grid destroyed while it holds the
    // focus would otherwise hear of that focus leaving from its own base class's destructor.
    ~DataGrid() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const;

    void setAllowUpdate(bool allowed);
    bool allowUpdate() const;
    void setAllowAddNew(bool allowed);
    bool allowAddNew() const;
    void setAllowDelete(bool allowed) { m_allowDelete = allowed; }
    bool allowDelete() const { return m_allowDelete; }

    // The title line above the columns; none while empty.
    void setCaption(const QString& caption);
    QString caption() const;

    // Writes the row in edit, as leaving it does; false when it was refused (and the refusal shown).
    bool commitRow();
    // The selected rows go, top to bottom, all of them or none.
    void deleteSelectedRows();

signals:
    // The clerk went to another row, with a click or a key, and the recordset followed; a move of the
    // recordset itself, which the grid only follows, is not a pick.
    void rowPicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class CaptionedHeader;

    Recordset* recordset() const;
    int rowInEdit() const;
    void onCurrentRowChanged(const QModelIndex& current);
    void onFocusChanged(QWidget* old, QWidget* now);
    void onRefused(const QModelIndex& at, const QString& message, const QString& detail);
    void followRecordset();
    bool moveRecordsetTo(int row);
    void returnToRowInEdit();
    void forgetRefusal();
    void fitColumnsOnce();
    bool cancelRowInEdit();
    void report(const QString& message, const QString& detail = {});

    MessageService* m_messages;
    QPointer<DataSource> m_source;
    RecordsetModel* m_model;
    CaptionedHeader* m_header;
    bool m_columnsFitted = false;
    bool m_allowDelete = false;
    bool m_followingRecordset = false; // the view moves because the recordset did
    QWidget* m_editorBeingCommitted = nullptr;
    bool m_reporting = false;
    // A cell whose text was refused: its editor stays open with the text for the clerk to correct.
    QPersistentModelIndex m_refusedCell;
    QPointer<QWidget> m_refusedEditor;
    QVariant m_refusedValue;
};

// A grid that only shows its data source's rows: nothing is changed, added or deleted through it.
DataGrid* readOnlyGrid(MessageService* messages, DataSource& source, QWidget* parent,
                       const QString& name = QStringLiteral("DataGrid1"));
