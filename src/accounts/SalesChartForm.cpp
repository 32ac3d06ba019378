#include "accounts/SalesChartForm.h"

#include "accounts/CustomerCounts.h"
#include "core/AppContext.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/CellChart.h"
#include "widgets/DataCombo.h"
#include "widgets/DataSourceBar.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/UpDown.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString SalesJob = u"業務"_s;

} // namespace

SalesChartForm::SalesChartForm(AppContext& app, QWidget* parent)
    : YearChartForm(app, u"surface"_s, u"solid"_s,
                    {{ChartTypeOptions::Kind::Bar, u"narrow"_s},
                     {ChartTypeOptions::Kind::Line, u"thread"_s},
                     {ChartTypeOptions::Kind::Area, u"area"_s},
                     {ChartTypeOptions::Kind::Step, u"stairs"_s},
                     {ChartTypeOptions::Kind::Combination, u"combination"_s},
                     {ChartTypeOptions::Kind::XY, u"X,Yspread"_s},
                     {ChartTypeOptions::Kind::Pie, u"circle"_s}},
                    parent),
      m_counts(app.db, this), m_salespeople(app.db, this), m_headcount(app.db, this)
{
    setWindowTitle(u"business chart"_s);
    // The list and the count are one selection, so the overview has a column for each name and no more.
    runGuarded(m_app.messages, [this] {
        AdodcQuery(m_salespeople, u"select name from employees_data where job_leave = ? order by e_code"_s, {SalesJob});
        AdodcQuery(m_headcount, u"select count(e_code) as 業務人數 from employees_data where job_leave = ?"_s,
                   {SalesJob});
    });

    m_picked = named(new DataCombo(this), u"DataCombo1"_s);
    m_picked->setRowSource(&m_salespeople, u"name"_s);
    m_picked->setMinimumContentsLength(8);
    connect(m_picked, &QComboBox::activated, this, [this] { plot(); });
    m_single = named(new QRadioButton(u"single"_s, this), u"個別"_s);
    m_everyone = named(new QRadioButton(u"overview"_s, this), u"全灠"_s);
    // A group of their own: left to the form, the chart's options would count as their neighbours.
    groupOptions({m_single, m_everyone});
    for (QRadioButton* view : {m_single, m_everyone}) {
        connect(view, &QRadioButton::toggled, this, [this](bool on) { if (on) plot(); });
    }

    auto* currentName = named(new QLineEdit(u"業務姓名"_s, this), u"Text3"_s);
    auto* headcount = named(new QLineEdit(u"業務人數"_s, this), u"Text2"_s);
    for (QLineEdit* box : {currentName, headcount})
        box->setReadOnly(true);
    (new Binder(m_salespeople.recordset(), this))->bind(currentName, u"name"_s);
    (new Binder(m_headcount.recordset(), this))->bind(headcount, u"業務人數"_s);

    auto* choices = new QHBoxLayout;
    choices->addWidget(named(new QLabel(u"year"_s, this), u"Label4"_s));
    choices->addWidget(m_yearBox);
    choices->addWidget(m_spinner);
    choices->addWidget(named(new QLabel(u"year"_s, this), u"Label5"_s));
    choices->addSpacing(16);
    choices->addWidget(m_picked);
    choices->addWidget(m_single);
    choices->addWidget(m_everyone);
    choices->addSpacing(16);
    choices->addWidget(currentName);
    choices->addWidget(headcount);
    choices->addStretch();
    layOut(named(new QLabel(u"business people count surface"_s, this), u"Label1"_s), choices);

    auto* bars = new QHBoxLayout;
    const std::pair<DataSource*, QString> sources[] = {
        {&m_counts, u"Adodc1"_s}, {&m_salespeople, u"Adodc2"_s}, {&m_headcount, u"Adodc3"_s}};
    for (const auto& [source, name] : sources) {
        auto* bar = named(new DataSourceBar(*source, this), name);
        bar->setCaption(name);
        bar->setMessageService(&m_app.messages);
        bars->addWidget(bar);
    }
    bars->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(bars);

    showWorkYear();
    m_single->setChecked(true);
}

void SalesChartForm::plot()
{
    if (m_single->isChecked())
        plotOne(m_picked->text());
    else if (m_everyone->isChecked())
        plotEveryone();
}

void SalesChartForm::plotOne(const QString& name)
{
    startMonthRows(1);
    m_chart->setColumnLabel(1, name);
    const std::optional<int> y = year();
    if (!y)
        return;
    fillGuarded([&] {
        setMonthColumn(1, customersEnteredPerMonth(m_counts, *y, name));
    });
}

void SalesChartForm::plotEveryone()
{
    const Recordset& salespeople = m_salespeople.recordset();
    const int nameColumn = salespeople.fieldIndex(u"name"_s);
    startMonthRows(salespeople.recordCount());
    for (int row = 0; row < salespeople.recordCount(); ++row)
        m_chart->setColumnLabel(row + 1, salespeople.valueAt(row, nameColumn).toString());
    const std::optional<int> y = year();
    if (!y)
        return;
    fillGuarded([&] {
        for (int row = 0; row < salespeople.recordCount(); ++row) {
            const QString name = salespeople.valueAt(row, nameColumn).toString();
            setMonthColumn(row + 1, customersEnteredPerMonth(m_counts, *y, name));
        }
    });
}
