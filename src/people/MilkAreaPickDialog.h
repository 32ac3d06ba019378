#pragma once

#include "data/DataSource.h"

#include <QDialog>

struct AppContext;

// 載入客戶資料: a milk-area pick. Both of its buttons only close it; the area chosen is not used.
class MilkAreaPickDialog : public QDialog {
    Q_OBJECT
public:
    explicit MilkAreaPickDialog(AppContext& app, QWidget* parent = nullptr);

private:
    DataSource m_milkAreas; // Adodc1
};
