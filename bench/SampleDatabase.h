#pragma once

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "samplegen/SampleBusiness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTextStream>

#include <benchmark/benchmark.h>

// The sample business a benchmark runs on, filled once and kept in the temporary folder under its
// size, seed and schema version, so only the first run pays for it (delete it after changing the
// generator). It is filled under another name and renamed, so a run cut short leaves nothing behind
// to be taken for a full one. Throws DataError.
inline QString sampleDatabase(const SampleSize& size)
{
    using namespace Qt::StringLiterals;
    const QString path = QDir::temp().filePath(u"halcyon-bench-v%1-c%2-e%3-p%4-d%5-%6-s%7.sqlite"_s
                                                   .arg(Schema::currentVersion())
                                                   .arg(size.customers)
                                                   .arg(size.employees)
                                                   .arg(size.products)
                                                   .arg(size.days)
                                                   .arg(size.firstDay.toString(u"yyyyMMdd"_s))
                                                   .arg(size.seed));
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

// The main() of a benchmark on the sample business: `database` names it once it is filled.
inline int runOnSampleDatabase(int argc, char** argv, const SampleSize& size, QString& database)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        database = sampleDatabase(size);
    } catch (const DataError& error) {
        QTextStream(stderr) << "Cannot fill the sample database: " << error.message() << '\n';
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
