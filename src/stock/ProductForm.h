#pragma once

#include <QMap>
#include <QWidget>
#include <memory>

class DataGrid;
class DataSource;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordToolbar;
struct AppContext;

// 產品基本資料: the product master form. One product at a time beside a grid of all products that
// follows the record and can be clicked to move it; a search by code or by whole name; sorts of the
// grid; and the record toolbar. A new product's code is the highest code plus one, and the product
// brings its row of commission rates along. A product's new name and price reach its delivery types and
// the written delivery days; a product a delivery type still sends cannot be deleted.
class ProductForm : public QWidget {
    Q_OBJECT
public:
    // `counter` is the record counter: it outlives the window, so closing and opening the form
    // again goes on counting from where it stood.
    ProductForm(AppContext& app, std::shared_ptr<int> counter, QWidget* parent = nullptr);
    ~ProductForm() override;
    // Room for the record and, beside it, a grid wide enough for every column of a product.
    QSize sizeHint() const override { return {1120, 560}; }

private:
    void createControls();
    void layOutControls();
    void arrangeTabOrder();
    void bindControls();
    void createToolbar();
    void createSearch();

    void showRecordInGrid();
    void rereadGrid();
    void showPickedProduct();
    void prepareCommissionRow();
    void followModifyInDayRows();
    void carryCommissionRates(const QString& name);

    AppContext& m_app;
    std::shared_ptr<int> m_counterStore;

    DataSource* m_products;   // Adodc1: the record
    DataSource* m_gridRows;   // Adodc2: the grid's rows, sorted by the sort buttons
    DataSource* m_commission; // Adodc3: the new product's row of commission rates

    QMap<int, QLineEdit*> m_text1; // by the index of the box in text1
    QLabel* m_counter;             // 計數
    QRadioButton* m_byCode;        // Option1
    QRadioButton* m_byName;        // Option2
    QLineEdit* m_searchBox;        // Text2
    QPushButton* m_searchButton;   // 搜尋
    DataGrid* m_grid;              // DataGrid1
    QList<QPushButton*> m_sortButtons;
    QPushButton* m_exitButton;     // 離開
    RecordToolbar* m_toolbar = nullptr;
    QString m_nameAtModify;
    QVariant m_priceAtModify;
    QString m_nameAtDelete;
};

// Registers 產品基本資料 with the form registry; the registration keeps the form's counter.
void registerProductForm(AppContext& app);
