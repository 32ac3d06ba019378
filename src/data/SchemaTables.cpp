#include "data/Schema.h"

#include <QDate>

// Every table of the books, with the column names the forms and reports use. Where nothing in the
// program reads a column by name (company_data, return_reason, three of customer_data) the choice is
// noted there.

namespace Schema {

namespace {

using namespace Qt::StringLiterals;

Column integer(const QString& name) { return {name, Type::Integer}; }
Column real(const QString& name, const QVariant& defaultValue = {}) { return {name, Type::Real, defaultValue}; }
Column text(const QString& name) { return {name, Type::Text}; }
Column date(const QString& name) { return {name, Type::Date}; }
Column flag(const QString& name) { return {name, Type::Flag}; }

// A table whose rows have no key of their own: the program adds `id`, which grids hide.
Table withSurrogateKey(const QString& name, QList<Column> columns, QList<QStringList> indexes = {},
                       QList<QVariantMap> initialRows = {})
{
    columns.prepend(integer(u"id"_s));
    return {.name = name,
            .columns = std::move(columns),
            .key = u"id"_s,
            .keyGenerated = true,
            .surrogateKey = true,
            .indexes = std::move(indexes),
            .initialRows = std::move(initialRows)};
}

// A table whose rows are changed in place after they are written: each PostgreSQL page keeps a fifth
// of itself for their new versions.
Table changedInPlace(Table table)
{
    table.fillFactor = 80;
    return table;
}

// A lookup table: one column, the value being its own key.
Table lookup(const QString& name, const Column& column)
{
    return {.name = name, .columns = {column}, .key = column.name};
}

// A table of names: the name is the key, added in an order the lists keep.
Table typeNames(const QString& name, const QString& column)
{
    return {.name = name, .columns = {text(column), integer(u"type_order"_s)}, .key = column};
}

QList<Table> buildTables()
{
    const QVariant noDate(QMetaType::fromType<QDate>());

    return {
        // Settings. No form reads a column of company_data by name: its grid shows these.
        withSurrogateKey(u"company_data"_s,
                         {text(u"company_name"_s), text(u"addr"_s), text(u"tel"_s), text(u"fax"_s),
                          text(u"unifyserial"_s), text(u"owner"_s)},
                         {}, {{{u"company_name"_s, u""_s}}}),
        lookup(u"milk_area"_s, integer(u"milk_area"_s)),
        lookup(u"expense_area"_s, integer(u"expense_area"_s)),
        lookup(u"bottle_type"_s, text(u"bottle_type"_s)),
        lookup(u"warm_box"_s, text(u"warm_box"_s)),
        // Nor any of return_reason: one reason per row, as in add_reason.
        lookup(u"return_reason"_s, text(u"return_reason"_s)),
        lookup(u"add_reason"_s, text(u"add_reason"_s)),

        // Customers.
        {.name = u"customer_data"_s,
         .columns = {integer(u"c_code"_s),
                     text(u"name"_s),
                     text(u"tel"_s),
                     text(u"cell_phone"_s),
                     text(u"addr"_s),
                     date(u"input_date"_s),
                     text(u"other"_s),
                     text(u"goods_addr_code"_s),
                     text(u"goods_addr"_s),
                     text(u"billhead"_s),
                     text(u"unifyserial"_s),
                     text(u"enter_worker"_s),
                     integer(u"milk_area"_s),
                     integer(u"expense_area"_s),
                     text(u"warm_box"_s),
                     text(u"add_reason"_s),
                     flag(u"bill2"_s),
                     flag(u"bill3"_s),
                     flag(u"advancepay"_s),
                     flag(u"cancel"_s),
                     // The delivery note printed beside each line of the delivery list, and two flags
                     // that take a customer out of the monthly listing (bottles returned, lapsed).
                     text(u"temp"_s),
                     flag(u"returnss"_s),
                     flag(u"timeout"_s)},
         .key = u"c_code"_s,
         .keyGenerated = true},
        {.name = u"different_move"_s, .columns = {integer(u"c_code"_s)}, .key = u"c_code"_s},
        {.name = u"acrossbills_data"_s,
         .columns = {integer(u"serial"_s), integer(u"c_code"_s)},
         .key = u"serial"_s,
         .keyGenerated = true},
        withSurrogateKey(u"turn_milk"_s,
                         {integer(u"c_code"_s), integer(u"original"_s), integer(u"new_milk"_s),
                          date(u"input_date"_s)}),
        {.name = u"business_stay"_s,
         .columns = {integer(u"serial"_s), integer(u"c_code"_s), date(u"input_date"_s), text(u"contact_item"_s),
                     text(u"contact_man"_s), text(u"contact"_s)},
         .key = u"serial"_s},

        // Employees. job_level holds "1" to "12" and is compared as text by the sales chart.
        {.name = u"employees_data"_s,
         .columns = {integer(u"e_code"_s),
                     text(u"name"_s),
                     text(u"id"_s),
                     text(u"tel"_s),
                     text(u"cell_phone"_s),
                     date(u"birthday"_s),
                     text(u"record"_s),
                     text(u"addr"_s),
                     text(u"skill"_s),
                     date(u"input_date"_s),
                     text(u"dep_code"_s),
                     date(u"reach_date"_s),
                     date(u"leave_date"_s),
                     text(u"contact"_s),
                     text(u"contact_tel"_s),
                     text(u"account"_s),
                     text(u"mark"_s),
                     flag(u"cancel"_s),
                     text(u"job_leave"_s),
                     text(u"job_level"_s),
                     integer(u"expense_area"_s),
                     integer(u"milk_area"_s)},
         .key = u"e_code"_s},

        // Products and stock.
        {.name = u"products_data"_s,
         .columns = {integer(u"code"_s),
                     text(u"names"_s),
                     real(u"price"_s),
                     real(u"preferen"_s),
                     real(u"amount"_s),
                     real(u"store"_s),
                     real(u"much"_s),
                     date(u"input_date"_s),
                     text(u"other"_s)},
         .key = u"code"_s},
        {.name = u"pass_goods"_s,
         .columns = {integer(u"serial"_s),
                     integer(u"code"_s),
                     date(u"date_d"_s),
                     real(u"original_store"_s),
                     real(u"today_enter"_s),
                     real(u"today_exit"_s),
                     real(u"retail"_s),
                     real(u"loss"_s),
                     real(u"sales_milk"_s),
                     real(u"other"_s)},
         .key = u"serial"_s,
         .indexes = {{u"date_d"_s}, {u"code"_s, u"date_d"_s}}},
        // Empty until the first goods entry stamps it.
        withSurrogateKey(u"update_date"_s, {date(u"update_date"_s)}, {}, {{{u"update_date"_s, noDate}}}),

        // Subscriptions, orders and deliveries.
        {.name = u"order_data"_s,
         .columns = {integer(u"o_code"_s),
                     integer(u"c_code"_s),
                     date(u"start_date"_s),
                     date(u"input_date"_s),
                     real(u"amount"_s),
                     text(u"subscribe_type"_s),
                     text(u"send_type"_s),
                     text(u"bottle_type"_s),
                     flag(u"ice"_s),
                     flag(u"hot"_s),
                     flag(u"grounp"_s),
                     real(u"bottle_m"_s),
                     flag(u"special"_s),
                     flag(u"cancel"_s)},
         .key = u"o_code"_s,
         .keyGenerated = true,
         .indexes = {{u"c_code"_s}}},
        // The names of the types, each with its place in the order they were added, which the program
        // gives (a row's place in the table is not kept: a VACUUM moves rows).
        typeNames(u"order_kind"_s, u"subscribe_type"_s),
        withSurrogateKey(u"subscribe_type"_s, {text(u"subscribe_type"_s), date(u"date_d"_s)},
                         {{u"subscribe_type"_s, u"date_d"_s}}),
        typeNames(u"send_kind"_s, u"send_type"_s),
        {.name = u"send_type"_s,
         .columns = {integer(u"serial"_s), text(u"send_type"_s), text(u"names"_s)},
         .key = u"serial"_s},
        // The delivery rows. Their counts start at 0, so a row written with only some of them still
        // adds up. A new price reprices them in place.
        changedInPlace(withSurrogateKey(u"order_date"_s,
                                        {integer(u"c_code"_s),
                                         date(u"date_d"_s),
                                         text(u"names"_s),
                                         real(u"subscribe_num"_s, 0),
                                         real(u"give_num"_s, 0),
                                         real(u"add_num"_s, 0),
                                         real(u"subtract_num"_s, 0),
                                         real(u"not_bottle"_s, 0),
                                         real(u"expense"_s, 0),
                                         flag(u"refund"_s),
                                         flag(u"suspend"_s),
                                         integer(u"milk_area"_s),
                                         text(u"bottle_type"_s),
                                         integer(u"loss_duty"_s)},
                                        {{u"date_d"_s},
                                         {u"milk_area"_s, u"date_d"_s},
                                         // The day grid's order.
                                         {u"c_code"_s, u"date_d"_s, u"id"_s},
                                         // Covers the bottles of a product's days, so the expected shipments of a
                                         // range and a day's total read the index alone.
                                         {u"names"_s, u"date_d"_s, u"refund"_s, u"suspend"_s, u"subscribe_num"_s,
                                          u"give_num"_s, u"add_num"_s, u"subtract_num"_s}})),
        // The days suspended for every customer (the bulk suspend): rows written onto them later are
        // written suspended until the day is resumed.
        {.name = u"suspended_day"_s, .columns = {date(u"date_d"_s)}, .key = u"date_d"_s},

        // Payroll and leave. The forms that add payroll rows leave the amounts
        // to the database and the settlement adds them up, so they start at 0.
        {.name = u"salary_data"_s,
         .columns = {integer(u"e_code"_s),
                     text(u"name"_s),
                     real(u"salary"_s, 0),
                     real(u"boss"_s, 0),
                     real(u"post"_s, 0),
                     real(u"food"_s, 0),
                     real(u"oil"_s, 0),
                     real(u"other"_s, 0),
                     real(u"loss"_s, 0),
                     real(u"traff"_s, 0),
                     real(u"work"_s, 0),
                     real(u"health"_s, 0),
                     date(u"input_date"_s)},
         .key = u"e_code"_s},
        withSurrogateKey(u"salary_detailed"_s,
                         {integer(u"e_code"_s),
                          flag(u"balance"_s),
                          date(u"balance_date"_s),
                          real(u"promise"_s, 0),
                          real(u"overtime"_s, 0),
                          real(u"dispatch"_s, 0),
                          real(u"effectsbonus"_s, 0),
                          real(u"bottle_m"_s, 0),
                          real(u"bonus"_s, 0),
                          real(u"reachbonus"_s, 0),
                          real(u"fully"_s, 0),
                          real(u"ask_leave"_s, 0),
                          real(u"late"_s, 0),
                          real(u"request"_s, 0),
                          real(u"other_buckle"_s, 0)},
                         {{u"e_code"_s}}),
        // Empty until the first settlement run, whose guard then lets it pass. settled_month is the
        // first day of the month that run settled: the guard compares months, not settlement dates.
        // settling_month is the month of a run going on (or of one that ended without clearing it): a
        // second clerk who finds the books held by a run is told which month is being settled.
        withSurrogateKey(u"salary_sum_date"_s,
                         {date(u"salary_sum_date"_s), date(u"settled_month"_s), date(u"settling_month"_s)}, {},
                         {{{u"salary_sum_date"_s, noDate}}}),
        // One row of rates per product, found by name. A deleted product's code can be given again,
        // so neither column is a key.
        withSurrogateKey(u"complete"_s,
                         {text(u"names"_s), integer(u"code"_s), real(u"o_c"_s, 0), real(u"n_c"_s, 0),
                          real(u"w_c"_s, 0), real(u"b_c"_s, 0)}),
        withSurrogateKey(u"vacation_type"_s,
                         {integer(u"e_code"_s),
                          text(u"holiday"_s),
                          text(u"reason"_s),
                          date(u"ask_leave_s"_s),
                          date(u"ask_leave_e"_s),
                          real(u"days"_s),
                          real(u"hours"_s),
                          date(u"apply_date"_s),
                          text(u"other"_s)}),

        // Cash journal and posted days.
        // posting_serial: the `account` row of the posting that took the movement into the cash; none yet.
        {.name = u"account_table"_s,
         .columns = {integer(u"serial"_s), text(u"item"_s), real(u"expense"_s), date(u"date_d"_s), text(u"other"_s),
                     text(u"in_out"_s), integer(u"posting_serial"_s)},
         .key = u"serial"_s,
         .indexes = {{u"date_d"_s}}},
        {.name = u"account"_s,
         .columns = {integer(u"serial"_s), date(u"date_d"_s), real(u"original_m"_s), real(u"now_m"_s)},
         .key = u"serial"_s,
         .indexes = {{u"date_d"_s}},
         // A day is posted once: a second clerk's posting of the same day is refused.
         .uniqueIndexes = {{u"date_d"_s}}},
    };
}

} // namespace

const QList<Table>& tables()
{
    static const QList<Table> all = buildTables();
    return all;
}

} // namespace Schema
