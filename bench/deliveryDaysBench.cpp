// The delivery-day view and the order form over a year of a 5,000-customer business (about two
// million order_date rows, 175,000 a month). Targets: the month view opens in 0.5 s; one day's
// suspend (about 5,700 rows) with the grid read again takes 0.6 s, measured beside the old way of
// writing each matching row through the recordset; the order form opens on a customer in 150 ms.
// The all view reports its time and the peak memory of the process.

#include "BenchSample.h"
#include "core/AppContext.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "orders/OrdersForms.h"
#include "widgets/FetchingGrid.h"

#include "data/DataError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTextStream>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString g_sample;
const QDate kDay(2026, 6, 15);

// Says Yes to every question.
class YesMessages : public MessageService {
public:
    int msgBox(const QString&, int, const QString&) override { return Yes; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
};

// A copy of the sample business for the benchmarks that write, and the forms on it.
struct Books {
    Books()
    {
        QFile::copy(g_sample, folder.filePath(u"books.sqlite"_s));
        db = Database::open(folder.filePath(u"books.sqlite"_s));
        app = std::make_unique<AppContext>(*db, messages, clock);
        registerOrdersForms(*app);
    }
    QTemporaryDir folder;
    std::unique_ptr<Database> db;
    YesMessages messages;
    FixedClock clock{kDay};
    std::unique_ptr<AppContext> app;
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_MonthViewOpens(benchmark::State& state)
{
    Books books;
    qint64 rows = 0;
    for (auto _ : state) {
        QWidget* form = OpenFormCommand(*books.app)(u"訂法全灠"_s);
        state.PauseTiming();
        rows = form->findChild<FetchingGrid*>()->rowsRead();
        delete form;
        state.ResumeTiming();
    }
    state.counters["rows"] = double(rows);
}

// Suspends and resumes the day by turns: each is one click, its write and the grid read again.
void BM_SuspendOneDay(benchmark::State& state)
{
    Books books;
    QWidget* form = OpenFormCommand(*books.app)(u"訂法全灠"_s);
    auto* suspend = form->findChild<QAbstractButton*>(u"所有客戶暫停"_s);
    auto* resume = form->findChild<QAbstractButton*>(u"所有客戶取消暫停"_s);
    bool suspending = true;
    for (auto _ : state) {
        QTest::mouseClick(suspending ? suspend : resume, Qt::LeftButton);
        suspending = !suspending;
    }
    state.counters["rows"] = books.db->scalar(u"select count(*) from order_date where date_d = ?"_s, {kDay}).toDouble();
    delete form;
}

// The old way: a pass over the month's rows, each row of the day written through the recordset.
void BM_SuspendRowByRow(benchmark::State& state)
{
    Books books;
    DataSource month(*books.db);
    const QDate first(kDay.year(), kDay.month(), 1);
    month.setQuery(u"select * from order_date where date_d >= ? and date_d < ? order by c_code, date_d, id"_s,
                   {first, first.addMonths(1)});
    month.refresh();
    int suspendValue = 1;
    for (auto _ : state) {
        Recordset& rows = month.recordset();
        const int dayColumn = rows.fieldIndex(u"date_d"_s);
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            if (rows.valueAt(rows.absolutePosition(), dayColumn).toDate() != kDay)
                continue;
            rows.setValue(u"suspend"_s, suspendValue);
            rows.update();
        }
        suspendValue = 1 - suspendValue;
    }
}

void BM_AllViewOpens(benchmark::State& state)
{
    Books books;
    qint64 rows = 0;
    for (auto _ : state) {
        QWidget* form = OpenFormCommand(*books.app)(u"訂法全灠"_s);
        form->findChild<QRadioButton*>(u"Option1"_s)->setChecked(true);
        state.PauseTiming();
        rows = form->findChild<FetchingGrid*>()->rowsRead();
        delete form;
        state.ResumeTiming();
    }
    state.counters["rows"] = double(rows);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_OrderFormOpensOnACustomer(benchmark::State& state)
{
    Books books;
    books.app->values.selected_c_code = 2500;
    for (auto _ : state) {
        QWidget* form = OpenFormCommand(*books.app)(u"訂單"_s);
        state.PauseTiming();
        delete form;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_OrderFormOpensOnACustomer)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MonthViewOpens)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SuspendOneDay)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_SuspendRowByRow)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_AllViewOpens)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, &g_sample);
}
