#pragma once

#include "data/DataSource.h"
#include "records/RememberedPosition.h"

#include <QWidget>
#include <array>

struct AppContext;
class DataCombo;
class DataGrid;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RecordToolbar;

// 輸入聯絡事項: the log of contacts with customers. The grid lists this month's contacts or all of
// them; the entry fields below show one contact of the log, which the record toolbar moves through,
// adds to, changes and deletes from. A customer code typed into the search box is found in the grid.
class ContactLogForm : public QWidget {
    Q_OBJECT
public:
    explicit ContactLogForm(AppContext& app, QWidget* parent = nullptr);
    // Room for a screenful of rows when the frame opens it.
    QSize sizeHint() const override { return {760, 560}; }

private:
    void buildControls();
    RecordToolbar* makeToolbar();
    void showThisMonth();
    void showAllContacts();
    void showInLog(int gridRow);
    void goToLastContactOf(qint32 customerCode);
    void refreshLogAndGrid();
    void searchCustomerCode(bool fromFirst);

    AppContext& m_app;
    DataSource m_log;     // Adodc1: the whole log, behind the entry fields
    DataSource m_grid;    // Adodc2: the rows of the grid
    DataSource m_people;  // Adodc4: the contact persons offered by the combo
    RememberedPosition m_gridPosition;

    RecordToolbar* m_toolbar = nullptr;
    DataGrid* m_gridView = nullptr;
    QRadioButton* m_allRows = nullptr;
    QRadioButton* m_thisMonth = nullptr;
    QLineEdit* m_codeText = nullptr;
    QPushButton* m_search = nullptr;
    QPushButton* m_searchAgain = nullptr;
    std::array<QLineEdit*, 4> m_fields{}; // serial, customer code, date, matter
    DataCombo* m_contactMan = nullptr;
};
