#pragma once

#include "data/DataSource.h"
#include "orders/TypeNames.h"

#include <QDate>
#include <QWidget>
#include <array>
#include <optional>

struct AppContext;
class QCalendarWidget;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class UpDown;

// 設定訂法: the subscription types, each a named calendar of delivery days. The clerk picks a type
// and a month; the 31 day cells show the type's days of that month in red. While unlocked, a click
// on the calendar adds the day to the type or deletes it; types are added and deleted by name.
class SubscriptionTypesForm : public QWidget {
    Q_OBJECT
public:
    explicit SubscriptionTypesForm(AppContext& app, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {980, 640}; }

private:
    void buildControls();
    void load();
    void makeCurrent(const QString& type);
    std::optional<QDate> firstDayShown() const;
    void repaint();
    void showFirstAndLastDay(bool clearLastFirst);
    void dayClicked(const QDate& day);
    void addDay(const QDate& day);
    void deleteDay(const QDate& day);
    void addType();
    void deleteCurrentType();
    bool isDayOfType(const QString& type, const QDate& day);

    AppContext& m_app;
    DataSource m_month; // Adodc3: the current type's days of the month on show
    TypeNames m_typeNames;

    QListWidget* m_typeList = nullptr; // List1
    QLineEdit* m_current = nullptr;    // text1
    QLineEdit* m_info = nullptr;       // Text9
    QLineEdit* m_year = nullptr;       // Text2
    QLineEdit* m_monthText = nullptr;  // Text3
    UpDown* m_yearSpinner = nullptr;   // UpDown1
    UpDown* m_monthSpinner = nullptr;  // UpDown2
    QLabel* m_monthShown = nullptr;    // 現在月份
    std::array<QLineEdit*, 31> m_cells{}; // Text8(0) to Text8(30)
    QLineEdit* m_firstDay = nullptr;   // Text10
    QLineEdit* m_lastDay = nullptr;    // Text11
    QRadioButton* m_adding = nullptr;  // Option1
    QRadioButton* m_deleting = nullptr; // Option2
    QCheckBox* m_unlock = nullptr;     // Check1
    QCalendarWidget* m_calendar = nullptr; // MonthView1
};
