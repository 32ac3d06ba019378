#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class DataCombo;
class DataGrid;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// 客戶全灠: every customer in a grid, narrowed to one milk area or to the customers whose name,
// address or delivery address contains a text, sorted over the loaded rows, and open to changes
// of existing rows once unlocked.
class CustomerFullList : public QWidget {
    Q_OBJECT
public:
    explicit CustomerFullList(AppContext& app, QWidget* parent = nullptr);
    // Room for a screenful of rows when the frame opens it.
    QSize sizeHint() const override { return {980, 600}; }

private:
    void buildControls();
    void showAllCustomers();
    void showMilkArea(const QString& areaText);
    void searchCustomers();
    void sortBy(const QString& sort);
    void requery(const QString& sql, const QVariantList& values = {});

    AppContext& m_app;
    DataSource m_customers;  // Adodc1: the grid's rows
    DataSource m_count;      // Adodc2: the number of customers read at load
    DataSource m_milkAreas;  // Adodc3: the list of the milk-area combo

    QRadioButton* m_byName = nullptr;
    QRadioButton* m_byAddress = nullptr;
    QRadioButton* m_byDeliveryAddress = nullptr;
    QLineEdit* m_searchText = nullptr;
    DataGrid* m_grid = nullptr;
    DataCombo* m_milkArea = nullptr;
    QCheckBox* m_unlock = nullptr;
};
