#pragma once

#include <QMap>
#include <QWidget>
#include <memory>

class DataCombo;
class DataSource;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordToolbar;
struct AppContext;

// 員工基本資料表: the employee master form. One employee at a time, with the record toolbar, a
// search by telephone number or by name, and a filter that hides the cancelled employees. A new
// employee's code is the highest code plus one, and the employee brings a salary_data row and a
// first salary_detailed row along.
class EmployeeForm : public QWidget {
    Q_OBJECT
public:
    // `counter` is the record counter: it outlives the window, so closing and opening the form
    // again goes on counting from where it stood.
    EmployeeForm(AppContext& app, std::shared_ptr<int> counter, QWidget* parent = nullptr);
    ~EmployeeForm() override;

private:
    void createControls();
    void layOutControls();
    void arrangeTabOrder();
    void bindControls();
    void createToolbar();
    void createSearch();

    void applyCancelledFilter();
    void assignNewCode(qint32 code);
    void writeAreasAsNumbers();

    AppContext& m_app;
    std::shared_ptr<int> m_counterStore;

    DataSource* m_employees;    // Adodc1: the record
    DataSource* m_salary;       // Adodc2: the new employee's salary_data row
    DataSource* m_salaryDetail; // Adodc4: the new employee's first salary_detailed row
    DataSource* m_expenseAreas; // Adodc6: DataCombo1's list
    DataSource* m_milkAreas;    // Adodc7: DataCombo2's list

    QMap<int, QLineEdit*> m_text1; // by the index of the box in text1
    QCheckBox* m_cancelled;        // Check1 "cancel"
    QCheckBox* m_hideCancelled;    // Check2 "no show"
    DataCombo* m_jobTitle;         // Combo1
    DataCombo* m_rank;             // Combo2
    DataCombo* m_expenseArea;      // DataCombo1
    DataCombo* m_milkArea;         // DataCombo2
    QLabel* m_counter;             // 計數
    QRadioButton* m_byTel;         // Option1
    QRadioButton* m_byName;        // Option2
    QLineEdit* m_searchBox;        // Text2
    QPushButton* m_searchButton;   // 搜尋
    QPushButton* m_salaryButton;   // 薪資設定
    QPushButton* m_exitButton;     // 離開
    RecordToolbar* m_toolbar = nullptr;
};

// Registers 員工基本資料表 with the form registry; the registration keeps the form's counter.
void registerEmployeeForm(AppContext& app);
