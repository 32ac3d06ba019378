#pragma once

#include "data/DataSource.h"
#include "data/Decimal.h"
#include "records/MaxPlusOneNumbering.h"
#include "records/RememberedPosition.h"

#include <QList>
#include <QWidget>
#include <array>
#include <optional>

struct AppContext;
class ProductFigures;
struct GoodsMovement;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;

// 進貨表單: the day's goods in and out of one product. Above, the product chosen in the grid with its
// stock, safety stock and the day's expected shipments; below, the goods movement rows. OK starts a
// new movement row prefilled from the figures, and OK again saves it, stamps update_date and makes the
// closing stock the product's stock on hand, all in one transaction.
class GoodsEntryForm : public QWidget {
    Q_OBJECT
public:
    explicit GoodsEntryForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {980, 700}; }

private:
    QLayout* buildProductSide();
    QLayout* buildSearchLine();
    QLayout* buildMovementSide();
    QLayout* buildButtons();

    void showProduct();
    void showDayTotal();
    void goToLatestMovementOfProduct();
    std::optional<Decimal> closingOfBoxes() const;
    void showClosingStock();

    void okClicked();
    void startEntry();
    GoodsMovement entryAsTyped() const;
    void commitEntry();
    void cancelEntry();
    void rereadProduct();
    void setEntryInProgress(bool inProgress);

    AppContext& m_app;
    DataSource m_products;  // Adodc1
    DataSource m_movements; // Adodc2: pass_goods in serial order
    DataSource m_stamp;     // Adodc4: the single row of update_date
    RememberedPosition m_productPosition;
    RememberedPosition m_movementPosition;
    MaxPlusOneNumbering m_numbering;
    const QDate m_today; // the form's own today; work_date is left alone
    bool m_entryInProgress = false;
    Decimal m_stockAtStart; // the product's stock on hand as the entry began

    ProductFigures* m_figures = nullptr;
    QDateEdit* m_date = nullptr;           // DTPicker2
    QLineEdit* m_searchBox = nullptr;      // Text4
    QRadioButton* m_byCode = nullptr;      // Option1
    QRadioButton* m_byName = nullptr;      // Option2
    std::array<QLineEdit*, 9> m_movement{}; // Text2(0) to Text2(8)
    QLineEdit* m_productCode = nullptr;     // Text5
    QLineEdit* m_closingStock = nullptr;    // Text6
    QPushButton* m_ok = nullptr;           // 確定
    QPushButton* m_cancel = nullptr;       // 取消
    // What would move the product or the day away from an entry in progress.
    QList<QWidget*> m_entryLocks;
};
