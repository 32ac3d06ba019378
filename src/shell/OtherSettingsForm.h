#pragma once

#include <QWidget>

struct AppContext;

// 其它設定: bottle types, warm boxes, refund reasons and joining reasons, four grids side by side.
// Ticking "Unlock" lets the clerk add, change and delete rows of all four.
class OtherSettingsForm : public QWidget {
    Q_OBJECT
public:
    explicit OtherSettingsForm(AppContext& app, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {900, 420}; }
};
