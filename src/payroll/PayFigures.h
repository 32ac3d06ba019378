#pragma once

#include "data/DataError.h"
#include "data/Decimal.h"
#include "data/TextRules.h"

#include <QList>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>

// The figures of a pay row: read from its boxes or from the books, added up and made whole in Decimal.
// A figure beyond what any pay row holds is refused with a DataError (a conversion) rather than
// clamped, so a box holding "1e300" is reported and never turns into a wrong total. The error's
// message names the figure and the range (rule()): it is the refusal's detail line.
namespace PayFigures {

// No pay comes near a hundred billion. Every figure within it, and every sum that stays within it, is
// kept exactly by the books' double-precision columns.
inline constexpr Decimal Limit = Decimal::fromUnits(Decimal::StoredUnitsLimit);
// What a box of pay holds, for the boxes bound to a column of pay.
TextRules::NumberRule rule();

// The number a box's text begins with ("12abc" -> 12, none -> 0).
Decimal read(QStringView text);
// A stored amount; null counts 0.
Decimal stored(const QVariant& value);
// A product, four places, halves to even.
Decimal multiply(Decimal a, Decimal b);
// A sum and a difference, refused beyond the range.
Decimal add(Decimal a, Decimal b);
Decimal subtract(Decimal a, Decimal b);
// To the nearest whole number, halves to even.
qint64 whole(Decimal value);

// Net pay as the settlement form keeps it current: salary + the additions - the deductions.
Decimal netPay(QStringView salary, const QStringList& additions, const QStringList& deductions);

// Net pay as the month-end run stores it: the additions (salary among them) less the deductions,
// which are made whole after each one is added, in the order of their boxes.
Decimal settledNetPay(const QList<Decimal>& additions, const QList<Decimal>& deductions);

// A refusal again, naming the employee and the item of pay it concerns.
DataError namingEmployee(const DataError& error, qint64 code, const QString& item);

} // namespace PayFigures

// The leave deduction of the settlement form: the hours of its leave boxes priced at the hourly
// rate of the monthly salary, (Whole(salary) \ 30) \ 8. Personal leave is kept with its fraction,
// sick leave made whole; the other kinds are not priced. The amounts belong to the row shown.
class LeaveDeduction {
public:
    enum Box { PersonalLeave = 0, SickLeave = 1 }; // boxes 2 to 5 are listed but not priced

    // Hours of an unpriced kind cost nothing and leave the deduction as it stands.
    static bool isPriced(int box) { return box == PersonalLeave || box == SickLeave; }

    static qint64 hourlyRate(QStringView salary);

    // Prices the hours typed into leave box `box` and returns the leave total. Throws DataError
    // (nothing changed) when a figure is beyond range.
    qint64 price(int box, QStringView hours, QStringView salary);
    // Another row, or a cancelled modify: no hours priced yet.
    void reset();

private:
    Decimal m_personal;
    qint64 m_sick = 0;
};
