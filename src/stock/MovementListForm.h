#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;
class QDateEdit;
class QLabel;

// 進出貨一灠: the goods movement rows, those of a range of days (both ends included) or all of them.
// It only reads; the range applies when "date view" is pressed.
class MovementListForm : public QWidget {
    Q_OBJECT
public:
    explicit MovementListForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {900, 520}; }

private:
    bool listDateRange();
    bool listAll();
    // False when the database refused the query: the grid keeps its rows.
    bool list(const QString& sql, const QVariantList& values = {});

    AppContext& m_app;
    DataSource m_rows; // Adodc1
    QDateEdit* m_from = nullptr; // DTPicker1
    QDateEdit* m_to = nullptr;   // DTPicker2
    QLabel* m_title = nullptr;   // Label2
};
