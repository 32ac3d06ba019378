#include "sheets/SpreadsheetWriter.h"

#include "core/AppContext.h"
#include "core/MessageService.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "sheets/CellWidth.h"
#include "data/DataError.h"
#include "sheets/DesktopOpen.h"
#include "sheets/XlsxFile.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>

namespace {

// How a field's values go into cells: as they come, as dates or as TRUE/FALSE.
enum class FieldKind { AsRead, Date, Flag };

// A field's kind from its column type. Fields of a join carry no type of their own; they take the
// type their name has in every table that has such a column, and come as read where tables disagree.
FieldKind fieldKind(const Recordset& records, int field)
{
    std::optional<Schema::Type> type = records.fieldType(field);
    if (!type) {
        const QString name = records.fieldNames().at(field);
        for (const Schema::Table& table : Schema::tables()) {
            const Schema::Column* column = table.column(name);
            if (!column)
                continue;
            if (type && *type != column->type)
                return FieldKind::AsRead;
            type = column->type;
        }
    }
    if (type == Schema::Type::Date)
        return FieldKind::Date;
    if (type == Schema::Type::Flag)
        return FieldKind::Flag;
    return FieldKind::AsRead;
}

QVariant cellValue(const QVariant& value, FieldKind kind)
{
    if (value.isNull())
        return {};
    switch (kind) {
    case FieldKind::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value;
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        const QString text = value.toString();
        const QDate date = QDate::fromString(QStringView(text).left(10), Qt::ISODate);
        return date.isValid() ? QVariant(date) : value;
    }
    case FieldKind::Flag:
        return QVariant(value.toInt() != 0);
    case FieldKind::AsRead:
        break;
    }
    return value;
}

// The kinds a cell holds: a date-time is kept as its date.
QVariant normalised(const QVariant& value)
{
    return value.typeId() == QMetaType::QDateTime ? QVariant(value.toDateTime().date()) : value;
}

SheetError outsideSheet(int row, int column)
{
    return SheetError(QStringLiteral("Cell %1,%2 lies outside the sheet (rows 1 to %3, columns 1 to %4)")
                          .arg(row)
                          .arg(column)
                          .arg(SpreadsheetWriter::lastRow)
                          .arg(SpreadsheetWriter::lastColumn));
}

} // namespace

SpreadsheetWriter::SpreadsheetWriter(AppContext& app, const QString& caption, QWidget* window)
    : m_app(app), m_caption(caption), m_progress(caption, window)
{
}

std::vector<QVariant>& SpreadsheetWriter::rowForWriting(int row, int lastColumnWritten)
{
    if (row < 1 || row > lastRow || lastColumnWritten < 1 || lastColumnWritten > lastColumn)
        throw outsideSheet(row, lastColumnWritten);
    m_unmeasuredFrom = std::min(m_unmeasuredFrom, row);
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    std::vector<QVariant>& cells = m_rows[size_t(row) - 1];
    if (size_t(lastColumnWritten) > cells.size())
        cells.resize(size_t(lastColumnWritten));
    return cells;
}

void SpreadsheetWriter::setCell(int row, int column, const QVariant& value)
{
    if (column < 1)
        throw outsideSheet(row, column);
    rowForWriting(row, column)[size_t(column) - 1] = normalised(value);
}

QVariant SpreadsheetWriter::cell(int row, int column) const
{
    if (row < 1 || size_t(row) > m_rows.size() || column < 1)
        return {};
    const auto& cells = m_rows[size_t(row) - 1];
    return size_t(column) <= cells.size() ? cells[size_t(column) - 1] : QVariant();
}

int SpreadsheetWriter::columnCount() const
{
    size_t widest = 0;
    for (const auto& cells : m_rows)
        widest = std::max(widest, cells.size());
    return int(widest);
}

int SpreadsheetWriter::copyRecords(const Recordset& records, int row, int firstColumn)
{
    const int fields = records.fieldCount();
    const int count = records.recordCount();
    if (count == 0 || fields == 0)
        return 0;
    if (firstColumn < 1)
        throw outsideSheet(row, firstColumn);

    std::vector<FieldKind> kinds;
    for (int field = 0; field < fields; ++field)
        kinds.push_back(fieldKind(records, field));

    const int fitting = std::clamp(lastRow - row + 1, 0, count);
    if (const size_t needed = size_t(row) + size_t(fitting); needed > m_rows.capacity())
        m_rows.reserve(std::max(needed, 2 * m_rows.capacity()));
    m_progress.begin(count);
    for (int record = 0; record < fitting; ++record) {
        std::vector<QVariant>& cells = rowForWriting(row + record, firstColumn + fields - 1);
        for (int field = 0; field < fields; ++field)
            cells[size_t(firstColumn + field) - 1] = cellValue(records.valueAt(record, field), kinds[size_t(field)]);
        m_progress.step(record + 1);
    }
    if (fitting < count)
        throw outsideSheet(row + fitting, firstColumn);
    return count;
}

void SpreadsheetWriter::fitColumns()
{
    m_widest.resize(fittedColumns);
    for (size_t row = size_t(m_unmeasuredFrom) - 1; row < m_rows.size(); ++row) {
        const std::vector<QVariant>& cells = m_rows[row];
        const size_t columns = std::min<size_t>(cells.size(), fittedColumns);
        for (size_t column = 0; column < columns; ++column)
            m_widest[column] = std::max(m_widest[column], cellWidth(cells[column]));
    }
    m_unmeasuredFrom = int(m_rows.size()) + 1;
}

double SpreadsheetWriter::columnWidth(int column) const
{
    if (column < 1 || size_t(column) > m_widest.size() || m_widest[size_t(column) - 1] == 0)
        return 0;
    return std::min(m_widest[size_t(column) - 1] + 1.0, maximumFittedWidth);
}

std::vector<double> SpreadsheetWriter::fittedWidths() const
{
    std::vector<double> widths;
    if (!m_widest.empty())
        for (int column = 1; column <= fittedColumns; ++column)
            widths.push_back(columnWidth(column));
    return widths;
}

QString SpreadsheetWriter::saveAndOpen()
{
    if (m_app.spreadsheets.finished)
        m_app.spreadsheets.finished(*this);

    const QString folder = m_app.spreadsheets.folder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        : m_app.spreadsheets.folder;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw SheetError(QStringLiteral("The folder %1 cannot be made").arg(folder));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QString path = freeFileName(folder, m_caption + QLatin1Char(' ') + stamp);

    m_progress.begin(rowCount());
    writeXlsx(path, m_rows, fittedWidths(), [this](int row) { m_progress.step(row); });
    m_progress.end();
    openSaved(path);
    return path;
}

// The desktop may say only later that nothing opens the file, when the listing is long gone.
void SpreadsheetWriter::openSaved(const QString& path)
{
    const auto notOpened = [&app = m_app, path, caption = m_caption] {
        app.messages.msgBox(QStringLiteral("The listing was saved as\n%1\nbut no program on this computer opens it.")
                                .arg(QDir::toNativeSeparators(path)),
                            MessageService::Exclamation, caption);
    };
    if (m_app.spreadsheets.open)
        m_app.spreadsheets.open(path, notOpened);
    else
        openOnDesktop(path, &m_app.lifetime, notOpened);
}

bool SpreadsheetWriter::run(const std::function<void()>& fill)
{
    m_failure.clear();
    try {
        fill();
    } catch (const std::exception& error) {
        // What was written before the failure is still the clerk's to see.
        qWarning("%s stopped: %s", qUtf8Printable(m_caption), error.what());
        m_failure = refusalDetail(error);
    }
    if (!m_failure.isEmpty() && rowCount() == 0)
        return false;
    try {
        saveAndOpen();
    } catch (const std::exception& error) {
        qWarning("%s not saved: %s", qUtf8Printable(m_caption), error.what());
        m_failure = QString::fromUtf8(error.what());
        return false;
    }
    return m_failure.isEmpty();
}
