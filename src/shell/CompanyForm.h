#pragma once

#include <QWidget>

struct AppContext;

// 公司: the company record in a grid. Once "Motify Company Setting" is ticked its rows can be changed;
// rows are never added or deleted here.
class CompanyForm : public QWidget {
    Q_OBJECT
public:
    explicit CompanyForm(AppContext& app, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {760, 300}; }
};
