#pragma once

#include "data/Decimal.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <limits>
#include <optional>

// The business's rules for turning the text of boxes into numbers and dates and back.
namespace TextRules {

// The number a text begins with: leading blanks are skipped, the longest leading part that
// forms a decimal number is taken ("12abc" -> 12, "-3.5e2x" -> -350); no such part gives 0, and a
// number beyond any double ("1e400") an infinity. Within the books' four places it is read as Decimal
// reads it; digits past the fourth place are kept, never rounded away ("12.00004" is no 12).
double numberFromText(QStringView text);

// Like numberFromText, but says whether the text (blanks around it aside) is a number and
// nothing else. Empty text is not a number.
std::optional<double> exactNumber(QStringView text);

// The whole number a box holds, read as every box reads one: numberIn under NumberRule::wholeNumber
// (lowest, highest), so the text, blanks around it allowed, is a figure as Decimal::tryFromText reads it,
// and nothing else, with no fraction, not even one past the fourth decimal place. Any other text names
// nothing, so a search, filter or report never runs on a guess and the database never sees it ("04" is
// 4, "1.5e3" is 1500; "4.5", "12.00004", "4x", "" and "1e20" are nothing).
std::optional<int> wholeNumberIn(QStringView text, int lowest = std::numeric_limits<int>::min(),
                                 int highest = std::numeric_limits<int>::max());

// What a number box or column may hold: a whole number or any four-place figure, between two bounds.
// Nothing is rounded or clamped to fit: text outside the rule is refused, and the refusal names it.
struct NumberRule {
    bool whole = false;
    double lowest = 0;
    double highest = 0;

    // The largest whole number the books' exact arithmetic holds.
    static constexpr qint64 FigureLimit = Decimal::WholeLimit;
    // The largest four-place figure the books give back as it was written: 99999999999.9999.
    static constexpr double FigureHighest = double(Decimal::StoredUnitsLimit) / Decimal::Scale;

    // Whole numbers of a 32-bit column (codes, areas): by default every one it holds.
    static NumberRule wholeNumber(qint64 lowest = std::numeric_limits<qint32>::min(),
                                  qint64 highest = std::numeric_limits<qint32>::max());
    // Whole counts kept as figures (stock, bottles, quantities), up to what the exact arithmetic holds.
    static NumberRule wholeCount(qint64 lowest = -FigureLimit, qint64 highest = FigureLimit);
    // Any four-place figure the books keep exactly: money, rates, hours. A fifth decimal place is refused.
    static NumberRule figure(double lowest = -FigureHighest, double highest = FigureHighest);

    // The detail line of a refusal: "stock must be a whole number from 0 to 922337203685477.",
    // "price must be a number from -99999999999.9999 to 99999999999.9999."
    QString refusal(const QString& what) const;
};

// The number a box holds under `rule`, blanks around it allowed; nothing for any other text (letters,
// a fraction where whole numbers go, a number beyond the bounds, an empty box).
std::optional<double> numberIn(QStringView text, const NumberRule& rule);
// The same, refusing with DataError (a conversion): the message says what is wrong with `text` for
// `what` ("'12.5' is not a whole number for stock"), the detail line is rule.refusal(what).
double numberOrRefuse(QStringView text, const NumberRule& rule, const QString& what);
// A number the program was handed rather than typed, under the same rule and refusal.
double numberOrRefuse(double value, const NumberRule& rule, const QString& what);

// Whether text holds a control character (NUL, tab, a line break, ESC, DEL ...), which no box and no
// column of the books takes.
bool hasControlCharacter(QStringView text);
// The detail line of that refusal, naming the box or column.
QString controlCharacterRefusal(const QString& what);

// Rounds to a 32-bit integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
// values beyond the 32-bit range are clamped to it.
qint32 roundToInt32(double value);

// Whole-number division that truncates towards zero; division by zero gives 0.
qint32 intDiv(qint32 numerator, qint32 denominator);

// "yyyy/M/d": four-digit year, month and day without leading zeros.
QString dateText(const QDate& date);

// Reads "yyyy/M/d" (also "yyyy-M-d"); an impossible date such as 2002/2/30 gives nothing.
std::optional<QDate> dateFromText(QStringView text);

// A date as the database hands it back: a date (PostgreSQL) or its ISO text (SQLite, a time of day
// perhaps after it). Anything else is an invalid date.
QDate storedDate(const QVariant& value);

// The plain decimal text of a number: whole numbers without a fraction, others to at most fifteen
// significant digits, without an exponent (0.1 + 0.2 -> "0.3", 0.00001 -> "0.00001").
QString numberText(double value);

} // namespace TextRules
