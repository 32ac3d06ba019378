#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <limits>
#include <optional>

// The business's rules for turning the text of boxes into numbers and dates and back.
namespace TextRules {

// The number a text begins with: leading blanks are skipped, the longest leading part that
// forms a decimal number is taken ("12abc" -> 12, "-3.5e2x" -> -350); no such part gives 0.
double numberFromText(QStringView text);

// Like numberFromText, but says whether the text (blanks around it aside) is a number and
// nothing else. Empty text is not a number.
std::optional<double> exactNumber(QStringView text);

// The whole number a box holds, blanks around it allowed, within [lowest, highest]; any other text
// names nothing, so a report or a filter never runs on a guess ("04" is 4; "4.5", "4x" and "" are nothing).
std::optional<int> wholeNumberIn(QStringView text, int lowest = std::numeric_limits<int>::min(),
                                 int highest = std::numeric_limits<int>::max());

// Rounds to a 32-bit integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
// values beyond the 32-bit range are clamped to it.
qint32 roundToInt32(double value);

// Whole-number division that truncates towards zero; division by zero gives 0.
qint32 intDiv(qint32 numerator, qint32 denominator);

// "yyyy/M/d": four-digit year, month and day without leading zeros.
QString dateText(const QDate& date);

// Reads "yyyy/M/d" (also "yyyy-M-d"); an impossible date such as 2002/2/30 gives nothing.
std::optional<QDate> dateFromText(QStringView text);

// The plain decimal text of a number: whole numbers without a fraction, others to at most fifteen
// significant digits, without an exponent (0.1 + 0.2 -> "0.3", 0.00001 -> "0.00001").
QString numberText(double value);

} // namespace TextRules
