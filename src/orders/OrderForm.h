#pragma once

#include "data/DataSource.h"
#include "records/RecordToolbar.h"

#include <QWidget>
#include <array>

struct AppContext;
class DataCombo;
class DataGrid;
class QCheckBox;
class QCloseEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

// 訂單: the orders of the customers. One order stands in the entry fields, which the record toolbar
// moves through, adds to, changes and deletes from; beside it the grid lists the orders of the
// customer on show ("single") or all of them ("view"). The customer form hands a customer over
// before it opens the form, and a new order is that customer's.
class OrderForm : public QWidget {
    Q_OBJECT
public:
    explicit OrderForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {1000, 620}; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Role = RecordToolbar::Role;

    void createControls();
    void bindControls();
    void createToolbar();
    void createSearch();
    void layOutControls();
    void load();

    qint32 customerShown() const;
    void showCustomerName();
    void followInGrid();
    void scopeGrid();
    void sortGrid(const QString& order);
    void queryGrid(const QString& order);
    void showPickedOrder();
    void beforeToolbarClick(Role role);
    void afterToolbarClick(Role role);
    void refuseUnknownCustomer();
    bool writeWhileIdle(const QString& field, const QVariant& value, bool reportRefusal);
    bool writeIdleChange();
    qint32 storedCustomer() const;
    void followInDayRows(const QList<qint32>& customers);

    AppContext& m_app;
    DataSource m_orders;         // Adodc1: every order, behind the entry fields
    DataSource m_grid;           // Adodc6: the rows of the grid
    DataSource m_subscribeTypes; // Adodc3
    DataSource m_sendTypes;      // Adodc4
    DataSource m_bottleTypes;    // Adodc7: its current row gives a new order's bottle type

    qint32 m_orderCustomer = 0; // order_c_code: the customer a new order is for
    qint32 m_gridCustomer = 0;  // the customer "single" last read the grid for
    qint32 m_customerBefore = 0; // the customer of the order being modified or deleted, as stored
    bool m_modifyPressed = false;
    int m_ordersBeforeClick = 0;

    RecordToolbar* m_toolbar = nullptr;
    std::array<QLineEdit*, 6> m_text1{}; // serial, customer, name, start date, input date, amount
    DataCombo* m_subscribeType = nullptr;
    DataCombo* m_sendType = nullptr;
    DataCombo* m_bottleType = nullptr;
    QCheckBox* m_group = nullptr;
    QLineEdit* m_bottleMoney = nullptr;
    std::array<QCheckBox*, 2> m_iceHot{};
    QCheckBox* m_special = nullptr;
    QCheckBox* m_cancelled = nullptr;
    DataGrid* m_gridView = nullptr;
    QRadioButton* m_single = nullptr;
    QRadioButton* m_allOrders = nullptr;
    QRadioButton* m_byCustomer = nullptr;
    QRadioButton* m_byOrder = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_searchAgain = nullptr;
};
