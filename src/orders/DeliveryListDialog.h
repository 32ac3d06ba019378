#pragma once

#include "data/DataSource.h"

#include <QDialog>
#include <QVariantList>

struct AppContext;
class DataCombo;
class QDateEdit;
class QListWidget;
class QRadioButton;

// 載入送貨地址: one day's deliveries of one milk area, of every area or of hand-picked areas, written
// into a spreadsheet area after area; the dialog closes once the sheet is open.
class DeliveryListDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeliveryListDialog(AppContext& app, QWidget* parent = nullptr);

private:
    void print();
    // The areas of the run, ascending, as the option selected now asks. Throws DataError.
    QVariantList areaRows() const;
    bool isPicked(const QVariant& area) const;

    AppContext& m_app;
    DataSource m_areas; // Adodc2: every area, for the combo and the list
    QDateEdit* m_day;
    QRadioButton* m_allAreas;
    QRadioButton* m_oneArea;
    QRadioButton* m_pickedAreas;
    DataCombo* m_areaCombo;
    QListWidget* m_areaList;
};
