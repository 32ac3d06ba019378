#pragma once

class QLayout;
class QToolBar;
class QWidget;

// Where a payroll record form shows its grid: beside the record's boxes or under them.
enum class GridPlacement { BesideRecord, BelowRecord };

// The page of a payroll record form: its toolbar, the line with its counter or search, the record with
// its grid, and the exit button in the lower right corner.
void layOutRecordPage(QWidget* form, QToolBar* toolbar, QLayout* topLine, QLayout* record, QWidget* grid,
                      GridPlacement placement);
