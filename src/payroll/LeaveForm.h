#pragma once

#include <QWidget>

class DataCombo;
class DataSource;
class RecordToolbar;
struct AppContext;

// 差假表單: the leave records (vacation_type), one leave a row, in boxes with a two-click add and
// modify, a delete after a question, a search by employee code and a grid read again on "update".
class LeaveForm : public QWidget {
    Q_OBJECT
public:
    explicit LeaveForm(AppContext& app, QWidget* parent = nullptr);

private:
    void afterToolbarClick(int role);
    void lookUpName();

    AppContext& m_app;
    DataSource* m_leaves;    // Adodc1: the boxes, the toolbar, the search and the count
    DataSource* m_codes;     // Adodc2: the list of employee codes
    DataSource* m_name;      // Adodc3: the name of the employee in the code combo
    DataSource* m_gridLeaves; // Adodc4: the grid's own reading of the leaves
    DataCombo* m_employee = nullptr; // DataCombo1
    RecordToolbar* m_toolbar = nullptr;
};
