#pragma once

#include "data/DataSource.h"

#include <QVariantList>
#include <QWidget>

struct AppContext;
class DataCombo;

// 輪送方式一灠: which products each delivery type delivers, for every type or the one chosen.
// It only reads.
class DeliveryTypeOverview : public QWidget {
    Q_OBJECT
public:
    explicit DeliveryTypeOverview(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {460, 480}; }

private:
    void showType(const QString& type);
    void showAllTypes();
    void runLastQuery();

    AppContext& m_app;
    DataSource m_rows;  // Adodc1
    DataSource m_types; // the combo's list
    QString m_lastQuery;
    QVariantList m_lastValues;
};
