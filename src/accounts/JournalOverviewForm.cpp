#include "accounts/JournalOverviewForm.h"

#include "widgets/DatePicker.h"
#include "accounts/InOutWords.h"
#include "core/AppContext.h"
#include "core/MessageService.h"
#include "data/DataError.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/DataSourceBar.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString DateView = u"date_d_view"_s;
const QString AllDaysView = u"account_view"_s;

// The direction's condition on its own, or none for both directions: the same for the rows and the total.
std::pair<QString, QVariantList> directionCondition(const QRadioButton* expense, const QRadioButton* income)
{
    if (expense->isChecked())
        return {u"in_out = ?"_s, {InOutWords::Expense}};
    if (income->isChecked())
        return {u"in_out = ?"_s, {InOutWords::Income}};
    return {};
}

} // namespace

JournalOverviewForm::JournalOverviewForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(app.db, this), m_total(app.db, this)
{
    setWindowTitle(u"turnover careful all view"_s);
    createControls();
    layOutControls();
    // The working date as the last form left it; this form does not set it. Choosing the first
    // direction runs the date view, as the load asks.
    m_from->setDate(m_app.values.work_date);
    m_to->setDate(m_app.values.work_date);
    m_both->setChecked(true);
}

void JournalOverviewForm::createControls()
{
    m_from = makeDatePicker(this, u"DTPicker1"_s, {});
    m_to = makeDatePicker(this, u"DTPicker2"_s, {});
    m_both = named(new QRadioButton(u"income expense"_s, this), u"Option1"_s);
    m_expense = named(new QRadioButton(u"expense"_s, this), u"Option2"_s);
    m_income = named(new QRadioButton(u"income"_s, this), u"Option3"_s);
    groupOptions({m_both, m_expense, m_income});
    m_totalBox = named(new QLineEdit(this), u"text1"_s);
    m_totalBox->setReadOnly(true);
    (new Binder(m_total.recordset(), this))->bind(m_totalBox, u"總金額"_s);
    m_viewName = named(new QLabel(u"turnover careful all view"_s, this), u"Label3"_s);
    m_direction = named(new QLabel(u"expense+income"_s, this), u"Label4"_s);

    connect(m_both, &QRadioButton::toggled, this, [this](bool on) { if (on) directionChosen(u"in+out"_s); });
    connect(m_expense, &QRadioButton::toggled, this, [this](bool on) { if (on) directionChosen(u"out"_s); });
    connect(m_income, &QRadioButton::toggled, this, [this](bool on) { if (on) directionChosen(u"income"_s); });
}

void JournalOverviewForm::layOutControls()
{
    auto* rangeView = named(new QPushButton(u"date view"_s, this), u"日期全灠"_s);
    auto* allDaysView = named(new QPushButton(u"view"_s, this), u"全灠"_s);
    connect(rangeView, &QPushButton::clicked, this, &JournalOverviewForm::showRange);
    connect(allDaysView, &QPushButton::clicked, this, &JournalOverviewForm::showAllDays);

    auto* grid = readOnlyGrid(&m_app.messages, m_rows, this);
    grid->setCaption(u"turnover careful all view"_s);
    auto* totalBar = named(new DataSourceBar(m_total, this), u"Adodc2"_s);
    totalBar->setCaption(u"Adodc2"_s);
    totalBar->setMessageService(&m_app.messages);

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_from);
    choices->addWidget(named(new QLabel(u"to"_s, this), u"Label1"_s));
    choices->addWidget(m_to);
    choices->addSpacing(16);
    choices->addWidget(m_both);
    choices->addWidget(m_expense);
    choices->addWidget(m_income);
    choices->addStretch();
    choices->addWidget(rangeView);
    choices->addWidget(allDaysView);

    auto* totals = new QHBoxLayout;
    totals->addWidget(named(new QLabel(u"sum"_s, this), u"Label2"_s));
    totals->addWidget(m_totalBox);
    totals->addSpacing(16);
    totals->addWidget(m_viewName);
    totals->addSpacing(16);
    totals->addWidget(m_direction);
    totals->addStretch();
    totals->addWidget(totalBar);
    totals->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(grid, 1);
    layout->addLayout(totals);
}

void JournalOverviewForm::showRange()
{
    QString where = u"date_d >= ? and date_d <= ?"_s;
    QVariantList values = {m_from->date(), m_to->date()};
    const auto [direction, word] = directionCondition(m_expense, m_income);
    if (!direction.isEmpty()) {
        where += u" and "_s + direction;
        values += word;
    }
    showView(where, values, DateView);
}

void JournalOverviewForm::showAllDays()
{
    const auto [direction, word] = directionCondition(m_expense, m_income);
    showView(direction, word, AllDaysView);
}

void JournalOverviewForm::showView(const QString& where, const QVariantList& values, const QString& viewName)
{
    const QString condition = where.isEmpty() ? QString() : u" where "_s + where;
    try {
        AdodcQuery(m_rows, u"select %1 from account_table"_s.arg(InOutWords::JournalColumns) + condition + u" order by serial"_s,
                   values);
        AdodcQuery(m_total, u"select sum(expense) as 總金額 from account_table"_s + condition, values);
    } catch (const DataError& error) {
        m_app.messages.reportFailure(error.message());
        return;
    }
    m_viewName->setText(viewName);
}

void JournalOverviewForm::directionChosen(const QString& name)
{
    m_direction->setText(name);
    m_viewName->text() == AllDaysView ? showAllDays() : showRange();
}
