#pragma once

#include "data/Recordset.h"

// The row a record form returns to: taken when an add, a modify or a search begins, and gone back to
// by cancel and by a search that finds nothing.
class RememberedPosition {
public:
    explicit RememberedPosition(Recordset& records) : m_records(records) {}

    void remember() { m_bookmark = m_records.bookmark(); }
    // Goes back to the remembered row; false (and no move) when there is none or it is gone.
    bool restore() { return m_records.gotoBookmark(m_bookmark); }

private:
    Recordset& m_records;
    Recordset::Bookmark m_bookmark = -1;
};
