#pragma once

#include "widgets/ChartTypeOptions.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

struct AppContext;
class CellChart;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class UpDown;

// A chart window of one year: the year box `text1` with its spinner `UpDown1`, the chart `MSChart1`
// and its type options. A move of the spinner writes its year into the box and plots; a year typed
// into the box plots nothing and is read by the next plot started otherwise. Each window fills the
// whole chart in one plot; a query the database refuses is reported and leaves every cell 0, never
// another selection's figures. The windows only read.
class YearChartForm : public QWidget {
    Q_OBJECT
protected:
    YearChartForm(AppContext& app, const QString& flatCaption, const QString& solidCaption,
                  const QList<ChartTypeOptions::KindCaption>& kinds, QWidget* parent);

    virtual void plot() = 0;

    // The load's last steps: the working date's year in the spinner, which plots; then flat lines.
    void showWorkYear();
    // The title above, the line of choices, then the chart with its options beside it.
    void layOut(QLabel* title, QHBoxLayout* choices);

    // The year in the box; nothing where that is no year from 1 to 9999.
    std::optional<int> year() const;
    // Rows labelled "1月" to "12月", `columns` columns, every cell 0.
    void startMonthRows(int columns);
    // One column of the month rows: January's figure first.
    void setMonthColumn(int column, const std::array<int, 12>& figures);
    // Runs the queries that fill the cells; a refusal is reported and leaves every cell 0.
    void fillGuarded(const std::function<void()>& fill);

    AppContext& m_app;
    QLineEdit* m_yearBox;
    UpDown* m_spinner;
    CellChart* m_chart;
    ChartTypeOptions* m_options;
};
