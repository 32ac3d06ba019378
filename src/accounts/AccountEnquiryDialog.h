#pragma once

#include "data/DataSource.h"

#include <QDialog>

struct AppContext;
class DataCombo;
class QDateEdit;
class QLineEdit;

// 客戶帳款查詢: the amount of one customer's deliveries over a range of days, refunded and suspended
// rows left out, following every change of the customer or of either day at once.
class AccountEnquiryDialog : public QDialog {
    Q_OBJECT
public:
    explicit AccountEnquiryDialog(AppContext& app, QWidget* parent = nullptr);

private:
    void showTotal();

    AppContext& m_app;
    DataSource m_customers; // the list of DataCombo1
    QDateEdit* m_from;
    QDateEdit* m_to;
    DataCombo* m_customerCombo;
    QLineEdit* m_total;
};
