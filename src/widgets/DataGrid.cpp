#include "widgets/DataGrid.h"

#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "widgets/RecordsetModel.h"
#include "core/MessageService.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <exception>

// The column headers with the grid's caption in a band above them.
class DataGrid::CaptionedHeader : public QHeaderView {
public:
    explicit CaptionedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent), m_caption(new QLabel(this))
    {
        setSectionsClickable(true);
        setHighlightSections(true);
        m_caption->setObjectName(QStringLiteral("caption"));
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->setAutoFillBackground(true);
        m_caption->setBackgroundRole(QPalette::Dark);
        m_caption->setForegroundRole(QPalette::BrightText);
        m_caption->hide();
    }

    QString caption() const { return m_caption->text(); }

    void setCaption(const QString& caption)
    {
        m_caption->setText(caption);
        m_caption->setHidden(caption.isEmpty());
        setViewportMargins(0, band(), 0, 0);
        m_caption->setGeometry(0, 0, width(), band());
        emit geometriesChanged(); // the grid makes room for the band
    }

    QSize sizeHint() const override { return QHeaderView::sizeHint() + QSize(0, band()); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QHeaderView::resizeEvent(event);
        m_caption->setGeometry(0, 0, width(), band());
    }

private:
    int band() const { return m_caption->isHidden() ? 0 : m_caption->sizeHint().height(); }

    QLabel* m_caption;
};

namespace {

// What an editor holds, read as the delegate reads it.
QVariant editorValue(const QWidget* editor)
{
    return editor->metaObject()->userProperty().read(editor);
}

} // namespace

DataGrid::DataGrid(MessageService* messages, QWidget* parent)
    : QTableView(parent), m_messages(messages), m_model(new RecordsetModel(this)), m_header(new CaptionedHeader(this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    // Tab goes on to the form's next control, as in the forms' grids of old; the arrows move between
    // cells, and Tab in an open cell still goes to the next cell.
    setTabKeyNavigation(false);
    // The view would write the row itself on every row change; the grid decides when a row is left.
    disconnect(selectionModel(), SIGNAL(currentRowChanged(QModelIndex,QModelIndex)), m_model, SLOT(submit()));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::onCurrentRowChanged);
    connect(m_model, &RecordsetModel::refused, this, &DataGrid::onRefused);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::forgetRefusal);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::fitColumnsOnce);
    connect(qApp, &QApplication::focusChanged, this, &DataGrid::onFocusChanged);
}

DataGrid::~DataGrid()
{
    disconnect(qApp, &QApplication::focusChanged, this, &DataGrid::onFocusChanged);
}

// Columns take the width of what they show, judged on the first rows so a long list stays quick; they
// are fitted once, so the clerk's own widths and the columns do not jump while a search narrows the rows.
void DataGrid::fitColumnsOnce()
{
    if (m_columnsFitted || m_model->rowCount() == 0)
        return;
    m_header->setResizeContentsPrecision(40);
    resizeColumnsToContents();
    m_columnsFitted = true;
}

void DataGrid::setDataSource(DataSource* source)
{
    if (Recordset* old = recordset())
        disconnect(old, nullptr, this, nullptr);
    m_source = source;
    m_model->setRecordset(recordset());
    m_columnsFitted = false;
    fitColumnsOnce();
    if (Recordset* rs = recordset())
        connect(rs, &Recordset::currentChanged, this, &DataGrid::followRecordset);
    followRecordset();
}

DataSource* DataGrid::dataSource() const
{
    return m_source;
}

Recordset* DataGrid::recordset() const
{
    return m_source ? &m_source->recordset() : nullptr;
}

void DataGrid::setAllowUpdate(bool allowed) { m_model->setUpdatesAllowed(allowed); }
bool DataGrid::allowUpdate() const { return m_model->updatesAllowed(); }
void DataGrid::setAllowAddNew(bool allowed) { m_model->setAddLineShown(allowed); }
bool DataGrid::allowAddNew() const { return m_model->addLineShown(); }

void DataGrid::setCaption(const QString& caption)
{
    m_header->setCaption(caption);
}

QString DataGrid::caption() const
{
    return m_header->caption();
}

// The row whose changes are not written yet, or -1.
int DataGrid::rowInEdit() const
{
    const Recordset* rs = recordset();
    return rs && rs->editMode() != Recordset::EditMode::None ? rs->absolutePosition() : -1;
}

bool DataGrid::commitRow()
{
    return !m_refusedCell.isValid() && m_model->submit();
}

void DataGrid::onCurrentRowChanged(const QModelIndex& current)
{
    if (m_followingRecordset || !recordset())
        return;
    const int editedRow = m_refusedCell.isValid() ? m_refusedCell.row() : rowInEdit();
    if (editedRow >= 0 && current.row() == editedRow)
        return;
    if (editedRow >= 0 && !commitRow()) {
        returnToRowInEdit();
        return;
    }
    if (moveRecordsetTo(current.row()))
        emit rowPicked();
}

// False where the recordset stays where it was.
bool DataGrid::moveRecordsetTo(int row)
{
    Recordset* rs = recordset();
    if (!rs || row < 0 || row >= rs->recordCount() || (rs->hasCurrentRow() && rs->absolutePosition() == row))
        return false;
    QScopedValueRollback following(m_followingRecordset, true);
    try {
        rs->moveTo(row);
    } catch (const std::exception& error) {
        report(QString::fromStdString(error.what()), refusalDetail(error));
        return false;
    }
    return true;
}

// Back to the row in edit, and into the refused cell if there is one, once the move that left it has
// run its course.
void DataGrid::returnToRowInEdit()
{
    QTimer::singleShot(0, this, [this] {
        const QModelIndex at = m_refusedCell.isValid() ? QModelIndex(m_refusedCell)
                                                       : m_model->index(rowInEdit(), std::max(currentIndex().column(), 0));
        if (!at.isValid())
            return;
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (m_refusedEditor)
            m_refusedEditor->setFocus();
    });
}

void DataGrid::followRecordset()
{
    const Recordset* rs = recordset();
    if (m_followingRecordset || m_editorBeingCommitted || !rs || !rs->hasCurrentRow())
        return;
    const QModelIndex at = m_model->index(rs->absolutePosition(), std::max(currentIndex().column(), 0));
    if (!at.isValid() || at.row() == currentIndex().row())
        return;
    QScopedValueRollback following(m_followingRecordset, true);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

// Leaving the grid for another control of its window leaves the row as well.
void DataGrid::onFocusChanged(QWidget* old, QWidget* now)
{
    const auto inGrid = [this](const QWidget* widget) { return widget && (widget == this || isAncestorOf(widget)); };
    if (m_reporting || !inGrid(old) || !now || inGrid(now) || now->window() != window())
        return;
    commitRow();
}

void DataGrid::commitData(QWidget* editor)
{
    // A refusal being shown takes the focus from the editor; that is not the clerk leaving the cell.
    // Nor is a text refused once refused again before the clerk has changed it.
    if (m_reporting || (editor == m_refusedEditor && editorValue(editor) == m_refusedValue))
        return;
    forgetRefusal();
    QScopedValueRollback committing(m_editorBeingCommitted, editor);
    QTableView::commitData(editor);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint != QAbstractItemDelegate::RevertModelCache && (m_reporting || m_refusedCell.isValid()))
        return;
    forgetRefusal();
    // The row is written when it is left, not when a cell is closed.
    QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::NoHint : hint);
}

void DataGrid::onRefused(const QModelIndex& at, const QString& message, const QString& detail)
{
    if (m_editorBeingCommitted) {
        m_refusedCell = at;
        m_refusedEditor = m_editorBeingCommitted;
        m_refusedValue = editorValue(m_editorBeingCommitted);
    }
    report(message, detail);
}

void DataGrid::forgetRefusal()
{
    m_refusedCell = QPersistentModelIndex();
    m_refusedEditor = nullptr;
    m_refusedValue.clear();
}

void DataGrid::report(const QString& message, const QString& detail)
{
    QScopedValueRollback reporting(m_reporting, true);
    if (m_messages)
        m_messages->reportFailure(message, detail);
    else
        qWarning("%s", qPrintable(message));
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Delete && m_allowDelete) {
            deleteSelectedRows();
            return;
        }
        if (event->key() == Qt::Key_Escape && cancelRowInEdit())
            return;
    }
    QTableView::keyPressEvent(event);
}

// Escape gives up the refused text and the row's changes, as a clerk expects of it.
bool DataGrid::cancelRowInEdit()
{
    Recordset* rs = recordset();
    const bool pending = rs && rs->editMode() != Recordset::EditMode::None;
    if (m_refusedEditor)
        closeEditor(m_refusedEditor, QAbstractItemDelegate::RevertModelCache);
    if (pending)
        rs->cancelUpdate();
    return pending;
}

void DataGrid::deleteSelectedRows()
{
    Recordset* rs = recordset();
    if (!rs || !m_allowDelete || !commitRow())
        return;
    QList<int> rows;
    for (const QModelIndex& selected : selectionModel()->selectedRows())
        if (!m_model->isAddLine(selected.row()))
            rows << selected.row();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    try {
        // Bookmarks, because each delete moves the rows after it up.
        QList<Recordset::Bookmark> marks;
        for (int row : rows) {
            rs->moveTo(row);
            marks << rs->bookmark();
        }
        Transaction transaction(rs->database());
        for (Recordset::Bookmark mark : marks) {
            rs->gotoBookmark(mark);
            rs->remove();
        }
        transaction.commit();
    } catch (const std::exception& error) {
        report(QString::fromStdString(error.what()), refusalDetail(error));
    }
}

DataGrid* readOnlyGrid(MessageService* messages, DataSource& source, QWidget* parent, const QString& name)
{
    auto* grid = new DataGrid(messages, parent);
    grid->setObjectName(name);
    grid->setAllowUpdate(false);
    grid->setAllowAddNew(false);
    grid->setAllowDelete(false);
    grid->setDataSource(&source);
    return grid;
}
