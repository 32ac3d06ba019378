// One journal row saved with its number: taken inside the saving transaction under the lock of its
// table, beside the same save reading the highest number by hand without a lock. On SQLite and, where
// HALCYON_TEST_PG names a server, on PostgreSQL, where the lock and the savepoint of the outermost scope
// are round trips of their own.
#include "BenchSample.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "records/MaxPlusOneNumbering.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>

namespace {

const QString kInsert = QStringLiteral("INSERT INTO account_table (serial, item, expense, date_d, in_out) "
                                       "VALUES (?, 'bench', 1, '2026-12-08', 'income')");

// A database of the benchmark's own, with the schema: a SQLite file, or a schema on the server
// HALCYON_TEST_PG names (nothing where none is named).
std::unique_ptr<Database> openDatabase(const benchmark::State& state)
{
    static QTemporaryDir folder;
    static int opened = 0;
    const QString name = QStringLiteral("numbering_%1_%2").arg(QCoreApplication::applicationPid()).arg(++opened);
    QString location = QDir(folder.path()).filePath(name + QStringLiteral(".sqlite"));
    if (state.range(0) == 1) {
        if (qEnvironmentVariableIsEmpty("HALCYON_TEST_PG"))
            return nullptr;
        QUrl url(qEnvironmentVariable("HALCYON_TEST_PG"));
        url.setQuery(QStringLiteral("schema=bench_") + name);
        location = url.toString();
    }
    auto db = Database::open(location);
    Schema::create(*db);
    return db;
}

template <class Number>
void measure(benchmark::State& state, Number number)
{
    const std::unique_ptr<Database> db = openDatabase(state);
    if (!db) {
        state.SkipWithError("HALCYON_TEST_PG is not set");
        return;
    }
    state.SetLabel(state.range(0) == 1 ? "PostgreSQL" : "SQLite");
    for (auto _ : state) {
        Transaction save(*db);
        db->exec(kInsert, {number(*db)});
        save.commit();
    }
}

void BM_NumberedSave(benchmark::State& state)
{
    measure(state, [](Database& db) {
        return MaxPlusOneNumbering(db, QStringLiteral("account_table"), QStringLiteral("serial")).take();
    });
}
BENCHMARK(BM_NumberedSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The plain way: the highest number read by hand, no lock.
void BM_PlainSave(benchmark::State& state)
{
    measure(state, [](Database& db) {
        return db.scalar(QStringLiteral("SELECT coalesce(max(serial), 0) + 1 FROM account_table")).toInt();
    });
}
BENCHMARK(BM_PlainSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
