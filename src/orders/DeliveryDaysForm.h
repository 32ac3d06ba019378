#pragma once

#include <QWidget>

struct AppContext;
class FetchingGrid;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

// 訂法全灠: the delivery-day rows in a grid, all of them or the current month's, and the suspend of
// one picked day for every customer at once, or its resume.
class DeliveryDaysForm : public QWidget {
    Q_OBJECT
public:
    explicit DeliveryDaysForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {980, 600}; }

private:
    void showRows();
    void showCurrentRow();
    void setDaySuspended(bool suspended, const QString& title);

    AppContext& m_app;
    FetchingGrid* m_grid = nullptr; // DataGrid1: a year holds millions of rows, read as they are scrolled to
    QLabel* m_title = nullptr;
    QRadioButton* m_allRows = nullptr;
    QRadioButton* m_month = nullptr;
    QDateEdit* m_day = nullptr;
    QLineEdit* m_dayShown = nullptr;
    QLineEdit* m_suspendShown = nullptr;
};
