#include "accounts/PaymentReminderForm.h"

#include "accounts/AccountsMessages.h"
#include "core/AppContext.h"
#include "data/DeliveredRows.h"
#include "data/Decimal.h"
#include "data/Database.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

constexpr int firstRow = 4;

// Every customer with the bottles subscribed from the first day to the working day, both included,
// on rows neither refunded nor suspended and with every bottle returned; no such rows count 0.
const QString totalsStatement =
    u"select customer_data.c_code, name, coalesce(sum(subscribe_num), 0) as 總數量"
    " from customer_data left join order_date on order_date.c_code = customer_data.c_code and "_s
    + DeliveredRows::condition() + u" and not_bottle = 0 and date_d >= ? and date_d <= ?"
    " group by customer_data.c_code, name order by customer_data.c_code"_s;

// Bottles count from the first of the working day's month.
QDate firstDayCounted(const QDate& workDate)
{
    return QDate(workDate.year(), workDate.month(), 1);
}

QLineEdit* readOnlyBox(QWidget* form, const QString& name)
{
    auto* box = named(new QLineEdit(form), name);
    box->setReadOnly(true);
    return box;
}

} // namespace

PaymentReminderForm::PaymentReminderForm(AppContext& app, QWidget* parent)
    : QWidget(parent),
      m_app(app),
      m_code(readOnlyBox(this, u"text1"_s)),
      m_name(readOnlyBox(this, u"Text4"_s)),
      m_total(readOnlyBox(this, u"Text3"_s)),
      m_firstDay(readOnlyBox(this, u"Text2"_s)),
      m_threshold(readOnlyBox(this, u"Text5"_s)),
      m_codes(named(new QListWidget(this), u"List1"_s)),
      m_names(named(new QListWidget(this), u"List2"_s)),
      m_totals(named(new QListWidget(this), u"List3"_s))
{
    setObjectName(u"提示繳款名單"_s);
    setWindowTitle(u"prompt pay"_s);
    WorkDateAtLoad(app);
    m_firstDay->setText(TextRules::dateText(firstDayCounted(app.values.work_date)));
    m_threshold->setText(u"0"_s);

    auto* display = named(new QPushButton(u"display"_s, this), u"顯示"_s);
    auto* print = named(new QPushButton(u"print"_s, this), u"列印"_s);
    auto* exit = makeExitButton(this);

    auto* layout = new QGridLayout(this);
    auto* title = new QLabel(u"prompt pay"_s, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title, 0, 0, 1, 3);
    layout->addWidget(new QLabel(u"subscriber code"_s, this), 1, 0);
    layout->addWidget(new QLabel(u"subscriber name"_s, this), 1, 1);
    layout->addWidget(new QLabel(u"total bottle"_s, this), 1, 2);
    layout->addWidget(m_code, 2, 0);
    layout->addWidget(m_name, 2, 1);
    layout->addWidget(m_total, 2, 2);
    layout->addWidget(m_codes, 3, 0);
    layout->addWidget(m_names, 3, 1);
    layout->addWidget(m_totals, 3, 2);
    layout->addWidget(m_firstDay, 4, 0);
    layout->addWidget(m_threshold, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(display);
    buttons->addWidget(print);
    buttons->addWidget(exit);
    layout->addLayout(buttons, 5, 0, 1, 3);

    connect(display, &QPushButton::clicked, this, &PaymentReminderForm::appendEveryCustomer);
    connect(print, &QPushButton::clicked, this, &PaymentReminderForm::print);
    for (QListWidget* list : {m_codes, m_names, m_totals}) {
        // One line a customer in each list, so the three stay level, and thousands of customers open at
        // once rather than each line being measured.
        list->setUniformItemSizes(true);
        connect(list, &QListWidget::itemClicked, this, [this, list] { followSelection(list); });
    }

    listCustomersToRemind();
}

void PaymentReminderForm::showCustomer(const QString& code, const QString& name, const QString& total)
{
    m_code->setText(code);
    m_name->setText(name);
    m_total->setText(total);
}

void PaymentReminderForm::listCustomersToRemind()
{
    const QDate workDate = m_app.values.work_date;
    const Decimal threshold = Decimal::fromText(m_threshold->text());
    runGuarded(m_app.messages, [&] {
        QSqlQuery customers = m_app.db.exec(totalsStatement, {firstDayCounted(workDate), workDate});
        QStringList codes, names, totals;
        QString code, name;
        Decimal total;
        while (m_app.db.nextRow(customers)) {
            code = customers.value(0).toString();
            name = customers.value(1).toString();
            total = Decimal::fromVariant(customers.value(2));
            if (!(threshold < total))
                continue;
            codes << code;
            names << name;
            totals << total.toString() + u"瓶"_s;
        }
        m_codes->addItems(codes);
        m_names->addItems(names);
        m_totals->addItems(totals);
        showCustomer(code, name, code.isEmpty() ? QString() : total.toString()); // where the walk ended
    });
}

void PaymentReminderForm::appendEveryCustomer()
{
    runGuarded(m_app.messages, [&] {
        QSqlQuery customers = m_app.db.exec(u"select c_code, name from customer_data order by c_code"_s);
        QStringList codes, names;
        while (m_app.db.nextRow(customers)) {
            codes << customers.value(0).toString();
            names << customers.value(1).toString();
        }
        m_codes->addItems(codes);
        m_names->addItems(names);
        if (!codes.isEmpty())
            showCustomer(codes.last(), names.last());
    });
}

void PaymentReminderForm::followSelection(QListWidget* clicked)
{
    const int position = clicked->currentRow();
    for (QListWidget* list : {m_codes, m_names, m_totals})
        if (list != clicked && position < list->count())
            list->setCurrentRow(position);
}

void PaymentReminderForm::print()
{
    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    const bool printed = sheet.run([&] {
        // Codes and totals go in as numbers: a total's text is its number followed by "瓶".
        for (int row = 0; row < m_codes->count(); ++row)
            sheet.setCell(firstRow + row, 1, Decimal::fromText(m_codes->item(row)->text()).toDouble());
        for (int row = 0; row < m_names->count(); ++row)
            sheet.setCell(firstRow + row, 2, m_names->item(row)->text());
        for (int row = 0; row < m_totals->count(); ++row)
            sheet.setCell(firstRow + row, 3, Decimal::fromText(m_totals->item(row)->text()).toDouble());
        sheet.fitColumns();
    });
    if (printed)
        closeForm(this);
    else
        showMessage(m_app.messages, ErrorMessageBoxes::Reports::inputError);
}
