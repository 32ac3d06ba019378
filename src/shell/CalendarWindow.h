#pragma once

#include <QWidget>

struct AppContext;

// 萬年曆表 "thousand year calendar": a month calendar that opens on today's date. Paging and picking
// days change nothing in the program.
class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalendarWindow(AppContext& app, QWidget* parent = nullptr);
};
