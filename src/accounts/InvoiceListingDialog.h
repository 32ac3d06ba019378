#pragma once

#include <QDialog>

struct AppContext;
class QLineEdit;
class QRadioButton;
class UpDown;

// 載入發票明細: the customers of one month who want a two-part (or a three-part) invoice and do not pay
// in advance, each with the month's amount, invoice title and business number, written into a
// spreadsheet; the dialog closes once the sheet is open.
class InvoiceListingDialog : public QDialog {
    Q_OBJECT
public:
    explicit InvoiceListingDialog(AppContext& app, QWidget* parent = nullptr);

private:
    void print();

    AppContext& m_app;
    QRadioButton* m_twoPart;
    QRadioButton* m_threePart;
    QLineEdit* m_year;
    UpDown* m_yearArrows;
    QLineEdit* m_month;
    UpDown* m_monthArrows;
};
