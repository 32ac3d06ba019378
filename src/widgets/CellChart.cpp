#include "widgets/CellChart.h"

#include "data/TextRules.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPieSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isSolid(int type)
{
    return type <= CellChart::SolidCombination && type % 2 == 0;
}

// The flat kind a solid type is drawn as; the flat, pie and XY types are their own.
int flatKind(int type)
{
    return isSolid(type) ? type + 1 : type;
}

// The look of depth of the solid kinds: a fill running from the series colour to a darker shade
// across each bar, or down each area.
QBrush depthBrush(const QColor& color, Qt::Orientation across)
{
    QLinearGradient gradient(0, 0, across == Qt::Horizontal ? 1 : 0, across == Qt::Vertical ? 1 : 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, color.lighter(150));
    gradient.setColorAt(1, color.darker(250));
    return gradient;
}

constexpr int solidLineWidth = 5;
constexpr int crowdedRows = 12;

} // namespace

CellChart::CellChart(QWidget* parent) : QWidget(parent), m_views(new QHBoxLayout(this))
{
    m_views->setContentsMargins(0, 0, 0, 0);
    m_views->setSpacing(0);
    scheduleRebuild();
}

void CellChart::setChartType(int type)
{
    if (type == m_chartType)
        return;
    m_chartType = type;
    scheduleRebuild();
}

void CellChart::setRowCount(int rows)
{
    resize(rows, columnCount());
}

void CellChart::setColumnCount(int columns)
{
    resize(rowCount(), columns);
}

void CellChart::resize(int rows, int columns)
{
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    if (rows == rowCount() && columns == columnCount())
        return;
    QList<double> values(qsizetype(rows) * columns, 0.0);
    for (int row = 1; row <= std::min(rows, rowCount()); ++row) {
        for (int column = 1; column <= std::min(columns, columnCount()); ++column)
            values[qsizetype(row - 1) * columns + (column - 1)] = data(row, column);
    }
    m_values = values;
    m_rowLabels.resize(std::min<qsizetype>(rows, m_rowLabels.size()));
    while (m_rowLabels.size() < rows)
        m_rowLabels << QString::number(m_rowLabels.size() + 1);
    m_columnLabels.resize(std::min<qsizetype>(columns, m_columnLabels.size()));
    while (m_columnLabels.size() < columns)
        m_columnLabels << QString::number(m_columnLabels.size() + 1);
    scheduleRebuild();
}

QString CellChart::rowLabel(int row) const
{
    return m_rowLabels.value(row - 1);
}

void CellChart::setRowLabel(int row, const QString& label)
{
    relabel(m_rowLabels, row, label);
}

QString CellChart::columnLabel(int column) const
{
    return m_columnLabels.value(column - 1);
}

void CellChart::setColumnLabel(int column, const QString& label)
{
    relabel(m_columnLabels, column, label);
}

void CellChart::relabel(QStringList& labels, int number, const QString& label)
{
    if (number < 1 || number > labels.size() || labels.at(number - 1) == label)
        return;
    labels[number - 1] = label;
    scheduleRebuild();
}

bool CellChart::hasCell(int row, int column) const
{
    return row >= 1 && row <= rowCount() && column >= 1 && column <= columnCount();
}

double CellChart::data(int row, int column) const
{
    return hasCell(row, column) ? m_values.at(cellIndex(row, column)) : 0.0;
}

void CellChart::setData(int row, int column, const QVariant& value)
{
    if (!hasCell(row, column))
        return;
    double number = 0.0;
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        number = TextRules::numberFromText(value.toString());
    else if (!value.isNull())
        number = value.toDouble();
    double& cell = m_values[cellIndex(row, column)];
    if (cell == number)
        return;
    cell = number;
    scheduleRebuild();
}

void CellChart::clearData()
{
    if (std::ranges::all_of(m_values, [](double value) { return value == 0.0; }))
        return;
    m_values.fill(0.0);
    scheduleRebuild();
}

void CellChart::showRecords(int rows, const QStringList& columnLabels, const QList<QVariantList>& records)
{
    setRowCount(rows);
    setColumnCount(int(columnLabels.size()));
    for (int column = 1; column <= columnCount(); ++column)
        setColumnLabel(column, columnLabels.at(column - 1));
    for (int row = 1; row <= rows; ++row) {
        setRowLabel(row, QString::number(row));
        const QVariantList record = row <= records.size() ? records.at(row - 1) : QVariantList();
        for (int column = 1; column <= columnCount(); ++column)
            setData(row, column, record.value(column - 1));
    }
}

QSize CellChart::sizeHint() const
{
    // Wide enough for a month's 31 row labels side by side.
    return {760, 420};
}

QList<QChart*> CellChart::charts()
{
    if (m_rebuildPending)
        rebuild();
    QList<QChart*> shown;
    for (int i = 0; i < m_views->count(); ++i)
        shown << static_cast<QChartView*>(m_views->itemAt(i)->widget())->chart();
    return shown;
}

void CellChart::scheduleRebuild()
{
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    // Everything a form changes in one go lands before the event loop turns, and is drawn once.
    QMetaObject::invokeMethod(this, [this] {
        if (m_rebuildPending)
            rebuild();
    }, Qt::QueuedConnection);
}

void CellChart::rebuild()
{
    m_rebuildPending = false;
    while (QLayoutItem* item = m_views->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (m_chartType == Pie) {
        for (QChart* pie : buildPies())
            addView(pie);
    } else {
        addView(buildAxesChart());
    }
}

QChartView* CellChart::addView(QChart* chart)
{
    // The plot gets the room the frame would take; a month's rows need every pixel of it.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    m_views->addWidget(view, 1);
    return view;
}

QChart* CellChart::buildAxesChart()
{
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    const bool solid = isSolid(m_chartType);
    const int kind = flatKind(m_chartType);

    double low = 0.0;
    double high = 0.0;
    for (double value : std::as_const(m_values)) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high : low + 1);
    values->applyNiceNumbers();
    values->setLabelFormat(u"%.10g"_s);
    chart->addAxis(values, Qt::AlignLeft);

    QAbstractAxis* rows = nullptr;
    if (kind == XY) {
        auto* numbers = new QValueAxis;
        numbers->setRange(0, rowCount() + 1);
        numbers->setLabelFormat(u"%d"_s);
        rows = numbers;
    } else {
        auto* categories = new QBarCategoryAxis;
        categories->append(m_rowLabels);
        // A month's 31 labels only fit side by side in a smaller print.
        if (rowCount() > crowdedRows) {
            QFont small = categories->labelsFont();
            small.setPointSizeF(small.pointSizeF() * 0.75);
            categories->setLabelsFont(small);
        }
        rows = categories;
    }
    chart->addAxis(rows, Qt::AlignBottom);

    auto attach = [&](QAbstractSeries* series) {
        chart->addSeries(series);
        series->attachAxis(rows);
        series->attachAxis(values);
    };
    auto line = [&](int column, const QString& name) {
        QXYSeries* series = kind == XY ? static_cast<QXYSeries*>(new QScatterSeries) : new QLineSeries;
        series->setName(name);
        for (int row = 1; row <= rowCount(); ++row) {
            const double value = data(row, column);
            if (kind == XY) {
                series->append(row, value);
            } else if (kind == Step) {
                // Flat across the row's category, stepping where the next one begins.
                series->append(row - 1.5, value);
                series->append(row - 0.5, value);
            } else {
                series->append(row - 1, value);
            }
        }
        return series;
    };

    const int firstLineColumn = kind == Bar ? columnCount() + 1 : kind == Combination ? 2 : 1;
    if (kind == Bar || kind == Combination) {
        auto* bars = new QBarSeries;
        bars->setBarWidth(0.8);
        for (int column = 1; column < firstLineColumn; ++column) {
            auto* set = new QBarSet(columnLabel(column));
            for (int row = 1; row <= rowCount(); ++row)
                set->append(data(row, column));
            bars->append(set);
        }
        attach(bars);
        if (solid) {
            for (QBarSet* set : bars->barSets())
                set->setBrush(depthBrush(set->color(), Qt::Horizontal));
        }
    }
    for (int column = firstLineColumn; column <= columnCount(); ++column) {
        QXYSeries* series = line(column, columnLabel(column));
        if (kind == Area) {
            auto* base = new QLineSeries;
            for (const QPointF& point : series->points())
                base->append(point.x(), 0);
            auto* area = new QAreaSeries(static_cast<QLineSeries*>(series), base);
            // An area series leaves its two lines to whoever made them: they go with the area.
            series->setParent(area);
            base->setParent(area);
            area->setName(series->name());
            attach(area);
            const QColor themeColor = area->color();
            // Half-transparent, so an area behind another still shows.
            QColor fill = themeColor;
            fill.setAlphaF(0.5);
            area->setBrush(solid ? depthBrush(fill, Qt::Vertical) : QBrush(fill));
            QPen border = area->pen();
            border.setColor(themeColor.darker(130));
            area->setPen(border);
        } else {
            attach(series);
            if (solid && kind != XY) {
                QPen pen = series->pen();
                pen.setWidth(solidLineWidth);
                series->setPen(pen);
            }
        }
    }
    return chart;
}

QList<QChart*> CellChart::buildPies()
{
    QList<QChart*> pies;
    for (int column = 1; column <= columnCount(); ++column) {
        auto* chart = new QChart;
        chart->setTitle(columnLabel(column));
        // A month's slices are too many for a legend: each carries its row's label instead.
        chart->legend()->hide();
        auto* series = new QPieSeries;
        // Only the rows with a share make a slice; a pie has no room for a negative one either.
        for (int row = 1; row <= rowCount(); ++row) {
            if (data(row, column) > 0)
                series->append(rowLabel(row), data(row, column));
        }
        series->setLabelsVisible(true);
        chart->addSeries(series);
        pies << chart;
    }
    return pies;
}
