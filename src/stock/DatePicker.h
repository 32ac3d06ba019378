#pragma once

#include <QDate>
#include <QString>

class QDateEdit;
class QWidget;

// A date picker of the stock forms: the day shown "yyyy/M/d", with a calendar to pick from.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QDate date);
