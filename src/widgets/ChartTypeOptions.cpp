#include "widgets/ChartTypeOptions.h"

#include "widgets/CellChart.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString optionName(ChartTypeOptions::Kind kind)
{
    switch (kind) {
    case ChartTypeOptions::Kind::Bar:
        return u"直條圖"_s;
    case ChartTypeOptions::Kind::Line:
        return u"折線圖"_s;
    case ChartTypeOptions::Kind::Area:
        return u"區域圖"_s;
    case ChartTypeOptions::Kind::Step:
        return u"階梯圖"_s;
    case ChartTypeOptions::Kind::Combination:
        return u"組合圖"_s;
    case ChartTypeOptions::Kind::XY:
        return u"XY散佈圖"_s;
    case ChartTypeOptions::Kind::Pie:
        return u"圓形圖"_s;
    }
    return {};
}

} // namespace

ChartTypeOptions::ChartTypeOptions(CellChart* chart, const QString& flatCaption, const QString& solidCaption,
                                   const QList<KindCaption>& kinds, QWidget* parent)
    : QWidget(parent), m_chart(chart)
{
    // Each group in a frame of its own, so one option of each is set at a time.
    auto* dimension = new QGroupBox(this);
    auto* dimensionColumn = new QVBoxLayout(dimension);
    m_flat = named(new QRadioButton(flatCaption, dimension), u"平面圖"_s);
    m_solid = named(new QRadioButton(solidCaption, dimension), u"立體圖"_s);
    groupOptions({m_flat, m_solid});
    dimensionColumn->addWidget(m_flat);
    dimensionColumn->addWidget(m_solid);

    auto* kindGroup = new QGroupBox(this);
    auto* kindColumn = new QVBoxLayout(kindGroup);
    for (const KindCaption& option : kinds) {
        auto* button = named(new QRadioButton(option.caption, kindGroup), optionName(option.kind));
        kindColumn->addWidget(button);
        const Kind kind = option.kind;
        // A click on the option already set still applies it: the dimension may have changed since.
        connect(button, &QRadioButton::clicked, this, [this, kind] { apply(kind); });
        connect(button, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                apply(kind);
        });
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(dimension);
    column->addWidget(kindGroup);
    column->addStretch();
}

int ChartTypeOptions::chartType(Kind kind, bool flat)
{
    switch (kind) {
    case Kind::Bar:
        return flat ? CellChart::Bar : CellChart::SolidBar;
    case Kind::Line:
        return flat ? CellChart::Line : CellChart::SolidLine;
    case Kind::Area:
        return flat ? CellChart::Area : CellChart::SolidArea;
    case Kind::Step:
        return flat ? CellChart::Step : CellChart::SolidStep;
    case Kind::Combination:
        return flat ? CellChart::Combination : CellChart::SolidCombination;
    case Kind::XY:
        return CellChart::XY;
    case Kind::Pie:
        return CellChart::Pie;
    }
    return CellChart::Line;
}

void ChartTypeOptions::selectFlat(bool flat)
{
    (flat ? m_flat : m_solid)->setChecked(true);
}

void ChartTypeOptions::selectKind(Kind kind)
{
    QRadioButton* option = kindOption(kind);
    if (option->isChecked())
        apply(kind);
    else
        option->setChecked(true);
}

QRadioButton* ChartTypeOptions::kindOption(Kind kind) const
{
    return findChild<QRadioButton*>(optionName(kind));
}

void ChartTypeOptions::apply(Kind kind)
{
    m_chart->setChartType(chartType(kind, m_flat->isChecked()));
}
