#pragma once

#include <QWidget>

class DataSource;
struct AppContext;

// 抽成: the per-bottle commission of each product (the complete table) in a grid and in five boxes,
// the four amounts changed with a two-click modify, a product found by its name. Rows come with the
// products; none is added or deleted here.
class CommissionRatesForm : public QWidget {
    Q_OBJECT
public:
    explicit CommissionRatesForm(AppContext& app, QWidget* parent = nullptr);

private:
    DataSource* m_rates; // Adodc1
};
