#pragma once

#include "data/Recordset.h"
#include "payroll/PayFigures.h"
#include "payroll/YearMonthBoxes.h"
#include "records/RecordToolbar.h"

#include <QList>
#include <QWidget>

class Binder;
class DataSource;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
struct AppContext;
struct CommissionInputs;

// 薪資結算表單: the month's pay rows, one at a time, each beside the employee's fixed items, name and
// title. Moving through the rows shows each one's bottle commissions; the item boxes keep the net pay
// and the leave deduction current; a modify saves the pay row and the fixed items together; "balance"
// settles the month.
class SettlementForm : public QWidget {
    Q_OBJECT
public:
    explicit SettlementForm(AppContext& app, QWidget* parent = nullptr);

private:
    void createControls();
    void layOutControls();
    void bindControls();
    void createToolbar();
    void createSearch();
    void orderTabStops();

    void applyFilter();
    QString filterQuery() const;
    void followEmployee();
    void onPayRowShown();
    void resetLeave();
    void showCommission();
    CommissionInputs commissionInputs() const;
    Decimal netPayOfBoxes() const;
    enum class NetPayCause { Typed, Shown }; // typed by the clerk, or put there by a row or a sum
    void updateNetPay(NetPayCause cause);
    void priceLeave(int box);
    void afterToolbarClick(RecordToolbar::Role role);
    void settleMonth();
    void showSettledRows(const QList<qint64>& ids);

    AppContext& m_app;
    DataSource* m_payRows;        // Adodc1
    DataSource* m_fixedItems;     // Adodc2: the employee's salary_data row
    DataSource* m_employee;       // Adodc3: name and title
    DataSource* m_lastSettlement; // Adodc11
    Binder* m_fixedItemsBinder = nullptr;

    YearMonthBoxes m_yearMonth; // text1(2) and text1(3) with UpDown1 and UpDown2
    QList<QLineEdit*> m_text1; // 0 code, 1 name, 2 year, 3 month, 4 net pay, 5 salary
    QList<QLineEdit*> m_additions;  // Text2
    QList<QLineEdit*> m_deductions; // Text3
    QList<QLineEdit*> m_leaveHours; // Text4
    QLineEdit* m_searchBox;     // Text5
    QLineEdit* m_jobTitle;      // Text6
    QLineEdit* m_oldBottles;    // Text7
    QLineEdit* m_newBottles;    // Text8
    QLineEdit* m_lastSettled;   // Text9
    QLineEdit* m_balanceDate;   // Text12
    QLineEdit* m_promise;       // Text13
    QCheckBox* m_settled;       // Check1
    QDateEdit* m_referenceDate; // DTPicker1
    QDateEdit* m_settlementDate; // DTPicker2
    QRadioButton* m_allRows;    // Option1
    QRadioButton* m_openRows;   // Option2
    QProgressBar* m_progress;   // ProgressBar1
    QPushButton* m_searchButton; // 搜尋
    QPushButton* m_nextButton;   // 再搜尋
    QPushButton* m_exitButton;   // 離開
    RecordToolbar* m_toolbar = nullptr;

    LeaveDeduction m_leave;
    Recordset::Bookmark m_shownRow = -1;
};
