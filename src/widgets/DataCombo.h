#pragma once

#include <QComboBox>
#include <QPointer>

class DataSource;
class Recordset;

// A list with a picked value, as the forms' DataCombos: its items are one column of a row source,
// and, bound to a column of a target recordset, it shows that column of the current row and puts a
// changed text back when the row is written. Locked, it takes no typing and opens no list; a press of
// the left mouse button is still reported, with the text shown at that moment, so a form can remember it.
class DataCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DataCombo(QWidget* parent = nullptr);

    // The items: the values of `listField` in the rows of `list`, again whenever those rows change.
    void setRowSource(DataSource* list, const QString& listField);
    DataSource* rowSource() const;
    QString listField() const { return m_listField; }

    // The column of the target's current row that the combo shows and writes.
    void setDataSource(Recordset* target, const QString& dataField);
    Recordset* dataSource() const;
    QString dataField() const { return m_dataField; }

    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }

    QString text() const { return currentText(); }
    void setText(const QString& text);

    void showPopup() override;

signals:
    void leftButtonPressed(const QString& textAtPress);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void reloadItems();
    void showTarget();
    void writeBack();
    bool reportLeftPress(const QMouseEvent* event);

    QPointer<DataSource> m_list;
    QString m_listField;
    QPointer<Recordset> m_target;
    QString m_dataField;
    QString m_shown; // the target's value as last shown, so only a change is written back
    bool m_locked = false;
};
