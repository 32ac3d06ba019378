#pragma once

#include <QWidget>

struct AppContext;

// 奶區費區 "stable milk expenses": the milk areas and the expense areas, each in a grid in ascending
// order. Ticking "UnLock" lets the clerk add, change and delete rows of both.
class MilkExpenseForm : public QWidget {
    Q_OBJECT
public:
    explicit MilkExpenseForm(AppContext& app, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {520, 420}; }
};
