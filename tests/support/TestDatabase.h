#pragma once

#include "data/Database.h"

#include <QString>
#include <memory>
#include <string>

// The databases a data-layer test runs against: a fresh in-memory SQLite database, or a fresh schema
// on the PostgreSQL server that HALCYON_TEST_PG names (a postgresql:// URI).
enum class Backend { SQLite, PostgreSQL };

std::string backendName(Backend backend);

// True when the PostgreSQL server of the test run is there.
bool postgresAvailable();

// A fresh, empty database with the schema created. The PostgreSQL schema is dropped when the last
// connection to it closes (see TestDatabaseScope). Returns nullptr when the backend is not available.
std::unique_ptr<Database> openTestDatabase(Backend backend, bool withSchema = true);

// A second connection to the same database as `first` (another clerk at another PC).
std::unique_ptr<Database> openSecondConnection(const Database& first);

// Skips the running test when its backend is not available; use first thing in a parameterised test.
#define REQUIRE_BACKEND(backend)                                                                  \
    do {                                                                                          \
        if ((backend) == Backend::PostgreSQL && !postgresAvailable())                             \
            GTEST_SKIP() << "HALCYON_TEST_PG is not set: no PostgreSQL server for this run";      \
    } while (0)
