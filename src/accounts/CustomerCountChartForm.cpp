#include "accounts/CustomerCountChartForm.h"

#include "accounts/CustomerCounts.h"
#include "core/AppContext.h"
#include "widgets/CellChart.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

CustomerCountChartForm::CustomerCountChartForm(AppContext& app, QWidget* parent)
    : YearChartForm(app, u"flat"_s, u"solid"_s,
                    {{ChartTypeOptions::Kind::Line, u"clue"_s},
                     {ChartTypeOptions::Kind::Bar, u"narrow"_s},
                     {ChartTypeOptions::Kind::Area, u"area"_s},
                     {ChartTypeOptions::Kind::Step, u"stairway"_s},
                     {ChartTypeOptions::Kind::Combination, u"compose"_s},
                     {ChartTypeOptions::Kind::Pie, u"circle"_s},
                     {ChartTypeOptions::Kind::XY, u"X,Ydrawing"_s}},
                    parent),
      m_customers(app.db, this)
{
    setWindowTitle(u"customer amount chart"_s);
    auto* choices = new QHBoxLayout;
    choices->addWidget(named(new QLabel(u"date"_s, this), u"Label4"_s));
    choices->addWidget(m_yearBox);
    choices->addWidget(m_spinner);
    choices->addWidget(named(new QLabel(u"year"_s, this), u"Label5"_s));
    choices->addStretch();
    layOut(named(new QLabel(u"month customer count chart"_s, this), u"Label1"_s), choices);

    showWorkYear();
    plot();
}

void CustomerCountChartForm::plot()
{
    startMonthRows(1);
    m_chart->setColumnLabel(1, u"當月人數"_s);
    const std::optional<int> y = year();
    if (!y)
        return;
    fillGuarded([&] {
        setMonthColumn(1, customersEnteredPerMonth(m_customers, *y));
    });
}
