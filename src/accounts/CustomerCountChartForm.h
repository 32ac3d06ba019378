#pragma once

#include "accounts/YearChartForm.h"
#include "data/DataSource.h"

// 客戶數量圖表: how many customers were entered in each month of one year; each month on its own,
// not a running total.
class CustomerCountChartForm : public YearChartForm {
    Q_OBJECT
public:
    explicit CustomerCountChartForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {860, 540}; }

private:
    void plot() override;

    DataSource m_customers; // Adodc1: the year's customers
};
