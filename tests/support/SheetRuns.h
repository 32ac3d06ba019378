#pragma once

#include "core/AppContext.h"
#include "sheets/SpreadsheetWriter.h"

#include <QList>
#include <QProcess>
#include <algorithm>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

// The spreadsheet runs of one test: the cells of each finished sheet and the files opened. The files
// are saved in a temporary folder and nothing is started.
class SheetRuns {
public:
    struct Sheet {
        QString caption;
        QList<QVariantList> rows; // rows[row - 1][column - 1]
        QList<double> widths;     // of A to Z; 0 for the standard width

        QVariant cell(int row, int column) const { return rows.value(row - 1).value(column - 1); }
        // The cells of one row from column A up to `columns`, empty cells as null values.
        QVariantList row(int row, int columns) const
        {
            QVariantList cells;
            for (int column = 1; column <= columns; ++column)
                cells << cell(row, column);
            return cells;
        }
        // The rows that hold at least one cell.
        QList<int> filledRows() const
        {
            QList<int> filled;
            for (int row = 0; row < rows.size(); ++row)
                if (std::any_of(rows[row].cbegin(), rows[row].cend(), [](const QVariant& v) { return !v.isNull(); }))
                    filled << row + 1;
            return filled;
        }
    };

    explicit SheetRuns(AppContext& app)
    {
        app.spreadsheets.folder = m_folder.path();
        app.spreadsheets.finished = [this](const SpreadsheetWriter& writer) { m_sheets << copyOf(writer); };
        app.spreadsheets.open = [this](const QString& file, const std::function<void()>& notOpened) {
            m_opened << file;
            if (!m_opens)
                notOpened();
        };
    }

    QString folder() const { return m_folder.path(); }
    const QList<Sheet>& sheets() const { return m_sheets; }
    const QStringList& opened() const { return m_opened; }
    // From now on no program opens the saved files.
    void failOpening() { m_opens = false; }

    // One part of a saved workbook (say "xl/worksheets/sheet1.xml"), as the spreadsheet program reads it.
    static QString partOf(const QString& file, const QString& part)
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, part});
        EXPECT_TRUE(unzip.waitForFinished());
        return QString::fromUtf8(unzip.readAllStandardOutput());
    }

private:
    static Sheet copyOf(const SpreadsheetWriter& writer)
    {
        Sheet sheet{writer.caption(), {}, {}};
        const int columns = writer.columnCount();
        for (int row = 1; row <= writer.rowCount(); ++row) {
            QVariantList cells;
            for (int column = 1; column <= columns; ++column)
                cells << writer.cell(row, column);
            sheet.rows << cells;
        }
        for (int column = 1; column <= SpreadsheetWriter::fittedColumns; ++column)
            sheet.widths << writer.columnWidth(column);
        return sheet;
    }

    QTemporaryDir m_folder;
    QList<Sheet> m_sheets;
    QStringList m_opened;
    bool m_opens = true;
};
