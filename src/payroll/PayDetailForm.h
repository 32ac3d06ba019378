#pragma once

#include "records/RememberedPosition.h"

#include <QWidget>

class DataGrid;
class DataSource;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AppContext;

// 薪資明細表單: the pay rows in a grid, the open ones or every one, with the number of pay rows the
// table held when the form opened; a search by employee code; once unlocked, cells changed in place.
class PayDetailForm : public QWidget {
    Q_OBJECT
public:
    explicit PayDetailForm(AppContext& app, QWidget* parent = nullptr);

private:
    void showList(const QString& query);

    AppContext& m_app;
    DataSource* m_rows;         // Adodc2
    RememberedPosition m_remembered; // the row a missed search returns to
    DataGrid* m_grid;           // DataGrid1
    QLineEdit* m_countBox;      // text1: the count of pay rows
    QLabel* m_count;            // 計數
    QRadioButton* m_allRows;    // Option1
    QRadioButton* m_openRows;   // Option2
    QCheckBox* m_unlock;        // Check1
    QLineEdit* m_searchBox;     // Text2
    QPushButton* m_searchButton; // 搜尋
    QPushButton* m_nextButton;   // 再搜尋
};
