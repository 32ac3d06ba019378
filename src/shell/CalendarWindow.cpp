#include "shell/CalendarWindow.h"

#include "core/AppContext.h"
#include "shell/WindowPlacement.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CalendarWindow::CalendarWindow(AppContext& app, QWidget* parent) : QWidget(parent)
{
    WorkDateAtLoad(app);
    setWindowTitle(u"thousand year calendar"_s);

    auto* monthView = new QCalendarWidget(this);
    monthView->setObjectName(u"MonthView1"_s);
    monthView->setSelectedDate(app.values.work_date);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(monthView);
    setMinimumSize(360, 280);
    centerOnScreen(this);
}
