#include "orders/OrderForm.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "core/AppContext.h"
#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/DataSourceBar.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/TabOrder.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RunGuarded.h"
#include "orders/OrdersMessages.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

enum Entry { Serial = 0, Customer = 1, Name = 2, StartDate = 3, InputDate = 4, Amount = 5 };
const std::array<const char*, 6> EntryColumns{"o_code", "c_code", nullptr, "start_date", "input_date", "amount"};

const QString ByOrderCode = u"o_code"_s;

// A step whose failure the form passes over, as the load and the grid's follow-up do.
template <class Step>
void skippingFailure(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

OrderForm::OrderForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_orders(app.db, this), m_grid(app.db, this), m_subscribeTypes(app.db, this),
      m_sendTypes(app.db, this), m_bottleTypes(app.db, this)
{
    setWindowTitle(u"order"_s);
    createControls();
    bindControls();
    createToolbar();
    createSearch();
    layOutControls();
    load();
}

void OrderForm::createControls()
{
    for (int i = 0; i < int(m_text1.size()); ++i)
        m_text1[i] = named(new QLineEdit(this), u"text1(%1)"_s.arg(i));
    m_subscribeType = named(new DataCombo(this), u"DataCombo2"_s);
    m_sendType = named(new DataCombo(this), u"DataCombo3"_s);
    m_bottleType = named(new DataCombo(this), u"DataCombo4"_s);
    m_group = named(new QCheckBox(u"yes"_s, this), u"Check1"_s);
    m_bottleMoney = named(new QLineEdit(this), u"Text3"_s);
    m_iceHot[0] = named(new QCheckBox(u"ice"_s, this), u"Check2(0)"_s);
    m_iceHot[1] = named(new QCheckBox(u"hot"_s, this), u"Check2(1)"_s);
    m_special = named(new QCheckBox(u"special"_s, this), u"Check4"_s);
    m_cancelled = named(new QCheckBox(u"cancel"_s, this), u"Check3"_s);

    m_gridView = readOnlyGrid(&m_app.messages, m_grid, this);
    m_gridView->setCaption(u"order view"_s);
    m_single = named(new QRadioButton(u"single"_s, this), u"Option3"_s);
    m_allOrders = named(new QRadioButton(u"view"_s, this), u"Option4"_s);
    m_byCustomer = named(new QRadioButton(u"subscriber code"_s, this), u"Option1"_s);
    m_byOrder = named(new QRadioButton(u"order assign"_s, this), u"Option2"_s);
    m_searchBox = named(new QLineEdit(this), u"Text2"_s);
    m_search = named(new QPushButton(u"search"_s, this), u"搜尋"_s);
    m_searchAgain = named(new QPushButton(u"search2"_s, this), u"再搜尋"_s);
    groupOptions({m_single, m_allOrders});
    groupOptions({m_byCustomer, m_byOrder});

    connect(m_text1[Customer], &QLineEdit::textChanged, this, &OrderForm::showCustomerName);
    // A pick with the mouse or the keys moves the record.
    connect(m_gridView, &DataGrid::rowPicked, this, &OrderForm::showPickedOrder);
    for (QRadioButton* scope : {m_single, m_allOrders})
        connect(scope, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                scopeGrid();
        });
    // Bottle money is entered once a group order has been shown, and stays open until the form closes.
    connect(m_group, &QCheckBox::toggled, this, [this](bool group) {
        if (group)
            m_bottleMoney->setEnabled(true);
    });
    // Outside an add or a modify, a change here goes into the order on show. The cancel flag is
    // written at once, as the day rows must stop delivering the order; the bottle cash when the form
    // moves on, reads again or closes.
    connect(m_cancelled, &QCheckBox::clicked, this, [this](bool checked) {
        if (writeWhileIdle(u"cancel"_s, checked ? 1 : 0, true))
            writeIdleChange();
    });
    connect(m_bottleMoney, &QLineEdit::textEdited, this,
            [this](const QString& text) { writeWhileIdle(u"bottle_m"_s, text, false); });
    connect(m_bottleMoney, &QLineEdit::editingFinished, this, [this] {
        if (m_bottleMoney->isModified())
            writeWhileIdle(u"bottle_m"_s, m_bottleMoney->text(), true);
    });
}

void OrderForm::bindControls()
{
    auto* binder = new Binder(m_orders.recordset(), this);
    for (int i = 0; i < int(m_text1.size()); ++i)
        if (EntryColumns[i])
            binder->bind(m_text1[i], QString::fromLatin1(EntryColumns[i]));
    binder->bind(m_bottleMoney, u"bottle_m"_s);
    binder->bind(m_group, u"grounp"_s);
    binder->bind(m_iceHot[0], u"ice"_s);
    binder->bind(m_iceHot[1], u"hot"_s);
    binder->bind(m_special, u"special"_s);
    binder->bind(m_cancelled, u"cancel"_s);

    auto list = [this](DataSource& source, DataCombo* combo, const QString& field, auto&& select) {
        runGuarded(m_app.messages, select);
        combo->setRowSource(&source, field);
        combo->setDataSource(&m_orders.recordset(), field);
    };
    // The subscription types that have days, and the delivery types that have products.
    list(m_subscribeTypes, m_subscribeType, u"subscribe_type"_s, [this] {
        AdodcQuery(m_subscribeTypes, u"select distinct subscribe_type from subscribe_type order by subscribe_type"_s);
    });
    list(m_sendTypes, m_sendType, u"send_type"_s,
         [this] { AdodcQuery(m_sendTypes, u"select distinct send_type from send_type order by send_type"_s); });
    list(m_bottleTypes, m_bottleType, u"bottle_type"_s, [this] {
        m_bottleTypes.setTable(u"bottle_type"_s);
        m_bottleTypes.refresh();
    });

    auto* navigation = new FieldKeyNavigation(this);
    for (QWidget* field : std::initializer_list<QWidget*>{m_text1[0], m_text1[1], m_text1[2], m_text1[3], m_text1[4],
                                                         m_text1[5], m_iceHot[0], m_iceHot[1], m_subscribeType,
                                                         m_sendType})
        navigation->add(field);
}

void OrderForm::createToolbar()
{
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, u"add"_s, u"新增訂單"_s},
        {Role::Delete, u"del"_s, u"刪除訂單"_s},
        {Role::Modify, u"modify"_s, u"修改訂單"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        // Reads the grid again as well as the orders, once a change made while idle is written.
        {Role::Other, u"update"_s, u"更新資料庫"_s, [this] {
             if (!writeIdleChange())
                 return;
             runGuarded(m_app.messages, [this] {
                 m_orders.refresh();
                 m_grid.refresh();
             });
         }},
        {Role::Other, u"view"_s, u"訂單全灠"_s},
        {Role::Other, u"collation"_s, u"整理客戶訂單"_s},
    };
    config.main = &m_orders;
    config.keyBoxes = {m_text1[Serial], m_text1[Name]};
    config.entryBoxes = {m_text1[Customer], m_text1[StartDate], m_text1[InputDate], m_text1[Amount]};
    config.combos = {m_subscribeType, m_sendType, m_bottleType};
    config.checkBoxes = {m_iceHot[0], m_iceHot[1], m_group, m_special};
    // The searches and the grid's pick move the order record; the scope options and the sorts only
    // read the grid again, so they stay.
    config.recordMovers = {m_search, m_searchAgain, m_gridView};
    config.searchBox = m_searchBox;
    config.addDefaults = [this] {
        m_text1[Customer]->setText(QString::number(m_orderCustomer));
        m_text1[StartDate]->setText(TextRules::dateText(m_app.values.work_date));
        m_text1[InputDate]->setText(TextRules::dateText(m_app.values.work_date));
        const Recordset& bottles = m_bottleTypes.recordset();
        if (bottles.hasCurrentRow())
            m_bottleType->setText(bottles.value(u"bottle_type"_s).toString());
    };
    config.beforeWrite = [this] { refuseUnknownCustomer(); };
    // The day rows follow the order in the save's or delete's transaction: the customer's, and the
    // earlier customer's where a modify moved the order to another.
    config.modifyBegins = [this] { m_customerBefore = storedCustomer(); };
    config.addSaveSteps = [this] { followInDayRows({storedCustomer()}); };
    config.modifySaveSteps = [this] { followInDayRows({m_customerBefore, storedCustomer()}); };
    config.deleteSteps = [this] { followInDayRows({m_customerBefore}); };
    config.beforeClick = [this](Role role) { beforeToolbarClick(role); };
    config.afterClick = [this](Role role) { afterToolbarClick(role); };
    config.deleteQuestion = ErrorMessageBoxes::Orders::deleteQuestion;
    config.messages = ErrorMessageBoxes::Orders::toolbar;
    config.cancelDisabledAfterSave = true;
    m_toolbar = new RecordToolbar(m_app, std::move(config), this);

    // The grid runs its query again, for the new order's customer under "single", and goes to the order.
    connect(m_toolbar, &RecordToolbar::added, this, [this] {
        if (m_single->isChecked() && m_gridCustomer != customerShown())
            scopeGrid();
        else
            skippingFailure([this] { m_grid.refresh(); });
        followInGrid();
    });
}

void OrderForm::createSearch()
{
    using Match = RecordSearch::Match;
    auto* search = new RecordSearch(m_app.messages, m_orders.recordset(), m_toolbar->rememberedPosition(), m_searchBox,
                                    m_search, m_searchAgain, this);
    search->addOption({.button = m_byCustomer, .field = u"c_code"_s, .match = Match::Number,
                       .missStyle = SearchMissStyle::Spaced, .findsNext = true, .emptyBoxIsZero = true});
    search->addOption({.button = m_byOrder, .field = ByOrderCode, .match = Match::Number,
                       .missStyle = SearchMissStyle::TightOpen, .findsNext = true, .emptyBoxIsZero = true,
                       .nextMissStyle = SearchMissStyle::Spaced});
    search->setGrid(&m_grid.recordset(), RecordSearch::GridMiss::GridGoesBack);
    search->setEmptiesBoxOnMiss(true);
    connect(search, &RecordSearch::searched, this, [this](bool fromFirst) {
        m_orderCustomer = customerShown();
        if (!fromFirst)
            m_searchBox->setFocus();
    });
}

void OrderForm::layOutControls()
{
    auto* title = new QLabel(u"order"_s, this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* bottleBar = new DataSourceBar(m_bottleTypes, this);
    bottleBar->setObjectName(u"Adodc7"_s);
    bottleBar->setCaption(u"bottle type"_s);
    bottleBar->setMessageService(&m_app.messages);

    auto* fields = new QFormLayout;
    fields->addRow(u"order serial"_s, m_text1[Serial]);
    fields->addRow(u"subscriber code"_s, m_text1[Customer]);
    fields->addRow(u"name"_s, m_text1[Name]);
    fields->addRow(u"start date"_s, m_text1[StartDate]);
    fields->addRow(u"amount"_s, m_text1[Amount]);
    fields->addRow(u"agree method"_s, m_subscribeType);
    fields->addRow(u"send method"_s, m_sendType);
    fields->addRow(u"bottle type"_s, m_bottleType);
    fields->addRow(QString(), bottleBar);
    fields->addRow(u"import date"_s, m_text1[InputDate]);
    auto* flags = new QHBoxLayout;
    for (QCheckBox* box : {m_iceHot[0], m_iceHot[1], m_special, m_cancelled})
        flags->addWidget(box);
    flags->addStretch();
    fields->addRow(flags);

    auto* groupBox = new QGroupBox(u"group import"_s, this);
    auto* groupForm = new QFormLayout(groupBox);
    groupForm->addRow(u"group"_s, m_group);
    groupForm->addRow(u"bottle cash"_s, m_bottleMoney);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(groupBox);
    left->addStretch();

    auto* scope = named(new QGroupBox(this), u"Frame1"_s);
    auto* scopeLine = new QHBoxLayout(scope);
    scopeLine->addWidget(m_single);
    scopeLine->addWidget(m_allOrders);
    m_allOrders->setChecked(true); // as designed; the load selects "single"

    auto button = [this](const QString& name, const QString& caption) {
        return named(new QPushButton(caption, this), name);
    };
    QPushButton* bySendType = button(u"Command1"_s, u"send sort"_s);
    QPushButton* byCustomer = button(u"訂戶代號排序"_s, u"subscriber sort"_s);
    QPushButton* byAgreement = button(u"訂法排序"_s, u"agree sort"_s);
    QPushButton* sendModes = button(u"輪送方式"_s, u"send mode view"_s);
    connect(bySendType, &QPushButton::clicked, this, [this] { sortGrid(u"send_type"_s); });
    connect(byCustomer, &QPushButton::clicked, this, [this] { sortGrid(u"c_code"_s); });
    connect(byAgreement, &QPushButton::clicked, this, [this] { sortGrid(u"c_code"_s); });
    connect(sendModes, &QPushButton::clicked, this, [this] { OpenFormCommand{m_app}(u"輪送方式一灠"_s); });

    auto* searchLine = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_byCustomer, m_byOrder, m_searchBox, m_search,
                                                           m_searchAgain})
        searchLine->addWidget(widget);
    auto* sortLine = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{scope, bySendType, byCustomer, byAgreement, sendModes})
        sortLine->addWidget(widget);
    sortLine->addStretch();
    QPushButton* exitButton = makeExitButton(this);
    sortLine->addWidget(exitButton);

    auto* right = new QVBoxLayout;
    right->addWidget(m_gridView, 1);
    right->addLayout(sortLine);
    right->addLayout(searchLine);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addSpacing(12);
    columns->addLayout(right, 3);

    auto* page = new QVBoxLayout(this);
    page->addWidget(m_toolbar);
    page->addWidget(title);
    page->addLayout(columns, 1);

    // The entry fields, the search box, the buttons, the grid, the toolbar and the search options; then
    // the controls that came last to the form.
    chainTabOrder({m_text1[Serial], m_text1[Customer], m_text1[Name], m_text1[StartDate], m_text1[Amount], m_iceHot[0],
                   m_iceHot[1], m_subscribeType, m_sendType, m_text1[InputDate], m_searchBox, m_search, bySendType,
                   byCustomer, byAgreement, sendModes, exitButton, m_gridView, m_toolbar, m_byCustomer, m_byOrder,
                   m_bottleMoney, m_group, m_bottleType, m_searchAgain, m_cancelled, m_single, m_allOrders, m_special,
                   bottleBar});
}

// The form opens on the handed-over customer's first order, or on the first order of all.
void OrderForm::load()
{
    WorkDateAtLoad(m_app);
    Recordset& orders = m_orders.recordset();
    skippingFailure([this] { AdodcQuery(m_orders, u"select * from order_data order by o_code"_s); });
    const qint32 handedOver = m_app.values.selected_c_code;
    if (handedOver != 0) {
        skippingFailure([&] {
            orders.moveFirst();
            if (!orders.find(Criterion::equals(u"c_code"_s, handedOver)))
                orders.moveFirst();
        });
        m_orderCustomer = handedOver;
    }
    m_bottleMoney->setEnabled(m_group->isChecked());
    m_cancelled->setEnabled(false);
    m_byCustomer->setChecked(true);
    m_single->setChecked(true); // reads the grid: the orders of the customer on show
    followInGrid();
}

// The customer code in its box, read as every box reads a whole number; text that is no whole number
// gives 0, which names no customer.
qint32 OrderForm::customerShown() const
{
    return TextRules::wholeNumberIn(m_text1[Customer]->text()).value_or(0);
}

void OrderForm::showCustomerName()
{
    QString name;
    skippingFailure([&] {
        name = m_app.db.scalar(u"select name from customer_data where c_code = ?"_s, {customerShown()}).toString();
    });
    m_text1[Name]->setText(name);
}

// The grid goes to the order on show; where it does not list it, it stands after its last row.
void OrderForm::followInGrid()
{
    const Recordset& orders = m_orders.recordset();
    Recordset& rows = m_grid.recordset();
    skippingFailure([&] {
        const QVariant code = orders.hasCurrentRow() ? orders.value(ByOrderCode) : QVariant();
        rows.moveFirst();
        rows.find(Criterion::equals(ByOrderCode, code.toLongLong()));
    });
}

void OrderForm::scopeGrid()
{
    queryGrid(u"o_code"_s);
}

// A sort lasts until the grid is next scoped, which orders by order code again.
void OrderForm::sortGrid(const QString& order)
{
    queryGrid(order + u", o_code"_s);
}

void OrderForm::queryGrid(const QString& order)
{
    runGuarded(m_app.messages, [&] {
        m_gridCustomer = customerShown();
        if (m_single->isChecked())
            AdodcQuery(m_grid, u"select * from order_data where c_code = ? order by "_s + order, {m_gridCustomer});
        else
            AdodcQuery(m_grid, u"select * from order_data order by "_s + order);
    });
}

// The clerk picked an order in the grid: the record goes there; the form's customer stays.
void OrderForm::showPickedOrder()
{
    const Recordset& rows = m_grid.recordset();
    const QVariant code = rows.hasCurrentRow() ? rows.value(ByOrderCode) : QVariant();
    if (code.isNull())
        return;
    runGuarded(m_app.messages, [&] {
        Recordset& orders = m_orders.recordset();
        orders.moveFirst();
        orders.find(Criterion::equals(ByOrderCode, code));
    });
}

void OrderForm::beforeToolbarClick(Role role)
{
    m_modifyPressed = false;
    if (role == Role::Delete)
        m_customerBefore = storedCustomer();
    m_ordersBeforeClick = m_orders.recordset().recordCount();
}

void OrderForm::afterToolbarClick(Role role)
{
    switch (role) {
    case Role::First:
    case Role::Previous:
    case Role::Next:
    case Role::Last:
        m_orderCustomer = customerShown();
        followInGrid();
        if (m_single->isChecked())
            scopeGrid();
        break;
    case Role::Modify:
        m_modifyPressed = true;
        // A saved order that moved to another customer is listed with that customer under "single".
        if (m_toolbar->state() == RecordToolbar::State::Idle && m_single->isChecked()
            && m_gridCustomer != customerShown()) {
            scopeGrid();
            followInGrid();
        }
        break;
    case Role::Delete:
        // The grid loses the deleted order under "view" as well.
        if (m_orders.recordset().recordCount() < m_ordersBeforeClick) {
            scopeGrid();
            if (m_grid.recordset().recordCount() > 0)
                followInGrid();
        }
        break;
    default:
        break;
    }
    // The cancel flag is changed only from a click of modify to the next click of the toolbar.
    m_cancelled->setEnabled(m_modifyPressed);
}

// An order for a customer who does not exist is not saved: a new order, or one whose customer was changed.
void OrderForm::refuseUnknownCustomer()
{
    const Recordset& orders = m_orders.recordset();
    const qint32 customer = customerShown();
    const bool adding = m_toolbar->state() == RecordToolbar::State::Adding;
    const QVariant stored = orders.value(u"c_code"_s);
    if (!adding && !stored.isNull() && stored.toLongLong() == customer)
        return;
    if (m_app.db.scalar(u"select count(*) from customer_data where c_code = ?"_s, {customer}).toInt() == 0)
        throw DataError(DataError::Kind::Usage, u"No customer has the code %1"_s.arg(customer));
}

bool OrderForm::writeWhileIdle(const QString& field, const QVariant& value, bool reportRefusal)
{
    Recordset& orders = m_orders.recordset();
    if (m_toolbar->state() != RecordToolbar::State::Idle || !orders.hasCurrentRow())
        return false;
    try {
        orders.setValue(field, value);
        return true;
    } catch (const std::exception& error) {
        if (reportRefusal)
            showMessage(m_app.messages, ErrorMessageBoxes::Orders::idleChangeRefused, refusalDetail(error));
        return false;
    }
}

// Writes a change made while idle, with the customer's day rows; a refusal is shown and the change
// stays on the form, so the clerk can put it right.
bool OrderForm::writeIdleChange()
{
    Recordset& orders = m_orders.recordset();
    if (m_toolbar->state() != RecordToolbar::State::Idle || orders.editMode() != Recordset::EditMode::Editing)
        return true;
    try {
        Transaction transaction(m_app.db);
        orders.update();
        followInDayRows({storedCustomer()});
        transaction.commit();
        return true;
    } catch (const std::exception& error) {
        showMessage(m_app.messages, ErrorMessageBoxes::Orders::idleChangeRefused, refusalDetail(error));
        return false;
    }
}

qint32 OrderForm::storedCustomer() const
{
    const Recordset& orders = m_orders.recordset();
    return orders.hasCurrentRow() ? qint32(orders.value(u"c_code"_s).toLongLong()) : 0;
}

void OrderForm::followInDayRows(const QList<qint32>& customers)
{
    DayRows::followOrders(m_app.db, QSet<qint32>(customers.cbegin(), customers.cend()).values(), m_app.clock.today());
}

// Closing writes what was changed while idle; a refusal keeps the form open.
void OrderForm::closeEvent(QCloseEvent* event)
{
    if (!writeIdleChange()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
