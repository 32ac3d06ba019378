#pragma once

#include "data/Decimal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

class Database;
class Recordset;

// The daily posting of the cash journal: closes one day. It takes into the cash in hand every movement
// of the journal dated on or before the day that no posting took yet (a day left unposted, a row entered
// late for a posted day), marks each with the posting that took it, so every movement reaches the cash
// once, and names the earlier days it took rows of. A row a posting took is not changed or deleted
// afterwards: a correcting row keeps the cash in hand the opening plus every movement. The day's
// opening is the closing of the last posted day (0 before the first posting); its closing is the
// opening plus what the posting took. The posted day is recorded twice, in one
// transaction: a row of the posted days (`account`) with its opening and closing, and a journal row that
// holds only a number and the day. Only a day later than the last posted one can be posted. Postings
// take turns under a lock of their own, so a clerk posting the next day at the same time opens on this
// day's closing.
class DailyPosting {
public:
    enum class Outcome { Posted, NotLater, Failed };

    struct Figures {
        QDate day;
        Decimal opening;
        Decimal daySum; // what the posting took
        Decimal closing;
        qint32 journalSerial = 0;
        QList<QDate> carriedDays; // earlier days whose rows no posting had taken, in order
    };

    // `journal` holds the journal's rows; the posting's row is added to it, so its grid shows it.
    DailyPosting(Database& db, Recordset& journal);

    Outcome post(const QDate& day);
    // The figures of the last posting that succeeded.
    const Figures& figures() const { return m_figures; }
    // Why the last posting was refused, in the clerk's words.
    const QString& refusal() const { return m_refusal; }

    // The last posted day; nothing before the first posting. Throws DataError.
    static std::optional<QDate> lastPostedDay(Database& db);
    // The day of the posting that took the journal row `serial` into the cash in hand; nothing while no
    // posting has. Throws DataError.
    static std::optional<QDate> postingDayOf(Database& db, const QVariant& serial);
    // Refuses a change or delete of the journal row `serial` once a posting took it into the cash in
    // hand, naming the posted day: the clerk enters a correcting row instead. Runs inside the write's
    // transaction, under the lock postings take their rows under, so none takes the row meanwhile.
    // Throws DataError.
    static void refuseChangeOfPostedRow(Database& db, const QVariant& serial);

private:
    Figures write(const QDate& day, const std::optional<QDate>& lastPosted);
    void takeMovements(qint32 postingSerial, Figures& figures);

    Database& m_db;
    Recordset& m_journal;
    Figures m_figures;
    QString m_refusal;
};
