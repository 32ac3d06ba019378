#include "orders/OrderDateListingDialog.h"

#include "core/AppContext.h"
#include "data/TextRules.h"
#include "orders/OrdersMessages.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/DataCombo.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Each row once, by customer, day and product. Customers who returned their bottles or lapsed are
// left out; a flag never set counts as not set.
const QString listingStatement =
    u"select distinct order_date.c_code, name, date_d, names, subscribe_num, give_num, add_num, subtract_num,"
    " not_bottle, expense, refund, suspend, order_date.milk_area"
    " from customer_data, order_date"
    " where customer_data.c_code = order_date.c_code"
    " and order_date.date_d >= ? and order_date.date_d <= ?"
    " and coalesce(returnss, 0) = 0 and coalesce(timeout, 0) = 0"_s;
const QString listingOrder = u" order by order_date.c_code, date_d, names"_s;

} // namespace

OrderDateListingDialog::OrderDateListingDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_customers(app.db, this),
      m_areas(app.db, this),
      m_year(named(new QLineEdit(this), u"text1"_s)),
      m_month(named(new QLineEdit(this), u"Text2"_s)),
      m_oneCustomer(named(new QRadioButton(u"customer"_s, this), u"Option1"_s)),
      m_everyCustomer(named(new QRadioButton(u"overall customer"_s, this), u"Option2"_s)),
      m_oneArea(named(new QRadioButton(u"milk area"_s, this), u"Option3"_s)),
      m_customerCombo(named(new DataCombo(this), u"DataCombo1"_s)),
      m_areaCombo(named(new DataCombo(this), u"DataCombo2"_s))
{
    groupOptions({m_oneCustomer, m_everyCustomer, m_oneArea});
    setWindowTitle(u"customer subscribe date"_s);
    WorkDateAtLoad(app);

    // The arrows step their own value into the box; what is typed in the box stays as typed.
    auto* yearArrows = named(new UpDown(this), u"UpDown1"_s);
    yearArrows->setRange(1, 9999);
    auto* monthArrows = named(new UpDown(this), u"UpDown2"_s);
    monthArrows->setRange(1, 12);
    connect(yearArrows, &UpDown::changed, m_year, [this](int year) { m_year->setText(QString::number(year)); });
    connect(monthArrows, &UpDown::changed, m_month, [this](int month) { m_month->setText(QString::number(month)); });
    m_year->setText(QString::number(app.values.work_date.year()));
    m_month->setText(QString::number(app.values.work_date.month()));
    yearArrows->setValue(TextRules::roundToInt32(TextRules::numberFromText(m_year->text())));
    monthArrows->setValue(TextRules::roundToInt32(TextRules::numberFromText(m_month->text())));
    m_oneCustomer->setChecked(true);
    m_customerCombo->setMinimumContentsLength(8);
    m_areaCombo->setMinimumContentsLength(8);

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(u"year"_s, this), 0, 0);
    layout->addWidget(m_year, 0, 1);
    layout->addWidget(yearArrows, 0, 2);
    layout->addWidget(new QLabel(u"monthly"_s, this), 1, 0);
    layout->addWidget(m_month, 1, 1);
    layout->addWidget(monthArrows, 1, 2);
    layout->addWidget(m_oneCustomer, 2, 0);
    layout->addWidget(m_everyCustomer, 3, 0);
    layout->addWidget(m_oneArea, 4, 0);
    layout->addWidget(new QLabel(u"customer code"_s, this), 2, 3);
    layout->addWidget(m_customerCombo, 2, 4);
    layout->addWidget(new QLabel(u"milk area"_s, this), 4, 3);
    layout->addWidget(m_areaCombo, 4, 4);
    layout->addWidget(ok, 0, 5);
    layout->addWidget(cancel, 1, 5);
    layout->setColumnStretch(4, 1);

    connect(ok, &QPushButton::clicked, this, &OrderDateListingDialog::print);
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });

    runGuarded(app.messages, [this] {
        m_customers.setQuery(u"select c_code, milk_area from customer_data order by c_code"_s);
        m_customers.refresh();
        m_customerCombo->setRowSource(&m_customers, u"c_code"_s);
        m_areas.setQuery(u"select * from milk_area order by milk_area"_s);
        m_areas.refresh();
        m_areaCombo->setRowSource(&m_areas, u"milk_area"_s);
    });
}

std::optional<OrderDateListingDialog::Selection> OrderDateListingDialog::selection() const
{
    const std::optional<int> year = TextRules::wholeNumberIn(m_year->text(), 1, 9999);
    const std::optional<int> month = TextRules::wholeNumberIn(m_month->text(), 1, 12);
    if (!year || !month)
        return std::nullopt;
    // The last day rather than the next month's first: 9999/12 has no next month.
    const QDate first(*year, *month, 1);
    Selection chosen{listingStatement, {first, first.addDays(first.daysInMonth() - 1)}};

    if (!m_everyCustomer->isChecked()) {
        const bool byCustomer = m_oneCustomer->isChecked();
        const std::optional<int> key =
            TextRules::wholeNumberIn((byCustomer ? m_customerCombo : m_areaCombo)->text(), INT_MIN, INT_MAX);
        if (!key)
            return std::nullopt;
        chosen.statement += byCustomer ? u" and order_date.c_code = ?"_s : u" and order_date.milk_area = ?"_s;
        chosen.values << *key;
    }
    chosen.statement += listingOrder;
    return chosen;
}

void OrderDateListingDialog::print()
{
    const auto& inputError = ErrorMessageBoxes::OrderDateListing::inputError;
    const std::optional<Selection> chosen = selection();
    if (!chosen) {
        showMessage(m_app.messages, inputError);
        return;
    }
    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    const bool printed = sheet.run([&] {
        Recordset rows(m_app.db);
        rows.load(chosen->statement, chosen->values);
        sheet.copyRecords(rows, 4);
        sheet.fitColumns();
    });
    if (printed)
        closeForm(this);
    else
        showMessage(m_app.messages, inputError);
}
