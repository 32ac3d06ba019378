#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class CellChart;
class QRadioButton;

// The option buttons beside a chart: a framed pair choosing flat or solid drawing (`平面圖`,
// `立體圖`) and a framed group of seven chart kinds. Clicking a kind, also the one already
// selected, or selecting it by code sets the chart's type from the kind and the dimension of that
// moment; choosing a dimension alone changes nothing until the next kind is chosen.
class ChartTypeOptions : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Bar, Line, Area, Step, Combination, XY, Pie };

    // A kind option and its caption on one window; the options stand in the order given.
    struct KindCaption {
        Kind kind;
        QString caption;
    };

    ChartTypeOptions(CellChart* chart, const QString& flatCaption, const QString& solidCaption,
                     const QList<KindCaption>& kinds, QWidget* parent = nullptr);

    // The chart-type number of a kind drawn flat or solid; XY and pie are always flat.
    static int chartType(Kind kind, bool flat);

    // As a window's load does: select the dimension, then the kind.
    void selectFlat(bool flat);
    void selectKind(Kind kind);

private:
    QRadioButton* kindOption(Kind kind) const;
    void apply(Kind kind);

    CellChart* m_chart;
    QRadioButton* m_flat;
    QRadioButton* m_solid;
};
