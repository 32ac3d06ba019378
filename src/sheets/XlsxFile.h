#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

// Writes one worksheet's cells into an .xlsx file with libxlsxwriter, row after row so the library
// keeps only one row in memory. Cells are QDate (a date cell shown "yyyy/m/d"), bool, a number or
// QString; null cells stay empty. `widths` holds a width in characters per column from A, 0 keeping
// the standard width. `rowDone` is told each row written. Throws SheetError.
void writeXlsx(const QString& path, const std::vector<std::vector<QVariant>>& rows,
               const std::vector<double>& widths, const std::function<void(int row)>& rowDone);

// "<stem>.xlsx" in `folder`, or "<stem> (2).xlsx" and on where that is taken.
QString freeFileName(const QString& folder, const QString& stem);
