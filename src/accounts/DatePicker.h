#pragma once

#include <QDateEdit>

// A date picker of the cash journal's forms: a drop-down calendar, the date shown as "yyyy/M/d".
inline QDateEdit* makeDatePicker(const QString& name, const QDate& date, QWidget* parent)
{
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy/M/d"));
    return picker;
}
