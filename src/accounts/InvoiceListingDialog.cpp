#include "accounts/InvoiceListingDialog.h"

#include "accounts/AccountsMessages.h"
#include "data/TextRules.h"
#include "core/AppContext.h"
#include "data/DeliveredRows.h"
#include "data/Decimal.h"
#include "data/Recordset.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int firstRow = 4;
constexpr int amountColumn = 4; // 總金額, 0-based

// The month's customers of one invoice kind, once each by code, with the month's delivered rows: a
// refunded or suspended day is not delivered, so it is not billed, as the account enquiry leaves it
// out. The flag's column is one of two fixed names, never text from a box.
QString listingStatement(const QString& invoiceFlag)
{
    return u"select customer_data.c_code, name, tel, addr, sum("_s + DeliveredRows::notBelowZero(u"expense"_s)
        + u") as 總金額, billhead, unifyserial"
          " from customer_data, order_date"
          " where coalesce(customer_data.advancepay, 0) = 0 and customer_data.%1 = 1"
          " and customer_data.c_code = order_date.c_code"
          " and order_date.date_d >= ? and order_date.date_d <= ? and "_s.arg(invoiceFlag)
        + DeliveredRows::condition(u"order_date"_s)
        + u" group by customer_data.c_code, name, tel, addr, billhead, unifyserial"
          " order by customer_data.c_code"_s;
}

} // namespace

InvoiceListingDialog::InvoiceListingDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_twoPart(named(new QRadioButton(u"two join invoice"_s, this), u"Option1"_s)),
      m_threePart(named(new QRadioButton(u"three join invoice"_s, this), u"Option2"_s)),
      m_year(named(new QLineEdit(this), u"text1"_s)),
      m_yearArrows(named(new UpDown(this), u"UpDown1"_s)),
      m_month(named(new QLineEdit(this), u"Text2"_s)),
      m_monthArrows(named(new UpDown(this), u"UpDown2"_s))
{
    groupOptions({m_twoPart, m_threePart});
    setWindowTitle(u"invoice customer detailed"_s);
    m_twoPart->setChecked(true);
    WorkDateAtLoad(app);

    m_yearArrows->setRange(1479, 9999);
    m_monthArrows->setRange(1, 12);
    connect(m_yearArrows, &UpDown::changed, this, [this](int year) { m_year->setText(QString::number(year)); });
    connect(m_monthArrows, &UpDown::changed, this, [this](int month) { m_month->setText(QString::number(month)); });
    m_year->setText(QString::number(app.values.work_date.year()));
    m_month->setText(QString::number(app.values.work_date.month()));
    m_yearArrows->setValue(app.values.work_date.year());
    m_monthArrows->setValue(app.values.work_date.month());

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_twoPart, 0, 0, 1, 2);
    layout->addWidget(m_threePart, 1, 0, 1, 2);
    layout->addWidget(new QLabel(u"year"_s, this), 2, 0);
    auto* year = new QHBoxLayout;
    year->addWidget(m_year);
    year->addWidget(m_yearArrows);
    layout->addLayout(year, 2, 1);
    layout->addWidget(new QLabel(u"monthly"_s, this), 3, 0);
    auto* month = new QHBoxLayout;
    month->addWidget(m_month);
    month->addWidget(m_monthArrows);
    layout->addLayout(month, 3, 1);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);

    connect(ok, &QPushButton::clicked, this, &InvoiceListingDialog::print);
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });
}

void InvoiceListingDialog::print()
{
    const auto& inputError = ErrorMessageBoxes::Reports::inputError;
    const std::optional<int> year = TextRules::wholeNumberIn(m_year->text(), 1, 9999);
    const std::optional<int> month = TextRules::wholeNumberIn(m_month->text(), 1, 12);
    if (!year || !month) {
        showMessage(m_app.messages, inputError);
        return;
    }
    // The last day rather than the next month's first: 9999/12 has no next month.
    const QDate first(*year, *month, 1);
    const QDate last = first.addDays(first.daysInMonth() - 1);

    Recordset customers(m_app.db);
    bool loaded = false;
    runGuarded(m_app.messages, [&] {
        customers.load(listingStatement(m_twoPart->isChecked() ? u"bill2"_s : u"bill3"_s), {first, last});
        loaded = true;
    });
    if (!loaded)
        return;
    if (customers.recordCount() == 0) {
        showMessage(m_app.messages, inputError);
        return;
    }

    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    const bool printed = sheet.run([&] {
        for (int row = 0; row < customers.recordCount(); ++row) {
            for (int field = 0; field < customers.fieldCount(); ++field) {
                const QVariant value = customers.valueAt(row, field);
                // The month's amount is summed to the cent the books keep, not to a double's last bit.
                sheet.setCell(firstRow + row, field + 1,
                              field == amountColumn && !value.isNull() ? Decimal::fromVariant(value).toDouble()
                                                                       : value);
            }
        }
        sheet.fitColumns();
    });
    if (printed)
        closeForm(this);
    else
        showMessage(m_app.messages, inputError);
}
