// The spreadsheet listings over the sample business, each beside the plainest way to the same file:
// the writer against raw libxlsxwriter on two million cells (targets: at least 0.8 of its speed and a
// million cells a second); the per-area delivery list of one day (one area under 100 ms, all eight
// under 400 ms, at most 1.5 times the statements read by hand and written straight); the monthly
// order-date listing of every customer (under 5 s, at most 1.25 times the plain way).
// Run: QT_QPA_PLATFORM=offscreen build/bench/listingBench

#include "BenchSample.h"
#include "core/AppContext.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "orders/DeliveryListSheet.h"
#include "orders/OrdersForms.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/DataCombo.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

QString g_database;
const QDate kDay(2026, 3, 10);

// A program context over the sample business whose sheets go to a temporary folder and open nowhere.
struct ListingContext {
    ListingContext() : db(Database::open(g_database)), app(*db, messages, clock)
    {
        app.spreadsheets.folder = folder.path();
        app.spreadsheets.open = [](const QString&, const std::function<void()>&) {};
        registerOrdersForms(app);
    }
    QTemporaryDir folder;
    std::unique_ptr<Database> db;
    SilentMessages messages;
    FixedClock clock{kDay};
    AppContext app;
};

// The plain way's file: libxlsxwriter in its constant-memory mode, cells written as they come.
class RawSheet {
public:
    explicit RawSheet(const QString& path)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        m_sheet = workbook_add_worksheet(m_book, nullptr);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "yyyy/m/d");
    }
    ~RawSheet() { workbook_close(m_book); }

    void write(int row, int column, const QVariant& value)
    {
        static const QDate epoch(1899, 12, 30);
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::QString:
            m_utf8 = value.toString().toUtf8();
            worksheet_write_string(m_sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), m_utf8.constData(), nullptr);
            break;
        case QMetaType::QDate:
            worksheet_write_number(m_sheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                   double(epoch.daysTo(value.toDate())), m_date);
            break;
        default:
            worksheet_write_number(m_sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), value.toDouble(), nullptr);
        }
    }

    // Writes each row of a query from `row` down; returns the rows written.
    int writeQuery(QSqlQuery& query, int row, int firstColumn)
    {
        const int columns = query.record().count();
        int written = 0;
        for (; query.next(); ++written)
            for (int i = 0; i < columns; ++i)
                write(row + written, firstColumn + i, query.value(i));
        return written;
    }

private:
    lxw_workbook* m_book;
    lxw_worksheet* m_sheet;
    lxw_format* m_date;
    QByteArray m_utf8;
};

// Two million cells: 200,000 rows of a code, a date, a name and seven counts.
const std::vector<QVariantList>& twoMillionCells()
{
    static const std::vector<QVariantList> rows = [] {
        std::vector<QVariantList> made;
        for (int row = 0; row < 200000; ++row) {
            QVariantList cells{row, kDay.addDays(row % 365), u"客戶 %1"_s.arg(row % 5000)};
            for (int count = 0; count < 7; ++count)
                cells << double((row + count) % 13) / 2;
            made.push_back(cells);
        }
        return made;
    }();
    return rows;
}

void BM_WriterTwoMillionCells(benchmark::State& state)
{
    ListingContext context;
    const auto& rows = twoMillionCells();
    for (auto _ : state) {
        SpreadsheetWriter sheet(context.app, u"cells"_s);
        for (size_t row = 0; row < rows.size(); ++row)
            for (int column = 0; column < rows[row].size(); ++column)
                sheet.setCell(int(row) + 1, column + 1, rows[row][column]);
        sheet.saveAndOpen();
    }
    state.counters["cells/s"] = benchmark::Counter(double(state.iterations()) * 2e6, benchmark::Counter::kIsRate);
}

void BM_RawLibxlsxwriterTwoMillionCells(benchmark::State& state)
{
    QTemporaryDir folder;
    const auto& rows = twoMillionCells();
    for (auto _ : state) {
        RawSheet sheet(folder.filePath(u"raw.xlsx"_s));
        for (size_t row = 0; row < rows.size(); ++row)
            for (int column = 0; column < rows[row].size(); ++column)
                sheet.write(int(row) + 1, column + 1, rows[row][column]);
    }
    state.counters["cells/s"] = benchmark::Counter(double(state.iterations()) * 2e6, benchmark::Counter::kIsRate);
}

// Opens a listing dialog, chooses and presses OK, as a clerk does; the dialog closes itself.
void pressOk(ListingContext& context, const QString& form, const std::function<void(QWidget*)>& choose)
{
    QWidget* dialog = OpenFormCommand(context.app)(form);
    choose(dialog);
    dialog->findChild<QPushButton*>(u"OKButton"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// range(0): 0 for every area, else that one area.
void BM_DeliveryList(benchmark::State& state)
{
    ListingContext context;
    const int area = int(state.range(0));
    for (auto _ : state)
        pressOk(context, u"載入送貨地址"_s, [&](QWidget* dialog) {
            if (area == 0)
                dialog->findChild<QRadioButton*>(u"全部"_s)->click();
            else
                dialog->findChild<DataCombo*>(u"DataCombo1"_s)->setText(QString::number(area));
        });
}

void BM_DeliveryListByHand(benchmark::State& state)
{
    ListingContext context;
    const int area = int(state.range(0));
    QVariantList areas;
    QSqlQuery all = context.db->exec(u"select milk_area from milk_area order by milk_area"_s);
    while (all.next())
        if (area == 0 || all.value(0).toInt() == area)
            areas << all.value(0);
    const auto order = DeliveryListSheet::Order::ByAddress;
    for (auto _ : state) {
        RawSheet sheet(context.folder.filePath(u"by hand.xlsx"_s));
        int r = 1;
        for (const QVariant& a : areas) {
            QSqlQuery lines = context.db->exec(DeliveryListSheet::linesStatement(order), {a, kDay});
            r += sheet.writeQuery(lines, r + 3, 1) + 3;
            QSqlQuery totals = context.db->exec(DeliveryListSheet::totalsStatement(), {a, kDay});
            r += sheet.writeQuery(totals, r + 3, 4);
            QSqlQuery starters = context.db->exec(DeliveryListSheet::startersStatement(order),
                                                  {kDay.addDays(1), kDay.addDays(1), a});
            if (starters.next()) {
                r += 6;
                do {
                    for (int i = 0; i < 8; ++i)
                        sheet.write(r, 1 + i, starters.value(i));
                    ++r;
                } while (starters.next());
            }
            r += 12;
        }
    }
}

void BM_MonthlyListingEveryCustomer(benchmark::State& state)
{
    ListingContext context;
    for (auto _ : state)
        pressOk(context, u"載入客戶訂的日期"_s,
                [](QWidget* dialog) { dialog->findChild<QRadioButton*>(u"Option2"_s)->click(); });
}

void BM_MonthlyListingByHand(benchmark::State& state)
{
    ListingContext context;
    const QDate first(kDay.year(), kDay.month(), 1);
    qint64 rows = 0;
    for (auto _ : state) {
        RawSheet sheet(context.folder.filePath(u"by hand.xlsx"_s));
        QSqlQuery query = context.db->exec(
            u"select distinct order_date.c_code, name, date_d, names, subscribe_num, give_num, add_num,"
            " subtract_num, not_bottle, expense, refund, suspend, order_date.milk_area"
            " from customer_data, order_date where customer_data.c_code = order_date.c_code"
            " and order_date.date_d >= ? and order_date.date_d <= ?"
            " and coalesce(returnss, 0) = 0 and coalesce(timeout, 0) = 0"
            " order by order_date.c_code, date_d, names"_s,
            {first, first.addMonths(1).addDays(-1)});
        rows = sheet.writeQuery(query, 4, 1);
    }
    state.counters["rows"] = double(rows);
}

BENCHMARK(BM_WriterTwoMillionCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RawLibxlsxwriterTwoMillionCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeliveryList)->Arg(3)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeliveryListByHand)->Arg(3)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthlyListingEveryCustomer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MonthlyListingByHand)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_database);
}
