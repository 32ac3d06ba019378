#pragma once

#include "data/Decimal.h"

#include <QDate>
#include <QtGlobal>
#include <optional>

class Database;
class Recordset;

// The daily posting of the cash journal: closes one day. The day's cash in hand at its start (the
// closing of the last posted day, 0 before the first posting) plus the day's sum of the journal's
// amounts is its closing. The posted day is recorded twice, in one transaction: a row of the posted
// days (`account`) with its opening and closing, and a journal row that holds only a number and the day.
// Only a day later than the last posted one can be posted, and that is decided inside the transaction,
// so a day another clerk posted meanwhile is refused too.
class DailyPosting {
public:
    enum class Outcome { Posted, NotLater, Failed };

    struct Figures {
        QDate day;
        Decimal opening;
        Decimal daySum;
        Decimal closing;
        qint32 journalSerial = 0;
    };

    // `journal` holds the journal's rows; the posting's row is added to it, so its grid shows it.
    DailyPosting(Database& db, Recordset& journal);

    Outcome post(const QDate& day);
    // The figures of the last posting that succeeded.
    const Figures& figures() const { return m_figures; }

    // The last posted day; nothing before the first posting. Throws DataError.
    static std::optional<QDate> lastPostedDay(Database& db);

private:
    Figures figure(const QDate& day, const QDate& lastPosted);
    void write(const Figures& figures);

    Database& m_db;
    Recordset& m_journal;
    Figures m_figures;
};
