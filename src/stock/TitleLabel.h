#pragma once

#include <QString>

class QLabel;
class QWidget;

// The large title line above a stock listing.
QLabel* makeTitleLabel(QWidget* parent, const QString& name, const QString& text);
