#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QChart;
class QChartView;
class QHBoxLayout;

// The chart of the chart windows: a table of cells, `rowCount` rows by `columnCount` columns, each
// row and column with a label, each cell with a number, drawn in one of the chart types below.
// Rows and columns count from 1. A form fills the cells and labels one by one; the drawing is
// rebuilt once, after the form is done, not for every cell.
class CellChart : public QWidget {
    Q_OBJECT
public:
    // The chart-type numbers the chart windows know. The solid (three-dimensional) kinds are drawn
    // as their flat kind with a look of depth: gradient fills and wide lines.
    enum ChartType {
        SolidBar = 0,
        Bar = 1,
        SolidLine = 2,
        Line = 3,
        SolidArea = 4,
        Area = 5,
        SolidStep = 6,
        Step = 7,
        SolidCombination = 8,
        Combination = 9,
        Pie = 14,
        XY = 16,
    };

    explicit CellChart(QWidget* parent = nullptr);

    int chartType() const { return m_chartType; }
    void setChartType(int type);

    // A changed count keeps the cells and labels that still fit; new cells hold 0 and new rows and
    // columns are labelled with their number.
    int rowCount() const { return int(m_rowLabels.size()); }
    void setRowCount(int rows);
    int columnCount() const { return int(m_columnLabels.size()); }
    void setColumnCount(int columns);

    QString rowLabel(int row) const;
    void setRowLabel(int row, const QString& label);
    QString columnLabel(int column) const;
    void setColumnLabel(int column, const QString& label);

    // A cell's number: a number as it is, a text as the number it begins with, empty or null as 0.
    double data(int row, int column) const;
    void setData(int row, int column, const QVariant& value);

    // Every cell back to 0, the labels and counts kept.
    void clearData();

    // A listing in `rows` rows labelled "1", "2", ...: row r holds the r-th of `records` (one value per
    // column, in the order of `columnLabels`), 0 where the records have ended; records past the last row
    // are not shown.
    void showRecords(int rows, const QStringList& columnLabels, const QList<QVariantList>& records);

    QSize sizeHint() const override;

    // The drawn charts: one, or one per column for a pie. Pending changes are drawn first.
    QList<QChart*> charts();

private:
    void scheduleRebuild();
    void rebuild();
    bool hasCell(int row, int column) const;
    qsizetype cellIndex(int row, int column) const { return qsizetype(row - 1) * columnCount() + (column - 1); }
    void resize(int rows, int columns);
    void relabel(QStringList& labels, int number, const QString& label);
    QChartView* addView(QChart* chart);
    QChart* buildAxesChart();
    QList<QChart*> buildPies();

    int m_chartType = Line;
    QStringList m_rowLabels;
    QStringList m_columnLabels;
    QList<double> m_values; // row by row
    bool m_rebuildPending = false;
    QHBoxLayout* m_views;
};
