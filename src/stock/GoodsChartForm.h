#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class CellChart;
class DataCombo;
class QComboBox;
class QLineEdit;
class UpDown;

// 進出貨分析: for one product and one month, the bottles received and shipped, one movement of the
// daily goods entry per row of the chart, in date order.
class GoodsChartForm : public QWidget {
    Q_OBJECT
public:
    explicit GoodsChartForm(AppContext& app, QWidget* parent = nullptr);

private:
    void keepDayLabelsWhole();
    void showYear(int year);
    void redraw();
    QList<QVariantList> movementsOfMonth(const QString& product);

    AppContext& m_app;
    DataSource m_products;
    DataCombo* m_product;
    QLineEdit* m_yearText;
    UpDown* m_year;
    QComboBox* m_month;
    CellChart* m_chart;
};
