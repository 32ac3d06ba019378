// How long the full customer list takes to answer one key press in its search box, over 5,000
// customers: the query, the new rows and the grid showing them.

#include "BenchSample.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "people/PeopleListForms.h"
#include "core/AppContext.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void addCustomers(Database& db, int count)
{
    static const QStringList streets = {u"Harbour Rd"_s, u"Hill Top"_s, u"Market St"_s, u"中正路"_s, u"Riverside"_s};
    Transaction transaction(db);
    for (int code = 1; code <= count; ++code) {
        const QString street = streets[code % streets.size()];
        db.exec(u"insert into customer_data (c_code, name, addr, goods_addr, goods_addr_code, milk_area) "
                 "values (?, ?, ?, ?, ?, ?)"_s,
                {code, u"Customer %1"_s.arg(code), u"%1 %2"_s.arg(code).arg(street),
                 u"%1 %2, floor %3"_s.arg(code % 400).arg(street).arg(code % 9), u"G%1"_s.arg(code % 50),
                 code % 12});
    }
    transaction.commit();
}

// Types one letter and takes it back: two searches, the second over most of the customers.
void BM_SearchAsYouType(benchmark::State& state)
{
    QTemporaryDir folder;
    auto db = Database::open(folder.filePath(u"bench.sqlite"_s));
    Schema::create(*db);
    addCustomers(*db, int(state.range(0)));

    SilentMessages messages;
    Clock clock;
    AppContext app(*db, messages, clock);
    registerPeopleListForms(app);
    QWidget* list = OpenFormCommand(app)(u"客戶全灠"_s);
    list->resize(1000, 700);
    auto* searchBox = list->findChild<QLineEdit*>(u"text1"_s);
    QTest::keyClicks(searchBox, u"Har"_s);

    for (auto _ : state) {
        QTest::keyClick(searchBox, Qt::Key_B);
        QApplication::processEvents();
        QTest::keyClick(searchBox, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    delete list;
}
BENCHMARK(BM_SearchAsYouType)->Arg(5000)->Unit(benchmark::kMillisecond);

// The plainest way to the same two answers: each query read by hand into a plain item model.
void BM_PlainQueryIntoItemModel(benchmark::State& state)
{
    QTemporaryDir folder;
    auto db = Database::open(folder.filePath(u"bench.sqlite"_s));
    Schema::create(*db);
    addCustomers(*db, int(state.range(0)));
    QStandardItemModel model;
    auto search = [&](const QString& text) {
        QSqlQuery query = db->exec(u"select * from customer_data where lower(addr) like lower(?) escape '!' "
                                   "order by c_code"_s,
                                   {u'%' + text + u'%'});
        model.clear();
        const int columns = query.record().count();
        while (query.next()) {
            QList<QStandardItem*> row;
            for (int i = 0; i < columns; ++i)
                row << new QStandardItem(query.value(i).toString());
            model.appendRow(row);
        }
    };
    for (auto _ : state) {
        search(u"Harb"_s);
        search(u"Har"_s);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_PlainQueryIntoItemModel)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
