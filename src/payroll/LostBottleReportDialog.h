#pragma once

#include "data/DataSource.h"
#include "payroll/YearMonthBoxes.h"

#include <QDialog>
#include <QVariantList>
#include <optional>

struct AppContext;
class DataCombo;
class QRadioButton;

// 載入應收帳款扣薪明細表: one month's unreturned bottles, for one milk area, every area or one employee
// charged with them, written into a spreadsheet from row 4 down. The rows are what the employees
// charged have deducted from their pay. The dialog closes once the sheet is open, or at once when the
// month has no such row.
class LostBottleReportDialog : public QDialog {
    Q_OBJECT
public:
    explicit LostBottleReportDialog(AppContext& app, QWidget* parent = nullptr);

private:
    struct Scope {
        QString condition; // with one bound value, or empty for every area
        QVariantList values;
    };

    void print();
    // The chosen area or employee as a condition on the delivery rows; none where the combo does not
    // hold a whole number. An empty area box is area 0, which has no rows.
    std::optional<Scope> scope() const;

    AppContext& m_app;
    DataSource m_areas;     // Adodc1
    DataSource m_employees; // Adodc3
    YearMonthBoxes m_boxes;
    QRadioButton* m_oneArea;
    QRadioButton* m_everyArea;
    QRadioButton* m_oneEmployee;
    DataCombo* m_areaCombo;
    DataCombo* m_employeeCombo;
};
