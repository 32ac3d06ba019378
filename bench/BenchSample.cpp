#include "BenchSample.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// Raised whenever the generator writes other rows, or the schema's indexes change within one schema
// version, so no benchmark reads a database filled before.
constexpr int kSampleRevision = 4; // 2: goods entries; 3: the covering index of order_date; 4: the days suspended for every customer

} // namespace

// Filled under another name and renamed, so a run cut short leaves nothing behind to be taken for a
// full one.
QString benchSampleDatabase()
{
    const SampleSize& size = kBenchSample;
    const QString path = QDir::temp().filePath(u"halcyon-bench-v%1-c%2-e%3-p%4-d%5-%6-s%7-r%8.sqlite"_s
                                                   .arg(Schema::currentVersion())
                                                   .arg(size.customers)
                                                   .arg(size.employees)
                                                   .arg(size.products)
                                                   .arg(size.days)
                                                   .arg(size.firstDay.toString(u"yyyyMMdd"_s))
                                                   .arg(size.seed)
                                                   .arg(kSampleRevision));
    if (QFile::exists(path))
        return path;
    const QString partial = path + u".part"_s;
    QFile::remove(partial);
    QTextStream(stderr) << "Filling " << path << " once...\n";
    {
        // Closing the last connection folds the write-ahead log into the file.
        const auto db = Database::open(partial);
        SampleBusiness::fill(*db, size);
    }
    QFile::rename(partial, path);
    return path;
}

int runBenchmarks(int argc, char** argv, QString* sample)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (sample) {
        try {
            *sample = benchSampleDatabase();
        } catch (const DataError& error) {
            QTextStream(stderr) << "Cannot fill the sample database: " << error.message() << '\n';
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
