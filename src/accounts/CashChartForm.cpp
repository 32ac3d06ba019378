#include "accounts/CashChartForm.h"

#include "core/AppContext.h"
#include "data/TextRules.h"
#include "widgets/CellChart.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rows = 31;

} // namespace

CashChartForm::CashChartForm(AppContext& app, QWidget* parent)
    : YearChartForm(app, u"surface"_s, u"solid"_s,
                    {{ChartTypeOptions::Kind::Line, u"break"_s},
                     {ChartTypeOptions::Kind::Bar, u"narrow"_s},
                     {ChartTypeOptions::Kind::Area, u"area"_s},
                     {ChartTypeOptions::Kind::Step, u"stairway"_s},
                     {ChartTypeOptions::Kind::Combination, u"compose"_s},
                     {ChartTypeOptions::Kind::Pie, u"circle"_s},
                     {ChartTypeOptions::Kind::XY, u"X,Ydiffuse"_s}},
                    parent),
      m_postings(app.db, this)
{
    setWindowTitle(u"流水帳圖表"_s);
    m_monthBox = named(new QComboBox(this), u"Combo1"_s);
    m_monthBox->setEditable(true);
    m_monthBox->setInsertPolicy(QComboBox::NoInsert);
    for (int month = 1; month <= 12; ++month)
        m_monthBox->addItem(QString::number(month));
    connect(m_monthBox, &QComboBox::activated, this, [this] {
        if (!m_monthBox->currentText().isEmpty())
            plot();
    });

    auto* choices = new QHBoxLayout;
    choices->addWidget(named(new QLabel(u"date"_s, this), u"Label4"_s));
    choices->addWidget(m_yearBox);
    choices->addWidget(m_spinner);
    choices->addWidget(named(new QLabel(u"year"_s, this), u"Label5"_s));
    choices->addSpacing(16);
    choices->addWidget(named(new QLabel(u"monthly"_s, this), u"Label2"_s));
    choices->addWidget(m_monthBox);
    choices->addWidget(named(new QLabel(u"month"_s, this), u"Label3"_s));
    choices->addStretch();
    layOut(named(new QLabel(u"turnover account chart"_s, this), u"Label1"_s), choices);

    m_monthBox->setCurrentText(QString::number(m_app.values.work_date.month()));
    showWorkYear();
    plot();
}

// Row i is the i-th posting of the month, not day i; a posting without an amount plots 0.
void CashChartForm::plot()
{
    const QStringList columns = {u"當日原有金額"_s, u"當日現有金額"_s};
    m_chart->showRecords(Rows, columns, {});
    const std::optional<int> y = year();
    const std::optional<int> m = TextRules::wholeNumberIn(m_monthBox->currentText(), 1, 12);
    if (!y || !m)
        return;
    fillGuarded([&] {
        const QDate first(*y, *m, 1);
        AdodcQuery(m_postings,
                   u"select original_m, now_m from account where date_d >= ? and date_d <= ? order by date_d, serial"_s,
                   {first, QDate(*y, *m, first.daysInMonth())});
        const Recordset& postings = m_postings.recordset();
        QList<QVariantList> records;
        for (int row = 0; row < postings.recordCount(); ++row)
            records.push_back({postings.valueAt(row, 0), postings.valueAt(row, 1)});
        m_chart->showRecords(Rows, columns, records);
    });
}
