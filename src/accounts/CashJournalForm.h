#pragma once

#include "accounts/DailyPosting.h"
#include "data/DataSource.h"
#include "records/RememberedPosition.h"

#include <QWidget>
#include <array>

struct AppContext;
class DataGrid;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class RecordToolbar;

// 流水帳明細表: the cash journal. One movement of cash at a time in the entry boxes, with the record
// toolbar; beside it the rows of one day and every row by number, four searches by day, and the daily
// posting, which closes a day and carries the cash in hand to the next.
class CashJournalForm : public QWidget {
    Q_OBJECT
public:
    explicit CashJournalForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {1120, 660}; }

private:
    void createControls();
    RecordToolbar* makeToolbar();
    void layOutControls();
    void connectSearches();

    bool refusedAsPosted(const QVariant& serial);
    void refreshJournalAndDay();
    void postDay();
    void showLastPostedDay();

    AppContext& m_app;
    // The day whose rows DataGrid1 shows: the working date as the form found it, before renewing it.
    QDate m_gridDay;
    DataSource m_journal; // Adodc1: the record of the entry boxes
    DataSource m_allRows; // Adodc2: every row by number, in DataGrid2; the posting adds its row here
    DataSource m_dayRows; // Adodc3: the rows of m_gridDay, in DataGrid1
    RememberedPosition m_allRowsPosition;
    DailyPosting m_posting;

    std::array<QLineEdit*, 6> m_text1{}; // serial, item, expense, date_d, other, in_out
    QLineEdit* m_inOutWord = nullptr;    // Text2: the word of the amount shown or typed
    std::array<QLineEdit*, 5> m_text6{}; // the posting: day, opening, day's sum, closing, journal number
    QLineEdit* m_lastPosted = nullptr;   // Text5
    QDateEdit* m_recordDay = nullptr;    // DTPicker1
    QDateEdit* m_listDay = nullptr;      // DTPicker2
    QDateEdit* m_postingDay = nullptr;   // DTPicker3
    QPushButton* m_search = nullptr;
    QPushButton* m_searchAgain = nullptr;
    QPushButton* m_listSearch = nullptr;
    QPushButton* m_listSearchAgain = nullptr;
    QCheckBox* m_unlock = nullptr; // Check1
    DataGrid* m_dayGrid = nullptr;
    DataGrid* m_allGrid = nullptr;
    RecordToolbar* m_toolbar = nullptr;
};
