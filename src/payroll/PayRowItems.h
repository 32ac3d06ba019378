#pragma once

#include <array>

// The items of a pay row in the order of the settlement form's boxes: the additions of Text2 and the
// deductions of Text3. Some are the month's (salary_detailed), the others the employee's fixed items
// (salary_data).
namespace PayRowItems {

enum class Source { PayRow, FixedItems };

struct Item {
    const char* column;
    Source source;
    const char* label; // beside its box on the settlement form
};

inline constexpr std::array<Item, 14> Additions{{
    {"boss", Source::FixedItems, "provide"},
    {"post", Source::FixedItems, "provide2"},
    {"fully", Source::PayRow, "fully diligent"},
    {"food", Source::FixedItems, "mess"},
    {"reachbonus", Source::PayRow, "reach"},
    {"bonus", Source::PayRow, "reward"},
    {"bottle_m", Source::PayRow, "bottle"},
    {"effectsbonus", Source::PayRow, "results"},
    {"dispatch", Source::PayRow, "send"},
    {"oil", Source::FixedItems, "oil subsidies"},
    {"other", Source::FixedItems, "other subsidies"},
    {"loss", Source::FixedItems, "loss subsidies"},
    {"traff", Source::FixedItems, "traffic"},
    {"overtime", Source::PayRow, "overtime"},
}};
inline constexpr int BottleMoney = 6; // Text2(6): the month's bottle commissions

inline constexpr std::array<Item, 6> Deductions{{
    {"work", Source::FixedItems, "labor"},
    {"health", Source::FixedItems, "maintain"},
    {"ask_leave", Source::PayRow, "leave"},
    {"late", Source::PayRow, "late"},
    {"request", Source::PayRow, "request pay"},
    {"other_buckle", Source::PayRow, "other buckle"},
}};
inline constexpr int LeaveDeduction = 2; // Text3(2): priced from the leave hours

} // namespace PayRowItems
