#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class DataGrid;

// 員工全灠: every employee, cancelled ones included, sorted over the loaded rows by code, name,
// job title or address.
class EmployeeFullList : public QWidget {
    Q_OBJECT
public:
    explicit EmployeeFullList(AppContext& app, QWidget* parent = nullptr);
    // Room for the columns of an employee and a screenful of them when the frame opens it.
    QSize sizeHint() const override { return {980, 560}; }

private:
    void sortBy(const QString& sort);

    AppContext& m_app;
    DataSource m_employees; // Adodc1
};

// 顯示員工基本資料: the code, name and telephone of every employee, nothing more.
class EmployeeBriefGrid : public QWidget {
    Q_OBJECT
public:
    explicit EmployeeBriefGrid(AppContext& app, QWidget* parent = nullptr);

private:
    DataSource m_employees; // Adodc1
};
