#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class DataGrid;
class QLineEdit;

// 客戶一灠: six columns of every customer, with a find by customer code.
class CustomerBriefList : public QWidget {
    Q_OBJECT
public:
    explicit CustomerBriefList(AppContext& app, QWidget* parent = nullptr);

private:
    void findCustomerCode();

    AppContext& m_app;
    DataSource m_customers; // Adodc1
    DataGrid* m_grid = nullptr;
    QLineEdit* m_codeText = nullptr;
};
