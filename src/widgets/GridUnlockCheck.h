#pragma once

#include <QList>

class DataGrid;
class QCheckBox;

// What an unlock box opens up: every edit of the lookup tables; changes and deletes but no new rows
// (the cash journal, whose rows get their numbers from its own form); or only changes of existing rows
// (the company record, whose rows are never added or deleted here).
enum class GridUnlock { AddChangeDelete, ChangeDelete, ChangeOnly };

// GridUnlockCheck: the grids stay read-only while the box is unticked; each tick or untick, by a
// click or from code, sets their permissions to the box's state, grid by grid.
void GridUnlockCheck(QCheckBox* box, const QList<DataGrid*>& grids, GridUnlock permissions);
