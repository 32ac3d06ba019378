#include "accounts/YearChartForm.h"

#include "core/AppContext.h"
#include "core/MessageService.h"
#include "data/DataError.h"
#include "data/TextRules.h"
#include "widgets/CellChart.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

YearChartForm::YearChartForm(AppContext& app, const QString& flatCaption, const QString& solidCaption,
                             const QList<ChartTypeOptions::KindCaption>& kinds, QWidget* parent)
    : QWidget(parent), m_app(app)
{
    WorkDateAtLoad(m_app);
    m_yearBox = named(new QLineEdit(u"2001"_s, this), u"text1"_s);
    m_yearBox->setMaximumWidth(70);
    m_spinner = named(new UpDown(this), u"UpDown1"_s);
    m_spinner->setRange(0, 9999);
    m_spinner->setValue(2001);
    m_chart = named(new CellChart(this), u"MSChart1"_s);
    m_options = new ChartTypeOptions(m_chart, flatCaption, solidCaption, kinds, this);
    connect(m_spinner, &UpDown::changed, this, [this](int value) {
        m_yearBox->setText(QString::number(value));
        plot();
    });
}

void YearChartForm::showWorkYear()
{
    m_spinner->setValue(m_app.values.work_date.year());
    m_options->selectFlat(true);
    m_options->selectKind(ChartTypeOptions::Kind::Line);
}

void YearChartForm::layOut(QLabel* title, QHBoxLayout* choices)
{
    auto* chartLine = new QHBoxLayout;
    chartLine->addWidget(m_chart, 1);
    chartLine->addWidget(m_options);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(choices);
    layout->addLayout(chartLine, 1);
}

std::optional<int> YearChartForm::year() const
{
    return TextRules::wholeNumberIn(m_yearBox->text(), 1, 9999);
}

void YearChartForm::startMonthRows(int columns)
{
    m_chart->setRowCount(12);
    m_chart->setColumnCount(columns);
    for (int month = 1; month <= 12; ++month)
        m_chart->setRowLabel(month, u"%1月"_s.arg(month));
    m_chart->clearData();
}

void YearChartForm::setMonthColumn(int column, const std::array<int, 12>& figures)
{
    for (int month = 1; month <= 12; ++month)
        m_chart->setData(month, column, figures[month - 1]);
}

void YearChartForm::fillGuarded(const std::function<void()>& fill)
{
    try {
        fill();
    } catch (const DataError& error) {
        m_chart->clearData();
        m_app.messages.reportFailure(error.message());
    }
}
