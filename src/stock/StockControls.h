#pragma once

#include <QDate>
#include <QString>

class QDateEdit;
class QLabel;
class QWidget;

// Controls the stock forms share.

// A date picker: the day shown "yyyy/M/d", with a calendar to pick from.
QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QDate date);

// The large title line above a listing.
QLabel* makeTitleLabel(QWidget* parent, const QString& name, const QString& text);
