#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class Recordset;

// Binds a form's boxes to the columns of a recordset: each shows its column of the current row
// (dates as "yyyy/M/d", whole numbers without a fraction) and, when the row is written, puts back
// what the clerk changed. Text that does not fit its column makes the write fail before anything is sent.
class Binder : public QObject {
    Q_OBJECT
public:
    explicit Binder(Recordset& recordset, QObject* parent = nullptr);

    void bind(QLineEdit* box, const QString& field);
    void bind(QCheckBox* box, const QString& field);
    void bind(QLabel* label, const QString& field);

    Recordset& recordset() const { return m_recordset; }

    // Shows the current row again in every bound control.
    void show();

    // The text a bound value is shown as.
    static QString displayText(const QVariant& value);

private:
    enum class Kind { LineEdit, CheckBox, Label };
    struct Binding {
        Kind kind;
        QPointer<QWidget> widget;
        QString field;
        QString shown; // what the control was given, so only a change is written back
    };

    void add(Kind kind, QWidget* widget, const QString& field);
    void writeBack();

    Recordset& m_recordset;
    QVector<Binding> m_bindings;
};
