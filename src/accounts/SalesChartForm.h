#pragma once

#include "accounts/YearChartForm.h"
#include "data/DataSource.h"

class DataCombo;
class QRadioButton;

// 業務圖表: how many customers each salesperson signed up in each month of one year, for the
// salesperson picked (`個別`) or for all of them side by side (`全灠`). The salespeople are the
// employees whose job is "業務", former ones included, read once as the window opens.
class SalesChartForm : public YearChartForm {
    Q_OBJECT
public:
    explicit SalesChartForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {960, 600}; }

private:
    void plot() override;
    void plotOne(const QString& name);
    void plotEveryone();

    DataSource m_counts;      // Adodc1: one salesperson's customers of the year
    DataSource m_salespeople; // Adodc2: the salespeople by code
    DataSource m_headcount;   // Adodc3: how many they are
    DataCombo* m_picked;      // DataCombo1
    QRadioButton* m_single;   // 個別
    QRadioButton* m_everyone; // 全灠
};
