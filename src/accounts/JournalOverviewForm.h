#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

// 流水帳明細全灠: the cash journal's rows and their total, for a range of days or for all days, of
// both directions or of money going out or coming in only. Reads only.
class JournalOverviewForm : public QWidget {
    Q_OBJECT
public:
    explicit JournalOverviewForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {860, 560}; }

private:
    void createControls();
    void layOutControls();

    void showRange();   // 日期全灠
    void showAllDays(); // 全灠
    void directionChosen(const QString& name);
    // The rows and the total of one view; the view's name goes to Label3 once both are read.
    void showView(const QString& where, const QVariantList& values, const QString& viewName);

    AppContext& m_app;
    DataSource m_rows;  // Adodc1: the rows listed
    DataSource m_total; // Adodc2: their total
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QRadioButton* m_both = nullptr;
    QRadioButton* m_expense = nullptr;
    QRadioButton* m_income = nullptr;
    QLineEdit* m_totalBox = nullptr; // text1
    QLabel* m_viewName = nullptr;    // Label3
    QLabel* m_direction = nullptr;   // Label4
};
