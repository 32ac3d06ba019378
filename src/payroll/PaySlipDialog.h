#pragma once

#include "payroll/YearMonthBoxes.h"

#include <QDialog>

struct AppContext;

// 載入員工薪資: asks for the year and month of the employees' pay slips. It makes no slip: both of its
// buttons only close it.
class PaySlipDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaySlipDialog(AppContext& app, QWidget* parent = nullptr);

private:
    YearMonthBoxes m_boxes;
};
