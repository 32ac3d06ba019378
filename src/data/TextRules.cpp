#include "data/TextRules.h"

#include "data/DataError.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace TextRules {

namespace {

// Length of the longest prefix of text (from index start) that forms a decimal number.
qsizetype numberPrefixLength(QStringView text, qsizetype start)
{
    qsizetype i = start;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };

    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (isDigit(i)) { ++i; ++digits; }
    if (i < n && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (isDigit(j)) { ++j; ++fraction; }
        if (digits + fraction > 0) { i = j; digits += fraction; }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        qsizetype exponent = 0;
        while (isDigit(j)) { ++j; ++exponent; }
        if (exponent > 0)
            i = j;
    }
    return i - start;
}

qsizetype skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

} // namespace

double numberFromText(QStringView text)
{
    const qsizetype start = skipBlanks(text);
    const qsizetype length = numberPrefixLength(text, start);
    if (length == 0)
        return 0.0;
    const QStringView number = text.mid(start, length);
    // A fifth decimal place is not rounded away: a code typed with one is no code, a figure is refused.
    bool rounded = false;
    if (const std::optional<Decimal> figure = Decimal::tryFromText(number, &rounded); figure && !rounded)
        return figure->toDouble();
    bool ok = false;
    const double value = number.toString().toDouble(&ok);
    // A number too large for a double (1e400) is an infinity, which every range refuses, never 0.
    return ok || std::isinf(value) ? value : 0.0;
}

std::optional<double> exactNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty() || numberPrefixLength(trimmed, 0) != trimmed.size())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toString().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> wholeNumberIn(QStringView text, int lowest, int highest)
{
    const std::optional<double> whole = numberIn(text, NumberRule::wholeNumber(lowest, highest));
    return whole ? std::optional<int>(int(*whole)) : std::nullopt;
}

NumberRule NumberRule::wholeNumber(qint64 lowest, qint64 highest)
{
    return {true, double(lowest), double(highest)};
}

NumberRule NumberRule::wholeCount(qint64 lowest, qint64 highest)
{
    return {true, double(lowest), double(highest)};
}

NumberRule NumberRule::figure(double lowest, double highest)
{
    return {false, lowest, highest};
}

QString NumberRule::refusal(const QString& what) const
{
    return QStringLiteral("%1 must be %2 from %3 to %4.")
        .arg(what, whole ? QStringLiteral("a whole number") : QStringLiteral("a number"), numberText(lowest),
             numberText(highest));
}

namespace {

enum class Verdict { Number, NotANumber, NotWhole, OutOfRange, TooManyPlaces };

Verdict judge(double value, const NumberRule& rule)
{
    if (!std::isfinite(value) || value < rule.lowest || value > rule.highest)
        return Verdict::OutOfRange;
    if (rule.whole && value != std::trunc(value))
        return Verdict::NotWhole;
    return Verdict::Number;
}

// Read exactly, as Decimal reads it: a number written out in full beyond the books' figures (1e400) is
// beyond every range, not letters, and a fifth decimal place is refused rather than rounded away.
Verdict judge(QStringView text, const NumberRule& rule, double& value)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty() || numberPrefixLength(trimmed, 0) != trimmed.size())
        return Verdict::NotANumber;
    bool rounded = false;
    const std::optional<Decimal> figure = Decimal::tryFromText(trimmed, &rounded);
    if (!figure)
        return Verdict::OutOfRange;
    value = figure->toDouble();
    const Verdict verdict = judge(value, rule);
    if (verdict == Verdict::Number && rounded)
        return rule.whole ? Verdict::NotWhole : Verdict::TooManyPlaces;
    return verdict;
}

[[noreturn]] void refuse(Verdict verdict, const QString& shown, const NumberRule& rule, const QString& what)
{
    const QString message = verdict == Verdict::NotANumber ? QStringLiteral("'%1' is not a number for %2")
        : verdict == Verdict::NotWhole                     ? QStringLiteral("'%1' is not a whole number for %2")
        : verdict == Verdict::TooManyPlaces                ? QStringLiteral("'%1' has more than four decimal places for %2")
                                                           : QStringLiteral("'%1' is out of range for %2");
    const QString detail = verdict == Verdict::TooManyPlaces
        ? QStringLiteral("%1 takes at most four decimal places.").arg(what)
        : rule.refusal(what);
    throw DataError(DataError::Kind::Conversion,
                    verdict == Verdict::OutOfRange ? DataError::Reason::OutOfRange : DataError::Reason::Other,
                    message.arg(shown, what), detail);
}

} // namespace

std::optional<double> numberIn(QStringView text, const NumberRule& rule)
{
    double value = 0;
    if (judge(text, rule, value) != Verdict::Number)
        return std::nullopt;
    return value;
}

double numberOrRefuse(QStringView text, const NumberRule& rule, const QString& what)
{
    double value = 0;
    const Verdict verdict = judge(text, rule, value);
    if (verdict != Verdict::Number)
        refuse(verdict, text.trimmed().toString(), rule, what);
    return value;
}

double numberOrRefuse(double value, const NumberRule& rule, const QString& what)
{
    const Verdict verdict = judge(value, rule);
    if (verdict != Verdict::Number)
        refuse(verdict, numberText(value), rule, what);
    return value;
}

bool hasControlCharacter(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

QString controlCharacterRefusal(const QString& what)
{
    return QStringLiteral("%1 takes no control characters (tab, line break, NUL ...).").arg(what);
}

qint32 roundToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties to even
    if (rounded >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (rounded <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(rounded);
}

qint32 intDiv(qint32 numerator, qint32 denominator)
{
    if (denominator == 0)
        return 0;
    return qint32(qint64(numerator) / qint64(denominator));
}

QString dateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3").arg(date.year(), 4, 10, QLatin1Char('0')).arg(date.month()).arg(date.day());
}

QDate storedDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

std::optional<QDate> dateFromText(QStringView text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\d{4})[/-](\d{1,2})[/-](\d{1,2})\s*$)"));
    const auto match = pattern.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return QString::number(value, 'g', 15);
    // Fifteen significant digits, as the books always showed them: a sum such as 0.1 + 0.2, stored a
    // hair off, shows as 0.3. Written out in full, without an exponent, and without trailing zeros.
    // Counted on the whole part itself: log10 of 99999999999.9999 rounds up to 11.
    const double magnitude = std::fabs(value);
    const int wholeDigits = magnitude >= 1 ? int(QString::number(qint64(magnitude)).size())
                                           : int(std::floor(std::log10(magnitude))) + 1;
    QString text = QString::number(value, 'f', qBound(0, 15 - wholeDigits, 20));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace TextRules
