#include "stock/ExpectedShipmentsForm.h"

#include "core/AppContext.h"
#include "data/DeliveredRows.h"
#include "records/RunGuarded.h"
#include "stock/TitleLabel.h"
#include "widgets/DataGrid.h"
#include "widgets/DatePicker.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ExpectedShipmentsForm::ExpectedShipmentsForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(app.db, this)
{
    setWindowTitle(u"Plan Date Exit"_s);
    WorkDateAtLoad(m_app);

    QLabel* title = makeTitleLabel(this, u"Label1"_s, u"Plan Date Exit"_s);
    m_from = makeDatePicker(this, u"DTPicker1"_s, m_app.values.work_date);
    m_to = makeDatePicker(this, u"DTPicker2"_s, m_app.values.work_date);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_rows, this);
    auto* byCode = named(new QPushButton(u"products code sort"_s, this), u"產品編號排序"_s);
    auto* byName = named(new QPushButton(u"products name sort"_s, this), u"產品名稱排序"_s);
    auto* byTotal = named(new QPushButton(u"exit amount sort"_s, this), u"出貨數量排序"_s);

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(u"DATE"_s, this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(u"至"_s, this));
    range->addWidget(m_to);
    range->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(byCode);
    buttons->addWidget(byName);
    buttons->addWidget(byTotal);
    buttons->addStretch();
    buttons->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(range);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);

    connect(m_from, &QDateEdit::dateChanged, this, [this] { list(Order::ByCode); });
    connect(m_to, &QDateEdit::dateChanged, this, [this] { list(Order::ByCode); });
    connect(byTotal, &QPushButton::clicked, this, [this] { list(Order::ByTotal); });
    connect(byCode, &QPushButton::clicked, this, [this] { sortRowsOnHand(u"code ASC"_s); });
    connect(byName, &QPushButton::clicked, this, [this] { sortRowsOnHand(u"names ASC"_s); });
    list(Order::ByCode);
}

// Delivery rows meet their product by its name; a product without a counted row in the range has no
// line. Ties of the total go by code, so the order is the same on both databases.
void ExpectedShipmentsForm::list(Order order)
{
    const QString sql =
        u"select products_data.code, products_data.names, products_data.store, sum("_s
        + DeliveredRows::shippedBottles(u"order_date"_s)
        + u") as 預計出貨總瓶數 "
          "from order_date, products_data "
          "where products_data.names = order_date.names and order_date.date_d >= ? and order_date.date_d <= ? "
          "and "_s
        + DeliveredRows::condition(u"order_date"_s)
        + u" group by products_data.code, products_data.names, products_data.store "_s
        + (order == Order::ByCode ? u"order by products_data.code"_s
                                  : u"order by 預計出貨總瓶數, products_data.code"_s);
    runGuarded(m_app.messages, [&] { AdodcQuery(m_rows, sql, {m_from->date(), m_to->date()}); });
}

void ExpectedShipmentsForm::sortRowsOnHand(const QString& sort)
{
    runGuarded(m_app.messages, [&] { m_rows.recordset().setSort(sort); });
}
