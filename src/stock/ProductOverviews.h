#pragma once

#include "data/DataSource.h"

#include <QWidget>

struct AppContext;

// 產品全灠: every product in a grid, sorted over the loaded rows by code or by price. Its exit only
// hides it: shown again it has the same rows in the same order, read once when it opened.
class ProductFullList : public QWidget {
    Q_OBJECT
public:
    explicit ProductFullList(AppContext& app, QWidget* parent = nullptr);
    // Room for every column of a product and a screenful of them when the frame opens it.
    QSize sizeHint() const override { return {860, 480}; }

private:
    DataSource m_products; // Adodc1
};

// 產品一灠: every product in a grid that fills the window, and nothing else.
class ProductBriefList : public QWidget {
    Q_OBJECT
public:
    explicit ProductBriefList(AppContext& app, QWidget* parent = nullptr);

private:
    DataSource m_products; // Adodc1
};

// Registers both overviews with the form registry.
void registerProductOverviews(AppContext& app);
