#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class QDateEdit;
class QLabel;
class QRadioButton;

// 設定訂法全灠: the days of every subscription type, all of them or those of a date range, by type
// and day, by day or by type. It only reads.
class SubscriptionOverviewForm : public QWidget {
    Q_OBJECT
public:
    explicit SubscriptionOverviewForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {620, 560}; }

private:
    void showRows(const QString& order);

    AppContext& m_app;
    DataSource m_days; // Adodc1
    QRadioButton* m_allRows = nullptr;
    QRadioButton* m_range = nullptr;
    QDateEdit* m_first = nullptr;
    QDateEdit* m_last = nullptr;
    QLabel* m_title = nullptr;
};
