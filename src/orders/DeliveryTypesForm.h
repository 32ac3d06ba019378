#pragma once

#include "data/DataSource.h"

#include <QVariantList>
#include <QWidget>

struct AppContext;
class DataCombo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// 設定送法: the delivery types, each a named list of products. The clerk picks a type, gathers
// products into the chosen list and saves them as the type's rows; the grid shows the rows of one
// type or of all; types are added and deleted by name.
class DeliveryTypesForm : public QWidget {
    Q_OBJECT
public:
    explicit DeliveryTypesForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {900, 600}; }

private:
    void buildControls();
    void load();
    void makeCurrent(const QString& type);
    void filterGrid(const QString& type);
    void showEveryRow();
    void runGridQuery(const QString& sql, const QVariantList& values = {});
    void addAll();
    void addSelected();
    void removeSelected();
    void saveChosen();
    void addType();
    void deleteCurrentType();

    AppContext& m_app;
    DataSource m_rows;  // Adodc3: the grid
    DataSource m_types; // Adodc4: the combo's list, read at load
    QString m_filter;   // the last filter built from the combo, run again by an empty text
    QVariantList m_filterValues;

    QListWidget* m_typeList = nullptr;    // List1
    QLineEdit* m_current = nullptr;       // text1
    QLabel* m_currentShown = nullptr;     // Label5
    QListWidget* m_products = nullptr;    // List2
    QListWidget* m_chosen = nullptr;      // List3
    QList<QPushButton*> m_unlockedOnly;   // the arrows and ok
    QCheckBox* m_unlock = nullptr;        // Check1
    QCheckBox* m_gridUnlock = nullptr;    // Check2
    DataCombo* m_typeChoice = nullptr;    // DataCombo1
};
