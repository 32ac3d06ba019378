#pragma once

#include "data/DataSource.h"

#include <QDialog>

struct AppContext;
class DataCombo;
class QDateEdit;
class QRadioButton;

// 載入日計報表: one delivery day's bottle counts by milk area, product and bottle type, for one area or
// all of them, written into a spreadsheet; the dialog closes once the sheet is open.
class DailyReportDialog : public QDialog {
    Q_OBJECT
public:
    explicit DailyReportDialog(AppContext& app, QWidget* parent = nullptr);

private:
    void print();

    AppContext& m_app;
    DataSource m_areas; // the list of DataCombo1
    QDateEdit* m_day;
    QRadioButton* m_oneArea;
    QRadioButton* m_allAreas;
    DataCombo* m_areaCombo;
};
