#pragma once

#include <QDate>
#include <QString>

class QDateEdit;
class QWidget;

// A form's date picker (DTPicker): the day shown "yyyy/M/d", with a calendar to pick from.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QDate date);
