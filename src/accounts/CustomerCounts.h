#pragma once

#include <QString>
#include <array>
#include <optional>

class DataSource;

// How many customers were entered in each month of `year` (index 0 is January), cancelled ones too:
// of every salesperson, or of the one whose name a customer's `enter_worker` holds. A customer
// without an entry date counts in no month. The rows are read through `source`. Throws DataError.
std::array<int, 12> customersEnteredPerMonth(DataSource& source, int year,
                                             const std::optional<QString>& salesperson = std::nullopt);
