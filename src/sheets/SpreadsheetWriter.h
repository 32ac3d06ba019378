#pragma once

#include "sheets/RunProgress.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>
#include <vector>

struct AppContext;
class QWidget;
class Recordset;

// A listing's sheet refused a cell or could not be saved; the listing shows its own message.
class SheetError : public std::runtime_error {
public:
    explicit SheetError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

// The workbook of one listing run: a single worksheet held in memory, written and read back by
// 1-based row and column, saved at the run's end as an .xlsx in the documents folder (a new file each
// run) and opened on the desktop. Cells keep their kind: numbers stay numbers, dates become date cells
// shown "yyyy/m/d", flags TRUE/FALSE, text stays text, and a null leaves the cell empty. A run that takes
// more than half a second shows its progress.
//
//     SpreadsheetWriter sheet(app, u"goods address"_s, this);
//     const bool done = sheet.run([&] {
//         int row = 4;
//         row += sheet.copyRecords(lines, row);
//         sheet.setCell(row + 3, 4, total);
//         sheet.fitColumns();
//     });
//     if (!done)
//         showMessage(app.messages, ErrorMessageBoxes::...);
class SpreadsheetWriter {
public:
    static constexpr int lastRow = 1048576;
    static constexpr int lastColumn = 16384;
    // The columns the listings fit, A to Z.
    static constexpr int fittedColumns = 26;

    // `caption` names the saved file and the progress; the progress is shown over `window`.
    SpreadsheetWriter(AppContext& app, const QString& caption, QWidget* window = nullptr);

    QString caption() const { return m_caption; }

    // Writes one cell; a null value empties it. Throws SheetError outside the sheet.
    void setCell(int row, int column, const QVariant& value);
    // A cell's value (QDate, bool, a number or QString); a null value for an empty cell.
    QVariant cell(int row, int column) const;
    // The last row and column that hold a cell; 0 for an empty sheet.
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const;

    // Copies every field of every record, in the order of the SELECT list, into the rows from `row`
    // down, field i in column `firstColumn` + i. Returns the rows written: 0 for no records. A copy that
    // reaches past the sheet's last row writes what fits, then throws SheetError.
    int copyRecords(const Recordset& records, int row, int firstColumn = 1);

    // Fits columns A to Z to what they hold now: a column's width is its widest cell in characters
    // (a Chinese character counts two), within a cap; an empty column keeps the standard width. Only the
    // rows written since the last fit are measured again, so a listing may fit after each block.
    void fitColumns();
    // A fitted width in characters; 0 where the column keeps the standard width.
    double columnWidth(int column) const;

    // Ends the run: saves the sheet as "<caption> <yyyy-MM-dd HH-mm-ss>.xlsx" (" (2)" and on where that
    // is taken) in the documents folder, made when missing, and opens it. Where no program opens it,
    // one box says where it was saved. Returns the file's path. Throws SheetError where the file cannot
    // be saved.
    QString saveAndOpen();

    // A whole listing run: `fill` writes the cells, then the sheet is saved and opened. A fill that
    // fails part-way (it throws) still saves and opens the cells it wrote. Returns false where the fill
    // or the save failed: the listing then shows its own message and stays open.
    bool run(const std::function<void()>& fill);
    // Why the last run returned false, in the clerk's words; empty after a run that did not fail.
    QString failure() const { return m_failure; }

private:
    std::vector<QVariant>& rowForWriting(int row, int lastColumnWritten);
    std::vector<double> fittedWidths() const;
    void openSaved(const QString& path);

    AppContext& m_app;
    QString m_caption;
    QString m_failure;
    std::vector<std::vector<QVariant>> m_rows; // m_rows[row - 1][column - 1]
    std::vector<int> m_widest;                 // the widest cell of A to Z so far, 0 for none; empty until fitted
    int m_unmeasuredFrom = 1;                  // the first row written since the last fit
    RunProgress m_progress;
};
