#include "sheets/XlsxFile.h"

#include "sheets/SpreadsheetWriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

namespace {

// Day 0 of the spreadsheet's date numbers; numbers from 1900/3/1 on count days from here.
const QDate dateEpoch(1899, 12, 30);
const QDate firstDateNumber(1900, 3, 1);

// Closes the workbook, and with it writes the file, whatever way the writing is left.
struct WorkbookFile {
    lxw_workbook* workbook;
    ~WorkbookFile()
    {
        if (workbook)
            workbook_close(workbook);
    }
    lxw_error close()
    {
        const lxw_error result = workbook_close(workbook);
        workbook = nullptr;
        return result;
    }
};

void check(lxw_error result, int row, int column)
{
    if (result != LXW_NO_ERROR)
        throw SheetError(QStringLiteral("Cell %1,%2 cannot be written: %3")
                             .arg(row + 1)
                             .arg(column + 1)
                             .arg(QString::fromUtf8(lxw_strerror(result))));
}

} // namespace

void writeXlsx(const QString& path, const std::vector<std::vector<QVariant>>& rows,
               const std::vector<double>& widths, const std::function<void(int row)>& rowDone)
{
    // A listing holds customers' names, addresses and telephones: its file is made readable by its owner
    // only, as the books are, before a byte is in it; the library writes into that file and keeps its mode.
    QFile made(path);
    if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw SheetError(QStringLiteral("The workbook %1 cannot be made: %2").arg(path, made.errorString()));
    made.close();

    const QByteArray fileName = QFile::encodeName(path);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    WorkbookFile file{workbook_new_opt(fileName.constData(), &options)};
    if (!file.workbook) {
        QFile::remove(path);
        throw SheetError(QStringLiteral("The workbook %1 cannot be made").arg(path));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(file.workbook, nullptr);
    lxw_format* dateFormat = workbook_add_format(file.workbook);
    format_set_num_format(dateFormat, "yyyy/m/d");
    // Spreadsheet programs that show a flag cell as a number still show TRUE or FALSE with this.
    lxw_format* flagFormat = workbook_add_format(file.workbook);
    format_set_num_format(flagFormat, "\"TRUE\";\"TRUE\";\"FALSE\"");

    for (size_t column = 0; column < widths.size(); ++column)
        if (widths[column] > 0)
            worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), widths[column], nullptr);

    QByteArray utf8;
    for (size_t row = 0; row < rows.size(); ++row) {
        const auto& cells = rows[row];
        const auto r = lxw_row_t(row);
        for (size_t column = 0; column < cells.size(); ++column) {
            const QVariant& value = cells[column];
            const auto c = lxw_col_t(column);
            switch (value.typeId()) {
            case QMetaType::UnknownType:
            case QMetaType::Nullptr:
                continue;
            case QMetaType::QString:
                utf8 = value.toString().toUtf8();
                check(worksheet_write_string(sheet, r, c, utf8.constData(), nullptr), r, c);
                break;
            case QMetaType::QDate: {
                const QDate date = value.toDate();
                if (date >= firstDateNumber) {
                    check(worksheet_write_number(sheet, r, c, double(dateEpoch.daysTo(date)), dateFormat), r, c);
                } else { // before the spreadsheet's calendar: shown as the clerks write dates
                    utf8 = date.toString(QStringLiteral("yyyy/M/d")).toUtf8();
                    check(worksheet_write_string(sheet, r, c, utf8.constData(), nullptr), r, c);
                }
                break;
            }
            case QMetaType::Bool:
                check(worksheet_write_boolean(sheet, r, c, value.toBool(), flagFormat), r, c);
                break;
            default:
                check(worksheet_write_number(sheet, r, c, value.toDouble(), nullptr), r, c);
            }
        }
        rowDone(int(row) + 1);
    }

    const lxw_error closed = file.close();
    if (closed != LXW_NO_ERROR) {
        QFile::remove(path);
        throw SheetError(QStringLiteral("The workbook %1 cannot be saved: %2")
                             .arg(path, QString::fromUtf8(lxw_strerror(closed))));
    }
}

QString freeFileName(const QString& folder, const QString& stem)
{
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = dir.filePath(QStringLiteral("%1 (%2).xlsx").arg(stem).arg(copy));
    return path;
}
