#include "accounts/AccountEnquiryDialog.h"

#include "accounts/AccountsMessages.h"
#include "widgets/DatePicker.h"
#include "core/AppContext.h"
#include "data/DeliveredRows.h"
#include "data/Database.h"
#include "data/Decimal.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "widgets/DataCombo.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

AccountEnquiryDialog::AccountEnquiryDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_customers(app.db, this),
      m_customerCombo(named(new DataCombo(this), u"DataCombo1"_s)),
      m_total(named(new QLineEdit(this), u"Text2"_s))
{
    setWindowTitle(u"customer money inquire"_s);
    WorkDateAtLoad(app);
    m_from = makeDatePicker(this, u"DTPicker1"_s, app.values.work_date);
    m_to = makeDatePicker(this, u"DTPicker2"_s, app.values.work_date);
    m_customerCombo->setMinimumContentsLength(8);
    m_total->setReadOnly(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(u"choose date"_s, this), 0, 0);
    layout->addWidget(m_from, 0, 1);
    layout->addWidget(new QLabel(u"to"_s, this), 0, 2);
    layout->addWidget(m_to, 0, 3);
    layout->addWidget(new QLabel(u"choose customer code"_s, this), 1, 0);
    layout->addWidget(m_customerCombo, 1, 1);
    layout->addWidget(new QLabel(u"sum money"_s, this), 2, 0);
    layout->addWidget(m_total, 2, 1);
    layout->addWidget(makeExitButton(this), 2, 3);

    runGuarded(app.messages, [this] {
        m_customers.setQuery(u"select c_code from customer_data order by c_code"_s);
        m_customers.refresh();
        m_customerCombo->setRowSource(&m_customers, u"c_code"_s);
    });
    if (m_customerCombo->count() > 0)
        m_customerCombo->setText(m_customerCombo->itemText(0));
    showTotal();

    connect(m_from, &QDateEdit::dateChanged, this, &AccountEnquiryDialog::showTotal);
    connect(m_to, &QDateEdit::dateChanged, this, &AccountEnquiryDialog::showTotal);
    connect(m_customerCombo, &QComboBox::editTextChanged, this, &AccountEnquiryDialog::showTotal);
}

void AccountEnquiryDialog::showTotal()
{
    m_total->clear();
    // A text that names no whole code names no customer.
    const std::optional<int> code = TextRules::wholeNumberIn(m_customerCombo->text());
    if (!code)
        return;
    try {
        static const QString statement = u"select sum("_s + DeliveredRows::notBelowZero(u"expense"_s)
            + u") as 總金額 from order_date where date_d >= ? and date_d <= ? and c_code = ? and "_s
            + DeliveredRows::condition();
        const QVariant total = m_app.db.scalar(statement,
                                               {m_from->date(), m_to->date(), *code});
        if (!total.isNull())
            m_total->setText(Decimal::fromVariant(total).toString());
    } catch (const std::exception&) {
        showMessage(m_app.messages, ErrorMessageBoxes::Reports::inputError);
    }
}
