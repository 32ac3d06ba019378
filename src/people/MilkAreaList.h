#pragma once

#include <QString>

// The milk areas listed by the area combos. The combos show and bind the column 奶區, which the
// table does not have: the area number is offered under that name as well.
inline QString milkAreaListQuery()
{
    return QStringLiteral("select milk_area, milk_area as 奶區 from milk_area order by milk_area");
}

inline QString milkAreaListField() { return QStringLiteral("奶區"); }
