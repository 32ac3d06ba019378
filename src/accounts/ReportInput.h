#pragma once

#include "data/TextRules.h"

#include <QString>
#include <cmath>
#include <optional>

// The whole number a report's box holds, blanks around it allowed, within [lowest, highest]; any other
// text names nothing, so a report never runs on a guess ("04" is 4, "4.5", "4x" and "" are nothing).
inline std::optional<int> wholeNumberIn(const QString& text, int lowest, int highest)
{
    const std::optional<double> number = TextRules::exactNumber(text);
    if (!number || *number != std::trunc(*number) || *number < lowest || *number > highest)
        return std::nullopt;
    return int(*number);
}
