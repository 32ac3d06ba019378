#include "sheets/CellWidth.h"

#include <QDate>
#include <cmath>

namespace {

// The East Asian wide and full-width ranges of the basic plane. A character beyond it comes as a
// surrogate pair, and its two halves count two.
bool isWide(char16_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6);
}

int textWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += isWide(c.unicode()) ? 2 : 1;
    return width;
}

// A number as the sheet's general format shows it; whole numbers, the common case, without making text.
int numberWidth(double number)
{
    if (number == std::trunc(number) && std::abs(number) < 1e11) {
        int width = number < 0 ? 2 : 1;
        for (double rest = std::abs(number); rest >= 10; rest /= 10)
            ++width;
        return width;
    }
    return int(QString::number(number, 'g', 10).size());
}

} // namespace

int cellWidth(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return 0;
    case QMetaType::QString:
        return textWidth(value.toString());
    case QMetaType::QDate:
        return int(value.toDate().toString(QStringLiteral("yyyy/M/d")).size());
    case QMetaType::Bool:
        return value.toBool() ? 4 : 5;
    default:
        return numberWidth(value.toDouble());
    }
}
