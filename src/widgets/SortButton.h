#pragma once

#include <QString>

class DataSource;
class QPushButton;
class QWidget;

// A button of a list that sorts the rows its data source has loaded ("price ASC"), without reading
// them again: rows changed elsewhere show only at the next read, which drops the sort.
QPushButton* makeSortButton(QWidget* form, const QString& name, const QString& caption, DataSource& source,
                            const QString& sort);
