#pragma once

#include <QWidget>
#include <array>

class Binder;
class QGridLayout;
class QLineEdit;

// The figures of one product on the goods entry: its code, name and bottles per box, then its stock
// on hand, its safety stock, the day's expected shipments and the shortfall of the stock against the
// safety stock, each a total equal to whole boxes plus loose bottles. Stock at or below the safety
// stock turns the stock boxes red. Every box is read-only; the totals come from the product's row
// and from the form, the boxes and bottles from showSplits().
class ProductFigures : public QWidget {
    Q_OBJECT
public:
    explicit ProductFigures(QWidget* parent = nullptr);

    // Shows the product's code, name, stock, safety stock and bottles per box from its row.
    void bind(Binder& products);
    void setDayTotal(const QString& total);
    // Splits every total by the bottles per box and works out the shortfall.
    void showSplits();
    // Without a product every total reads 0, as the boxes began.
    void showNoProduct();

    QLineEdit* box(int index) const { return m_boxes.at(index); } // text1(index)

private:
    void addRow(QGridLayout* grid, int row, const QString& label, int total, int boxes, int bottles,
                const QString& boxLabel = QStringLiteral("box"));
    void split(int total, int boxes, int bottles);
    void showStockShort(bool isShort);

    std::array<QLineEdit*, 14> m_boxes{};
    QLineEdit* m_perBox = nullptr; // 一箱瓶數
};
