#pragma once

#include "data/DataSource.h"

#include <QDialog>
#include <QVariantList>
#include <optional>

struct AppContext;
class DataCombo;
class QLineEdit;
class QRadioButton;

// 載入客戶訂的日期: one month of delivery rows with the customers' names, for one customer, one milk
// area or every customer, written into a spreadsheet; the dialog closes once the sheet is open.
class OrderDateListingDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrderDateListingDialog(AppContext& app, QWidget* parent = nullptr);

private:
    struct Selection {
        QString statement;
        QVariantList values;
    };

    void print();
    // The month and the customer or area as the boxes hold them; nothing where one is not a whole
    // number in its range, or the chosen combo is empty.
    std::optional<Selection> selection() const;

    AppContext& m_app;
    DataSource m_customers; // Adodc2
    DataSource m_areas;     // Adodc3
    QLineEdit* m_year;
    QLineEdit* m_month;
    QRadioButton* m_oneCustomer;
    QRadioButton* m_everyCustomer;
    QRadioButton* m_oneArea;
    DataCombo* m_customerCombo;
    DataCombo* m_areaCombo;
};
