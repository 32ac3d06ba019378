#pragma once

#include "data/TextRules.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class Recordset;

// Binds a form's boxes to the columns of a recordset: each shows its column of the current row
// (dates as "yyyy/M/d", whole numbers without a fraction) and, when the row is written, puts back
// what the clerk changed. Text that does not fit its column makes the write fail before anything is sent:
// letters or a fraction in a whole-number column, a figure beyond its column's range, a control character;
// the failure's detail line names the range (TextRules::NumberRule), so the form's message carries it.
class Binder : public QObject {
    Q_OBJECT
public:
    explicit Binder(Recordset& recordset, QObject* parent = nullptr);

    // A number box may be held to a rule narrower than its column's: whole stock in a column of figures,
    // no negative price. Text outside it is refused on write, with rule.refusal() as the detail line.
    void bind(QLineEdit* box, const QString& field, std::optional<TextRules::NumberRule> rule = std::nullopt);
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
        std::optional<TextRules::NumberRule> rule = std::nullopt;
    };

    void add(Kind kind, QWidget* widget, const QString& field, std::optional<TextRules::NumberRule> rule = {});
    void writeBack();

    Recordset& m_recordset;
    QVector<Binding> m_bindings;
};
