#pragma once

#include <QDate>
#include <QList>
#include <QtGlobal>
#include <functional>
#include <optional>

class Database;
class Transaction;

// The month-end settlement: every open pay row, in employee-code order, gets the month's bottle
// commissions as bottle_m, its net pay as promise, the settlement date and the settled flag; each
// employee who is known and has not left gets the next month's open row; the settlement date and the
// month settled are stored. All of it in one transaction, or nothing.
//
// A month is settled once: the run goes on only for a month after the one last settled (or when none
// is), and it reads that month, the open rows and the leaving dates inside its transaction, so of two
// clerks settling the same month one settles and the other is refused. A clerk who starts a run while
// another clerk's run holds the books is told at once which month that run is settling.
class MonthEndRun {
public:
    struct Request {
        int year = 0;
        int month = 0;
        QDate referenceDate;  // of the commissions' old and new customers
        QDate settlementDate; // written into each row and stored as the last settlement's date
    };
    enum class Outcome { Settled, AlreadySettled, BeingSettled };
    struct Result {
        Outcome outcome = Outcome::Settled;
        QList<qint64> settledRows; // the ids of the rows settled, in the order settled
        QDate settlingMonth;       // BeingSettled: the first day of the month another clerk's run settles
    };
    // Told the number of open rows once they are read (done = 0), then after every row settled.
    using Progress = std::function<void(int done, int total)>;

    explicit MonthEndRun(Database& db) : m_db(db) {}

    // Throws DataError when the database refuses a step or a figure is beyond range; nothing is
    // written then.
    Result run(const Request& request, const Progress& progress = {});

private:
    // What marking the month found: the mark is this run's, another run's stands, or another run holds
    // the books.
    enum class Marking { Own, AnothersStands, AnotherRunHolds };

    std::optional<QDate> settlingMark();
    Marking markSettling(QDate month);
    void unmarkSettling();
    bool beginUnlessAnotherRunHolds(std::optional<Transaction>& transaction);
    void settle(const Request& request, const Progress& progress, Marking marking, Result& result);
    bool claimMonth(const Request& request);

    Database& m_db;
};
