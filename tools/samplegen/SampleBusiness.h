#pragma once

#include <QDate>
#include <QtGlobal>

class Database;

// How large a sample business to make, and from which seed.
struct SampleSize {
    int customers = 50;
    int employees = 8;
    int products = 6;
    int days = 365; // of delivery rows and subscription calendars, from firstDay on
    QDate firstDay = QDate(2026, 1, 1);
    quint32 seed = 1;
};

// A made-up milk-delivery business for tests, benchmarks and demonstrations.
namespace SampleBusiness {

// Creates the schema where it is missing and fills its empty tables: the lookup tables, employees
// with their payroll rows, products with their commission rates, subscription and delivery types,
// customers with their companion rows and orders, and the delivery rows of `size.days` days. The
// same size and seed give the same rows. It needs at least one employee, one product and one day.
// One transaction; throws DataError.
void fill(Database& db, const SampleSize& size);

} // namespace SampleBusiness
