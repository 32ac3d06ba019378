#include "people/CustomerFullList.h"

#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "people/MilkAreaList.h"
#include "core/AppContext.h"
#include "widgets/NamedControls.h"
#include "widgets/EntryLimit.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "widgets/OptionGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString allCustomers = u"select * from customer_data order by c_code"_s;

// A LIKE pattern that finds `text` anywhere: its own %, _ and ! are escaped, so whatever the clerk
// types is matched as it stands.
QString containsPattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == u'!')
            escaped += u'!';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

} // namespace

CustomerFullList::CustomerFullList(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_customers(app.db, this), m_count(app.db, this), m_milkAreas(app.db, this)
{
    setWindowTitle(u"new bottle commission"_s);
    buildControls();

    runGuarded(m_app.messages, [this] {
        m_count.setQuery(u"select count(*) as 筆數 from customer_data"_s);
        m_count.refresh();
        m_milkAreas.setQuery(milkAreaListQuery());
        m_milkAreas.refresh();
        m_milkArea->setRowSource(&m_milkAreas, milkAreaListField());
        m_milkArea->setText(QString());
        showAllCustomers();
    });
    m_byDeliveryAddress->setChecked(true);

    // Connected after the load, so that filling the combo does not filter the grid.
    connect(m_milkArea, &QComboBox::currentTextChanged, this, &CustomerFullList::showMilkArea);
}

void CustomerFullList::buildControls()
{
    m_byName = new QRadioButton(u"name"_s, this);
    m_byName->setObjectName(u"Option1"_s);
    m_byAddress = new QRadioButton(u"addr."_s, this);
    m_byAddress->setObjectName(u"Option2"_s);
    m_byDeliveryAddress = new QRadioButton(u"send goods addr."_s, this);
    m_byDeliveryAddress->setObjectName(u"Option3"_s);
    groupOptions({m_byName, m_byAddress, m_byDeliveryAddress});
    m_searchText = new QLineEdit(this);
    m_searchText->setObjectName(u"text1"_s);
    refuseControlCharacters(m_searchText);
    QPushButton* search = named(new QPushButton(u"search"_s, this), u"搜尋"_s);
    QPushButton* all = named(new QPushButton(u"all"_s, this), u"全灠"_s);

    auto* count = named(new QLabel(QString(), this), u"計數"_s);
    auto* countBinder = new Binder(m_count.recordset(), this);
    countBinder->bind(count, u"筆數"_s);

    m_grid = new DataGrid(&m_app.messages, this);
    m_grid->setObjectName(u"DataGrid1"_s);
    m_grid->setCaption(u"new bottle commission"_s);
    m_grid->setDataSource(&m_customers);
    // Changes in place wait for the unlock box; rows are never added or deleted here.
    m_grid->setAllowAddNew(false);
    m_grid->setAllowDelete(false);
    // A customer's area or standing changed here reaches the written delivery days with the change.
    Recordset& customers = m_customers.recordset();
    customers.setRowFollow([this, &customers](const QVector<QVariant>&) {
        DayRows::followOrders(m_app.db, {customers.value(u"c_code"_s).toInt()}, m_app.clock.today());
    });

    m_milkArea = new DataCombo(this);
    m_milkArea->setObjectName(u"DataCombo1"_s);
    m_milkArea->setMinimumContentsLength(6);
    m_unlock = new QCheckBox(u"Unlock"_s, this);
    m_unlock->setObjectName(u"Check1"_s);
    QPushButton* byCode = named(new QPushButton(u"serial sort"_s, this), u"編號排序"_s);
    QPushButton* byName = named(new QPushButton(u"name sort"_s, this), u"姓名排序"_s);
    QPushButton* byAddress = named(new QPushButton(u"addr. sort"_s, this), u"地址排序"_s);
    QPushButton* byAddressCode = named(new QPushButton(u"send good number"_s, this), u"地址代號"_s);
    QPushButton* exit = makeExitButton(this);

    auto* top = new QHBoxLayout;
    top->addWidget(named(new QLabel(u"new bottle commission"_s, this), u"Label3"_s));
    top->addStretch();
    top->addWidget(m_byName);
    top->addWidget(m_byAddress);
    top->addWidget(m_byDeliveryAddress);
    top->addWidget(m_searchText, 1);
    top->addWidget(search);
    top->addWidget(all);

    auto* countLine = new QHBoxLayout;
    countLine->addWidget(named(new QLabel(u"now total"_s, this), u"Label1"_s));
    countLine->addWidget(count);
    countLine->addWidget(named(new QLabel(u"pen data"_s, this), u"Label2"_s));
    countLine->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(named(new QLabel(u"choice milk area"_s, this), u"Label4"_s));
    bottom->addWidget(m_milkArea);
    bottom->addWidget(m_unlock);
    bottom->addWidget(byCode);
    bottom->addWidget(byName);
    bottom->addWidget(byAddress);
    bottom->addWidget(byAddressCode);
    bottom->addStretch();
    bottom->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(countLine);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(search, &QPushButton::clicked, this, &CustomerFullList::searchCustomers);
    connect(m_searchText, &QLineEdit::textChanged, this, &CustomerFullList::searchCustomers);
    connect(all, &QPushButton::clicked, this, &CustomerFullList::showAllCustomers);
    connect(byCode, &QPushButton::clicked, this, [this] { sortBy(u"c_code ASC"_s); });
    connect(byName, &QPushButton::clicked, this, [this] { sortBy(u"name ASC"_s); });
    connect(byAddress, &QPushButton::clicked, this, [this] { sortBy(u"goods_addr ASC"_s); });
    connect(byAddressCode, &QPushButton::clicked, this, [this] { sortBy(u"goods_addr_code ASC"_s); });
    GridUnlockCheck(m_unlock, {m_grid}, GridUnlock::ChangeOnly);
}

void CustomerFullList::requery(const QString& sql, const QVariantList& values)
{
    runGuarded(m_app.messages, [&] { AdodcQuery(m_customers, sql, values); });
}

void CustomerFullList::showAllCustomers()
{
    requery(allCustomers);
}

// The area is a whole number the column holds. Other text names no area: it goes in as NULL, which
// equals no row, so the list is empty rather than the query failing.
void CustomerFullList::showMilkArea(const QString& areaText)
{
    const std::optional<int> area = TextRules::wholeNumberIn(areaText);
    requery(u"select * from customer_data where milk_area = ? order by c_code"_s,
            {area ? QVariant(*area) : QVariant(QMetaType::fromType<int>())});
}

void CustomerFullList::searchCustomers()
{
    QString column = u"goods_addr"_s;
    if (m_byName->isChecked())
        column = u"name"_s;
    else if (m_byAddress->isChecked())
        column = u"addr"_s;
    requery(u"select * from customer_data where lower(%1) like lower(?) escape '!'"_s.arg(column),
            {containsPattern(m_searchText->text())});
}

void CustomerFullList::sortBy(const QString& sort)
{
    runGuarded(m_app.messages, [&] { m_customers.recordset().setSort(sort); });
}
