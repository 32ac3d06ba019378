#include "stock/GoodsChartForm.h"

#include "core/AppContext.h"
#include "data/Database.h"
#include "data/Decimal.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "widgets/CellChart.h"
#include "widgets/ChartTypeOptions.h"
#include "widgets/DataCombo.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QAbstractAxis>
#include <QChart>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int chartRows = 31;
const QStringList chartColumns{u"today_enter"_s, u"today_exit"_s};

// The first day of the month that a year box and a month box name, read by the number rule; a
// year or month that makes no date (year 0, month 13, an empty box) names none.
std::optional<QDate> firstDayOfMonth(const QString& yearText, const QString& monthText)
{
    const std::optional<int> year = TextRules::wholeNumberIn(yearText, 1, 9999);
    const std::optional<int> month = TextRules::wholeNumberIn(monthText, 1, 12);
    if (!year || !month)
        return std::nullopt;
    return QDate(*year, *month, 1);
}

} // namespace

GoodsChartForm::GoodsChartForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_products(app.db, this)
{
    setObjectName(u"進出貨分析"_s);
    setWindowTitle(u"goods analysis table"_s);

    auto* title = named(new QLabel(u"incomeing & outing chart"_s, this), u"Label6"_s);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_product = named(new DataCombo(this), u"DataCombo1"_s);
    m_product->setMinimumContentsLength(12);
    m_yearText = named(new QLineEdit(u"2001"_s, this), u"text1"_s);
    m_yearText->setMaximumWidth(m_yearText->fontMetrics().horizontalAdvance(u"00000000"_s));
    m_year = named(new UpDown(this), u"UpDown1"_s);
    m_year->setRange(0, 9999);
    m_year->setValue(2001);
    m_month = named(new QComboBox(this), u"Combo1"_s);
    m_month->setEditable(true);
    m_month->setInsertPolicy(QComboBox::NoInsert);
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(QString::number(month));
    m_month->setEditText({});

    m_chart = named(new CellChart(this), u"MSChart1"_s);
    using Kind = ChartTypeOptions::Kind;
    auto* options = new ChartTypeOptions(m_chart, u"surface"_s, u"solid"_s,
                                         {{Kind::Bar, u"narrow"_s},
                                          {Kind::Line, u"thread"_s},
                                          {Kind::Area, u"area"_s},
                                          {Kind::Step, u"stairs"_s},
                                          {Kind::Combination, u"constitute"_s},
                                          {Kind::XY, u"X,Yspread"_s},
                                          {Kind::Pie, u"circle"_s}},
                                         this);

    auto* picks = new QHBoxLayout;
    picks->addWidget(named(new QLabel(u"products name"_s, this), u"Label1"_s));
    picks->addWidget(m_product);
    picks->addSpacing(16);
    picks->addWidget(named(new QLabel(u"year"_s, this), u"Label4"_s));
    picks->addWidget(m_yearText);
    picks->addWidget(m_year);
    picks->addSpacing(16);
    picks->addWidget(named(new QLabel(u"monthly"_s, this), u"Label2"_s));
    picks->addWidget(m_month);
    picks->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, 1, 2, Qt::AlignHCenter);
    layout->addLayout(picks, 1, 0, 1, 2);
    layout->addWidget(m_chart, 2, 0);
    layout->addWidget(options, 2, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);

    // Until a product is picked the chart shows the month's rows, all 0.
    m_chart->showRecords(chartRows, chartColumns, {});
    keepDayLabelsWhole();

    connect(m_year, &UpDown::changed, this, &GoodsChartForm::showYear);
    connect(m_product, &QComboBox::activated, this, &GoodsChartForm::redraw);
    connect(m_month, &QComboBox::activated, this, &GoodsChartForm::redraw);

    runGuarded(m_app.messages, [this] {
        m_products.setQuery(u"select names from products_data order by code"_s);
        m_products.refresh();
    });
    m_product->setRowSource(&m_products, u"names"_s);

    WorkDateAtLoad(m_app);
    m_year->setValue(m_app.values.work_date.year());
    m_month->setEditText(QString::number(m_app.values.work_date.month()));
    options->selectFlat(true);
    options->selectKind(Kind::Line);
    redraw();
}

// A month's 31 day labels stand side by side along the chart's foot; narrower than room for each of
// them and a gap, the chart would cut every one to "...". The chart keeps that width, and the workspace
// scrolls where it has less.
void GoodsChartForm::keepDayLabelsWhole()
{
    const QList<QChart*> charts = m_chart->charts();
    const QList<QAbstractAxis*> foot = charts.isEmpty() ? QList<QAbstractAxis*>() : charts.first()->axes(Qt::Horizontal);
    const QFontMetrics labels(foot.isEmpty() ? m_chart->font() : foot.first()->labelsFont());
    const QFontMetrics values(m_chart->font());
    const int perDay = 2 * labels.horizontalAdvance(u"31"_s);
    const int valueAxisAndMargins = values.horizontalAdvance(u"000000"_s) + 80;
    m_chart->setMinimumWidth(chartRows * perDay + valueAxisAndMargins);
}

// The spinner's year goes into the box first, so the redraw reads it there.
void GoodsChartForm::showYear(int year)
{
    m_yearText->setText(QString::number(year));
    redraw();
}

void GoodsChartForm::redraw()
{
    const QString product = m_product->text();
    if (product.isEmpty())
        return;
    m_chart->showRecords(chartRows, chartColumns, movementsOfMonth(product));
}

// The product's movements in the month of the year and month boxes, day by day: row r holds what the
// goods entry recorded for day r (`date_d`), the day's entries added up, and 0 for a day without one.
// None when the boxes name no month or the database refuses the query.
QList<QVariantList> GoodsChartForm::movementsOfMonth(const QString& product)
{
    const std::optional<QDate> firstDay = firstDayOfMonth(m_yearText->text(), m_month->currentText());
    if (!firstDay)
        return {};
    QList<std::array<Decimal, 2>> days(firstDay->daysInMonth());
    bool read = false;
    runGuarded(m_app.messages, [&] {
        QSqlQuery rows = m_app.db.exec(
            u"select pass_goods.date_d, pass_goods.today_enter, pass_goods.today_exit from pass_goods "
            "join products_data on products_data.code = pass_goods.code "
            "where products_data.names = ? and pass_goods.date_d >= ? and pass_goods.date_d <= ?"_s,
            // Up to the month's last day: after 9999/12 there is no first day of a next month.
            {product, *firstDay, firstDay->addDays(firstDay->daysInMonth() - 1)});
        while (m_app.db.nextRow(rows)) {
            std::array<Decimal, 2>& day = days[rows.value(0).toDate().day() - 1];
            day[0] += Decimal::fromVariant(rows.value(1));
            day[1] += Decimal::fromVariant(rows.value(2));
        }
        read = true;
    });
    QList<QVariantList> movements;
    if (!read)
        return movements;
    for (const std::array<Decimal, 2>& day : std::as_const(days))
        movements << QVariantList{day[0].toDouble(), day[1].toDouble()};
    return movements;
}
