#pragma once

#include "samplegen/SampleBusiness.h"

#include <QString>

// The sample business the benchmarks read: 5,000 customers and a year of delivery rows (about two
// million order_date rows).
inline const SampleSize benchSampleSize{.customers = 5000, .days = 365};

// The filled SQLite file of that business, kept in the temporary folder under its size and seed so
// only the first run pays for it (about half a minute; delete it after changing the generator).
// Throws DataError.
QString sampleDatabase();
