#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class QDateEdit;

// 日期出貨: how many bottles of each product are due to go out over a range of days, both ends
// included, counting the delivery rows that are neither refunded nor suspended. It only reads.
class ExpectedShipmentsForm : public QWidget {
    Q_OBJECT
public:
    explicit ExpectedShipmentsForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {640, 480}; }

private:
    enum class Order { ByCode, ByTotal };
    void list(Order order);
    void sortRowsOnHand(const QString& sort);

    AppContext& m_app;
    DataSource m_rows;           // Adodc1
    QDateEdit* m_from = nullptr; // DTPicker1
    QDateEdit* m_to = nullptr;   // DTPicker2
};
