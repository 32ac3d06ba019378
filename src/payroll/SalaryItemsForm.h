#pragma once

#include <QWidget>

class DataSource;
struct AppContext;

// 薪資資料: each employee's fixed monthly pay items (the salary_data table) in twelve boxes and a grid,
// changed with a two-click modify, an employee found by name or by code. The rows come with the
// employees; none is added or deleted here.
class SalaryItemsForm : public QWidget {
    Q_OBJECT
public:
    explicit SalaryItemsForm(AppContext& app, QWidget* parent = nullptr);

private:
    DataSource* m_items; // Adodc1
};
