#include "widgets/CellChart.h"
#include "widgets/ChartTypeOptions.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QPieSeries>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using Kind = ChartTypeOptions::Kind;

// What a drawn series shows: its kind, the numbers of each bar set or line, and whether it has the
// look of depth (a gradient fill or a wide line).
struct Drawn {
    QList<QAbstractSeries::SeriesType> kinds;
    QList<QList<double>> values;
    QList<bool> depth;
};

QList<double> yValues(const QXYSeries* series)
{
    QList<double> values;
    for (const QPointF& point : series->points())
        values << point.y();
    return values;
}

Drawn drawn(QChart* chart)
{
    Drawn result;
    for (QAbstractSeries* series : chart->series()) {
        result.kinds << series->type();
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets()) {
                QList<double> values;
                for (int i = 0; i < set->count(); ++i)
                    values << set->at(i);
                result.values << values;
                result.depth << (set->brush().gradient() != nullptr);
            }
        } else if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            result.values << yValues(area->upperSeries());
            result.depth << (area->brush().gradient() != nullptr);
        } else if (auto* line = qobject_cast<QXYSeries*>(series)) {
            result.values << yValues(line);
            result.depth << (line->pen().width() == 5);
        }
    }
    return result;
}

class CellChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.setRowCount(3);
        chart.setColumnCount(2);
        for (int row = 1; row <= 3; ++row)
            chart.setRowLabel(row, QString(QChar(u'a' + row - 1)));
        chart.setColumnLabel(1, u"in"_s);
        chart.setColumnLabel(2, u"out"_s);
        // Numbers, texts read as the number they begin with, and empty or null cells as 0.
        chart.setData(1, 1, 3);
        chart.setData(2, 1, u"12abc"_s);
        chart.setData(3, 1, QVariant());
        chart.setData(1, 2, u""_s);
        chart.setData(2, 2, 5.5);
        chart.setData(3, 2, u"7"_s);
    }

    CellChart chart;
};

TEST_F(CellChartTest, KeepsEachCellAsANumber)
{
    EXPECT_EQ(chart.data(2, 1), 12);
    EXPECT_EQ(chart.data(3, 1), 0);
    EXPECT_EQ(chart.data(1, 2), 0);
    EXPECT_EQ(chart.data(3, 2), 7);
    chart.setRowCount(4);
    EXPECT_EQ(chart.data(2, 1), 12) << "a longer chart keeps its cells";
    EXPECT_EQ(chart.rowLabel(4), u"4"_s);
}

TEST_F(CellChartTest, ShowsRecordsRowByRowAndZerosPastTheirEnd)
{
    chart.showRecords(3, {u"enter"_s, u"exit"_s, u"left"_s}, {{4, u"2"_s, 9}, {QVariant(), 6, 1}});
    EXPECT_EQ(chart.columnLabel(3), u"left"_s);
    EXPECT_EQ(chart.rowLabel(3), u"3"_s);
    QList<double> cells;
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 3; ++column)
            cells << chart.data(row, column);
    }
    EXPECT_EQ(cells, (QList<double>{4, 2, 9, 0, 6, 1, 0, 0, 0}));

    chart.showRecords(1, {u"enter"_s}, {{7}, {8}});
    EXPECT_EQ(chart.rowCount(), 1);
    EXPECT_EQ(chart.data(1, 1), 7) << "records past the last row are not shown";
}

TEST_F(CellChartTest, DrawsEachTypeWithTheCellsValues)
{
    using T = QAbstractSeries::SeriesType;
    const QList<double> in{3, 12, 0};
    const QList<double> out{0, 5.5, 7};
    const QList<double> inSteps{3, 3, 12, 12, 0, 0};
    const QList<double> outSteps{0, 0, 5.5, 5.5, 7, 7};
    struct Case {
        int type;
        QList<T> kinds;
        QList<QList<double>> values;
        bool depth;
    };
    const QList<Case> cases{
        {1, {T::SeriesTypeBar}, {in, out}, false},
        {0, {T::SeriesTypeBar}, {in, out}, true},
        {3, {T::SeriesTypeLine, T::SeriesTypeLine}, {in, out}, false},
        {2, {T::SeriesTypeLine, T::SeriesTypeLine}, {in, out}, true},
        {5, {T::SeriesTypeArea, T::SeriesTypeArea}, {in, out}, false},
        {4, {T::SeriesTypeArea, T::SeriesTypeArea}, {in, out}, true},
        {7, {T::SeriesTypeLine, T::SeriesTypeLine}, {inSteps, outSteps}, false},
        {6, {T::SeriesTypeLine, T::SeriesTypeLine}, {inSteps, outSteps}, true},
        {9, {T::SeriesTypeBar, T::SeriesTypeLine}, {in, out}, false},
        {8, {T::SeriesTypeBar, T::SeriesTypeLine}, {in, out}, true},
        {16, {T::SeriesTypeScatter, T::SeriesTypeScatter}, {in, out}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        chart.setChartType(c.type);
        EXPECT_EQ(chart.chartType(), c.type);
        ASSERT_EQ(chart.charts().size(), 1);
        const Drawn shown = drawn(chart.charts().first());
        EXPECT_EQ(shown.kinds, c.kinds);
        EXPECT_EQ(shown.values, c.values);
        EXPECT_EQ(shown.depth, QList<bool>(c.values.size(), c.depth));
    }

    chart.setChartType(CellChart::XY);
    auto* scatter = static_cast<QXYSeries*>(chart.charts().first()->series().first());
    EXPECT_EQ(scatter->at(0), QPointF(1, 3)) << "a point stands at its row number";
}

TEST_F(CellChartTest, DrawsAPiePerColumnFromItsRowsThatAreNotZero)
{
    chart.setChartType(CellChart::Pie);
    const QList<QChart*> pies = chart.charts();
    ASSERT_EQ(pies.size(), 2);
    QStringList titles;
    QList<QStringList> labels;
    QList<QList<double>> values;
    for (QChart* pie : pies) {
        titles << pie->title();
        auto* slices = qobject_cast<QPieSeries*>(pie->series().first());
        ASSERT_TRUE(slices);
        labels << QStringList();
        values << QList<double>();
        for (QPieSlice* slice : slices->slices()) {
            labels.last() << slice->label();
            values.last() << slice->value();
        }
    }
    EXPECT_EQ(titles, (QStringList{u"in"_s, u"out"_s}));
    EXPECT_EQ(labels, (QList<QStringList>{{u"a"_s, u"b"_s}, {u"b"_s, u"c"_s}}));
    EXPECT_EQ(values, (QList<QList<double>>{{3, 12}, {5.5, 7}}));
}

TEST(ChartTypeOptionsTest, SetsTheTypeByKindAndDimension)
{
    CellChart chart;
    const QList<ChartTypeOptions::KindCaption> kinds{
        {Kind::Bar, u"narrow"_s}, {Kind::Line, u"thread"_s}, {Kind::Area, u"area"_s},
        {Kind::Step, u"stairs"_s}, {Kind::Combination, u"constitute"_s}, {Kind::XY, u"X,Yspread"_s},
        {Kind::Pie, u"circle"_s}};
    ChartTypeOptions options(&chart, u"surface"_s, u"solid"_s, kinds);
    options.show();
    auto click = [&](const QString& name) {
        auto* option = options.findChild<QRadioButton*>(name);
        QTest::mouseClick(option, Qt::LeftButton, {}, option->rect().center());
    };
    const QList<std::pair<QString, QList<int>>> table{
        {u"直條圖"_s, {1, 0}}, {u"折線圖"_s, {3, 2}}, {u"區域圖"_s, {5, 4}}, {u"階梯圖"_s, {7, 6}},
        {u"組合圖"_s, {9, 8}}, {u"XY散佈圖"_s, {16, 16}}, {u"圓形圖"_s, {14, 14}}};
    for (const auto& [kind, types] : table) {
        click(u"平面圖"_s);
        click(kind);
        EXPECT_EQ(chart.chartType(), types[0]) << qPrintable(kind) << " flat";
        click(u"立體圖"_s);
        EXPECT_EQ(chart.chartType(), types[0]) << qPrintable(kind) << ": the dimension alone keeps the type";
        click(kind);
        EXPECT_EQ(chart.chartType(), types[1]) << qPrintable(kind) << " solid, clicked again";
    }

    options.selectFlat(true);
    options.selectKind(Kind::Bar);
    EXPECT_EQ(chart.chartType(), 1) << "selected by code";
    options.selectFlat(false);
    options.selectKind(Kind::Bar);
    EXPECT_EQ(chart.chartType(), 0) << "selected by code when already selected";
}

} // namespace
