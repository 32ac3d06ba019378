#pragma once

#include "data/Database.h"

#include <QString>
#include <memory>

// Spoils one leaf page in the middle of `table`'s rows in the SQLite books `db` holds, as a failing
// disk would, and opens the books again in `db`: the rows before and after that page still read, its
// own rows cannot. `table` must hold rows on several pages.
void damageMiddlePageOf(std::unique_ptr<Database>& db, const QString& table);
