#include "stock/ProductFigures.h"

#include "data/Decimal.h"
#include "data/TextRules.h"
#include "widgets/Binder.h"
#include "widgets/NamedControls.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QColor lightCyan(0xC0, 0xFF, 0xFF);
const QColor shortRed(255, 0, 0);

// The boxes of the figures, by their index in text1.
enum Box {
    StockBoxes = 0, StockBottles = 1, Code = 2, Name = 3, Stock = 4, Safety = 5, SafetyBoxes = 6,
    SafetyBottles = 7, DayTotal = 8, DayBoxes = 9, DayBottles = 10, Shortfall = 11, ShortBoxes = 12,
    ShortBottles = 13,
};

void setBackground(QLineEdit* box, const QColor& colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

bool roundsIntoInt32(double value)
{
    const double whole = std::nearbyint(value); // halves to even, as the split rounds
    return whole >= std::numeric_limits<qint32>::min() && whole <= std::numeric_limits<qint32>::max();
}

QLineEdit* figureBox(QWidget* parent, const QString& name)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    setBackground(box, lightCyan);
    return box;
}

} // namespace

ProductFigures::ProductFigures(QWidget* parent) : QWidget(parent)
{
    for (int i = 0; i < int(m_boxes.size()); ++i)
        m_boxes[i] = figureBox(this, u"text1(%1)"_s.arg(i));
    m_perBox = figureBox(this, u"一箱瓶數"_s);
    showNoProduct();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(u"products serial"_s, this), 0, 0);
    grid->addWidget(m_boxes[Code], 0, 1);
    grid->addWidget(new QLabel(u"products name"_s, this), 1, 0);
    grid->addWidget(m_boxes[Name], 1, 1, 1, 5);
    grid->addWidget(new QLabel(u"boxful bottle"_s, this), 2, 0);
    grid->addWidget(m_perBox, 2, 1);
    addRow(grid, 3, u"todat exit"_s, DayTotal, DayBoxes, DayBottles);
    addRow(grid, 4, u"original"_s, Stock, StockBoxes, StockBottles);
    addRow(grid, 5, u"safety"_s, Safety, SafetyBoxes, SafetyBottles);
    addRow(grid, 6, u"expect amount"_s, Shortfall, ShortBoxes, ShortBottles, u"box  +"_s);
    for (int column : {1, 3, 5})
        grid->setColumnStretch(column, 1);
}

// One equation: total = boxes box + bottles bottle.
void ProductFigures::addRow(QGridLayout* grid, int row, const QString& label, int total, int boxes, int bottles,
                            const QString& boxLabel)
{
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(m_boxes[total], row, 1);
    grid->addWidget(new QLabel(u"="_s, this), row, 2);
    grid->addWidget(m_boxes[boxes], row, 3);
    // "box  +" reads as one label on the shortfall row; the other rows have "box" and "+" apart.
    if (boxLabel == u"box"_s) {
        auto* pair = new QHBoxLayout;
        pair->addWidget(new QLabel(boxLabel, this));
        pair->addWidget(new QLabel(u"+"_s, this));
        grid->addLayout(pair, row, 4);
    } else {
        grid->addWidget(new QLabel(boxLabel, this), row, 4);
    }
    grid->addWidget(m_boxes[bottles], row, 5);
    grid->addWidget(new QLabel(u"bottle"_s, this), row, 6);
}

void ProductFigures::bind(Binder& products)
{
    products.bind(m_boxes[Code], u"code"_s);
    products.bind(m_boxes[Name], u"names"_s);
    products.bind(m_boxes[Stock], u"amount"_s);
    products.bind(m_boxes[Safety], u"store"_s);
    products.bind(m_perBox, u"much"_s);
}

void ProductFigures::setDayTotal(const QString& total)
{
    m_boxes[DayTotal]->setText(total);
}

// Whole boxes and loose bottles of a total, both rounded to whole numbers first; the bottles keep the
// sign of the total. Without bottles per box every bottle is loose.
void ProductFigures::split(int total, int boxes, int bottles)
{
    const double totalNumber = TextRules::numberFromText(m_boxes[total]->text());
    const double perBoxNumber = TextRules::numberFromText(m_perBox->text());
    // Beyond 32 bits there is no split to show: the step is skipped, as the recompute skips any that fails.
    if (!roundsIntoInt32(totalNumber) || !roundsIntoInt32(perBoxNumber))
        return;
    const qint32 whole = TextRules::roundToInt32(totalNumber);
    const qint32 perBox = TextRules::roundToInt32(perBoxNumber);
    const qint32 fullBoxes = TextRules::intDiv(whole, perBox);
    m_boxes[boxes]->setText(QString::number(fullBoxes));
    m_boxes[bottles]->setText(QString::number(qint64(whole) - qint64(fullBoxes) * perBox));
}

void ProductFigures::showSplits()
{
    split(Stock, StockBoxes, StockBottles);
    split(Safety, SafetyBoxes, SafetyBottles);
    split(DayTotal, DayBoxes, DayBottles);

    // A figure beyond the range of figures has no shortfall to show: the step is skipped.
    const std::optional<Decimal> stock = Decimal::tryFromText(m_boxes[Stock]->text());
    const std::optional<Decimal> safety = Decimal::tryFromText(m_boxes[Safety]->text());
    if (!stock || !safety)
        return;
    const bool isShort = *stock <= *safety;
    if (isShort) {
        const std::optional<Decimal> shortfall = Decimal::checkedSubtract(*safety, *stock);
        m_boxes[Shortfall]->setText(shortfall ? shortfall->toString() : QString());
        split(Shortfall, ShortBoxes, ShortBottles);
    } else {
        for (int box : {Shortfall, ShortBoxes, ShortBottles})
            m_boxes[box]->setText(u"0"_s);
    }
    showStockShort(isShort);
}

void ProductFigures::showNoProduct()
{
    for (int total : {Stock, Safety, DayTotal, Shortfall})
        m_boxes[total]->setText(u"0"_s);
}

void ProductFigures::showStockShort(bool isShort)
{
    const QColor colour = isShort ? shortRed : QApplication::palette().color(QPalette::Base);
    for (int box : {Stock, StockBoxes, StockBottles})
        setBackground(m_boxes[box], colour);
}
