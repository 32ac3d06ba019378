#pragma once

#include <QVariant>
#include <QWidget>
#include <array>

class DataCombo;
class DataSource;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordToolbar;
struct AppContext;

// 客戶基本資料: the customer master form. One customer at a time, with the record toolbar, a search
// by telephone, code, delivery address or name, and buttons that hand the customer to the order
// form and the contact log. A new customer brings its bill, delivery-list and first order rows with
// it; a modify that moves the customer to another milk area is logged in turn_milk; a deleted customer
// takes the delivery days from today on along.
class CustomerForm : public QWidget {
    Q_OBJECT
public:
    explicit CustomerForm(AppContext& app, QWidget* parent = nullptr);

private:
    void createControls();
    void layOutControls();
    void bindControls();
    void createToolbar();
    void createSearch();
    void createKeyNavigation();

    void applyCancelledFilter();
    void showLatestDelivery();
    void handOver(const QString& formName);
    void writeCompanionRows();
    void logMilkAreaChange();
    void followInDayRows();

    AppContext& m_app;

    DataSource* m_customers;  // Adodc1: the record
    DataSource* m_bills;      // Adodc3: acrossbills_data
    DataSource* m_moves;      // Adodc4: different_move
    DataSource* m_firstOrder; // Adodc7: order_data
    std::array<DataSource*, 5> m_comboLists;

    std::array<QLineEdit*, 12> m_text1;
    std::array<DataCombo*, 5> m_combos;
    std::array<QCheckBox*, 4> m_flags; // Check1 to Check4
    QCheckBox* m_hideCancelled;        // Check5 "nodisplay"
    QLabel* m_counter;
    QLabel* m_latestDelivery; // Label12
    QRadioButton* m_byTel;
    QRadioButton* m_byCode;
    QRadioButton* m_byAddress;
    QRadioButton* m_byName;
    QLineEdit* m_searchBox;
    QPushButton* m_searchButton;
    QPushButton* m_searchAgainButton;
    QPushButton* m_changeButton; // 異動
    QPushButton* m_orderButton;  // 下訂單
    QPushButton* m_contactButton; // 業待聯
    QPushButton* m_exitButton;
    RecordToolbar* m_toolbar = nullptr;

    QVariant m_milkAreaAtModify;
    QVariant m_codeAtDelete; // the customer whose delivery days from today on go with the delete
};
