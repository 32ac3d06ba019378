#include "widgets/DataCombo.h"

#include "widgets/Binder.h"
#include "data/DataSource.h"
#include "data/Recordset.h"

#include <QLineEdit>
#include <QMouseEvent>

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // What the clerk types is a value for the row, not a new item of the list.
    setInsertPolicy(QComboBox::NoInsert);
    // Presses on the text part reach the line edit, not the combo.
    lineEdit()->installEventFilter(this);
}

void DataCombo::setRowSource(DataSource* list, const QString& listField)
{
    if (m_list)
        disconnect(&m_list->recordset(), nullptr, this, nullptr);
    m_list = list;
    m_listField = listField;
    if (list) {
        const Recordset* rows = &list->recordset();
        connect(rows, &Recordset::rowsReset, this, &DataCombo::reloadItems);
        connect(rows, &Recordset::rowInserted, this, &DataCombo::reloadItems);
        connect(rows, &Recordset::rowRemoved, this, &DataCombo::reloadItems);
        connect(rows, &Recordset::rowChanged, this, &DataCombo::reloadItems);
    }
    reloadItems();
}

DataSource* DataCombo::rowSource() const
{
    return m_list;
}

void DataCombo::reloadItems()
{
    // Replacing the items must not replace the text shown.
    const QString shown = text();
    const QSignalBlocker blocker(this);
    clear();
    if (m_list) {
        const Recordset& rows = m_list->recordset();
        const int column = rows.fieldIndex(m_listField);
        if (column >= 0)
            for (int row = 0; row < rows.recordCount(); ++row)
                addItem(Binder::displayText(rows.valueAt(row, column)));
    }
    setEditText(shown);
}

void DataCombo::setDataSource(Recordset* target, const QString& dataField)
{
    if (m_target) {
        disconnect(m_target, nullptr, this, nullptr);
        m_target->removeWriteBacks(this);
    }
    m_target = target;
    m_dataField = dataField;
    if (target) {
        connect(target, &Recordset::currentChanged, this, &DataCombo::showTarget);
        target->addWriteBack(this, [this] { writeBack(); });
    }
    showTarget();
}

Recordset* DataCombo::dataSource() const
{
    return m_target;
}

void DataCombo::showTarget()
{
    if (!m_target)
        return;
    const int column = m_target->fieldIndex(m_dataField);
    const QVariant value = m_target->hasCurrentRow() && column >= 0 ? m_target->value(column) : QVariant();
    m_shown = Binder::displayText(value);
    setText(m_shown);
}

// Runs before the target's row is written; a text its column cannot take fails the write (DataError).
void DataCombo::writeBack()
{
    if (m_target && text() != m_shown && m_target->fieldIndex(m_dataField) >= 0)
        m_target->setValue(m_dataField, text());
}

void DataCombo::setText(const QString& text)
{
    setEditText(text);
}

void DataCombo::setLocked(bool locked)
{
    m_locked = locked;
    lineEdit()->setReadOnly(locked);
    if (locked)
        hidePopup();
}

void DataCombo::showPopup()
{
    if (!m_locked)
        QComboBox::showPopup();
}

// The press is reported before the combo does anything with it.
bool DataCombo::reportLeftPress(const QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit leftButtonPressed(text());
    return m_locked;
}

bool DataCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress
        && reportLeftPress(static_cast<QMouseEvent*>(event)))
        return true;
    return QComboBox::eventFilter(watched, event);
}

void DataCombo::mousePressEvent(QMouseEvent* event)
{
    if (reportLeftPress(event))
        event->accept();
    else
        QComboBox::mousePressEvent(event);
}

void DataCombo::keyPressEvent(QKeyEvent* event)
{
    if (m_locked)
        event->ignore();
    else
        QComboBox::keyPressEvent(event);
}

void DataCombo::wheelEvent(QWheelEvent* event)
{
    if (m_locked)
        event->ignore();
    else
        QComboBox::wheelEvent(event);
}

void DataCombo::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_locked)
        event->ignore();
    else
        QComboBox::inputMethodEvent(event);
}
