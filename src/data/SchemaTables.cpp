#include "data/Schema.h"

// Placeholder until the full table list lands.
const QList<Schema::Table>& Schema::tables()
{
    using T = Schema::Type;
    static const QList<Table> all = {
        {QStringLiteral("customer_data"),
         {{QStringLiteral("c_code"), T::Integer}, {QStringLiteral("name"), T::Text}, {QStringLiteral("tel"), T::Text},
          {QStringLiteral("input_date"), T::Date}, {QStringLiteral("milk_area"), T::Integer},
          {QStringLiteral("cancel"), T::Flag}},
         QStringLiteral("c_code"), true},
        {QStringLiteral("return_reason"),
         {{QStringLiteral("id"), T::Integer}, {QStringLiteral("return_reason"), T::Text}},
         QStringLiteral("id"), true, true},
    };
    return all;
}
