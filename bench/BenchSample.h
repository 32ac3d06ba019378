#pragma once

#include "core/MessageService.h"
#include "samplegen/SampleBusiness.h"

#include <QString>

// The sample business the benchmarks read: 5,000 customers and a year of delivery rows, about two
// million order_date rows, in SQLite.
inline const SampleSize kBenchSample{.customers = 5000, .days = 365};

// The path of the filled database. It is kept in the temporary folder under its size and seed, so
// only the first run pays for it (about half a minute); delete it after changing the generator.
// Throws DataError.
QString benchSampleDatabase();

// The main() of the benchmarks: an application on the offscreen platform unless another is named,
// then every benchmark registered. With `sample`, the sample database is filled first and its path
// put there. Returns the exit status.
int runBenchmarks(int argc, char** argv, QString* sample = nullptr);

// Answers every box at once, so a benchmark never waits for a clerk.
class SilentMessages : public MessageService {
public:
    int msgBox(const QString&, int, const QString&) override { return Ok; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
};
