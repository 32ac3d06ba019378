#pragma once

#include "accounts/YearChartForm.h"
#include "data/DataSource.h"

class QComboBox;

// 流水帳圖表: the posted days of one month, the cash in hand at the start and at the end of each, one
// row per posting in date order.
class CashChartForm : public YearChartForm {
    Q_OBJECT
public:
    explicit CashChartForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {900, 560}; }

private:
    void plot() override;

    DataSource m_postings; // Adodc1: the month's posted days
    QComboBox* m_monthBox;
};
