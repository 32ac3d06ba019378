#include "stock/DatePicker.h"

#include <QDateEdit>

QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QDate date)
{
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->setDisplayFormat(QStringLiteral("yyyy/M/d"));
    picker->setCalendarPopup(true);
    return picker;
}
