#pragma once

#include <QWidget>

struct AppContext;
class QLineEdit;
class QListWidget;

// 提示繳款名單: the customers whose counted bottles since the first of the month are above the reminder
// threshold, in three parallel lists (code, name, total), printable as a spreadsheet.
class PaymentReminderForm : public QWidget {
    Q_OBJECT
public:
    explicit PaymentReminderForm(AppContext& app, QWidget* parent = nullptr);

private:
    void listCustomersToRemind();
    void appendEveryCustomer();
    void print();
    // A click in one list selects the same position in the others where they reach that far.
    void followSelection(QListWidget* clicked);
    void showCustomer(const QString& code, const QString& name, const QString& total = {});

    AppContext& m_app;
    QLineEdit* m_code;      // text1
    QLineEdit* m_name;      // Text4
    QLineEdit* m_total;     // Text3
    QLineEdit* m_firstDay;  // Text2
    QLineEdit* m_threshold; // Text5
    QListWidget* m_codes;   // List1
    QListWidget* m_names;   // List2
    QListWidget* m_totals;  // List3
};
