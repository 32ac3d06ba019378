#include "people/CustomerForm.h"

#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "widgets/EntryLimit.h"
#include "records/ErrorMessageBoxes.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "core/AppContext.h"
#include "widgets/ExitButton.h"
#include "widgets/OptionGroup.h"
#include "widgets/TabOrder.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

namespace {

const QString AllCustomers = QStringLiteral("SELECT * FROM customer_data ORDER BY c_code");
const QString ActiveCustomers = QStringLiteral("SELECT * FROM customer_data WHERE cancel = 0 ORDER BY c_code");

// The entry boxes text1(0) to text1(11): the column each shows, its caption and its entry limit.
struct EntryBox {
    const char* column;
    const char* caption;
    int maxLength; // 0: none
};
constexpr std::array<EntryBox, 12> EntryBoxes{{
    {"c_code", "subscriber number", 0},
    {"name", "name", 10},
    {"tel", "tel", 15},
    {"cell_phone", "m_phone", 15},
    {"addr", "addr.", 30},
    {"input_date", "import date", 0},
    {"other", "remarks", 16},
    {"goods_addr_code", "goods addr. number", 0},
    {"goods_addr", "goods addr", 30},
    {"goods_addr", "goods addr", 30}, // the second box on the delivery address, low on the form
    {"billhead", "receipt", 10},
    {"unifyserial", "unified serial", 15},
}};
enum Entry { Code = 0, InputDate = 5, GoodsAddressCode = 7, SecondGoodsAddress = 9 };

// DataCombo1 to DataCombo5: the customer's column, the caption, and the list the combo offers.
struct ComboBox {
    const char* column;
    const char* caption;
    const char* listQuery;
    const char* listColumn;
};
const std::array<ComboBox, 5> ComboBoxes{{
    {"enter_worker", "confess employees", "SELECT name FROM employees_data ORDER BY name", "name"},
    {"milk_area", "milk area", "SELECT milk_area FROM milk_area ORDER BY milk_area", "milk_area"},
    {"expense_area", "expenses", "SELECT expense_area FROM expense_area ORDER BY expense_area", "expense_area"},
    {"warm_box", "protect temperate box", "SELECT warm_box FROM warm_box ORDER BY warm_box", "warm_box"},
    {"add_reason", "join reason", "SELECT add_reason FROM add_reason", "add_reason"},
}};
enum Combo { Worker = 0, MilkArea = 1 };

// Check1 to Check4.
const std::array<std::pair<const char*, const char*>, 4> FlagBoxes{{
    {"bill2", "2_join invoice"},
    {"bill3", "3_join invoice"},
    {"advancepay", "advance pay"},
    {"cancel", "nullify"},
}};

// A date the database handed back, SQLite's ISO text or a date, as the form shows dates.
QString dateShown(const QVariant& value)
{
    if (value.isNull())
        return {};
    const QDate date = TextRules::storedDate(value);
    return date.isValid() ? TextRules::dateText(date) : QString();
}

QLabel* caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

} // namespace

CustomerForm::CustomerForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_customers(new DataSource(app.db, this)), m_bills(new DataSource(app.db, this)),
      m_moves(new DataSource(app.db, this)), m_firstOrder(new DataSource(app.db, this))
{
    setWindowTitle(QStringLiteral("客戶基本資料"));
    WorkDateAtLoad(app);

    // The companion sources only add rows: they read none.
    m_bills->setQuery(QStringLiteral("SELECT serial, c_code FROM acrossbills_data WHERE 1 = 0"));
    m_moves->setQuery(QStringLiteral("SELECT c_code FROM different_move WHERE 1 = 0"));
    m_firstOrder->setQuery(QStringLiteral("SELECT o_code, c_code, start_date, input_date FROM order_data WHERE 1 = 0"));
    for (DataSource* companion : {m_bills, m_moves, m_firstOrder}) {
        try {
            companion->refresh();
        } catch (const std::exception&) {
            // The add save reports what cannot be written.
        }
    }

    createControls();
    bindControls();
    createToolbar();
    createSearch();
    createKeyNavigation();
    layOutControls();

    m_hideCancelled->setChecked(true); // runs the filter: the form opens on the first active customer
}

void CustomerForm::createControls()
{
    for (int i = 0; i < int(m_text1.size()); ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("text1(%1)").arg(i));
        if (EntryBoxes[i].maxLength > 0)
            limitTyping(box, EntryBoxes[i].maxLength);
        m_text1[i] = box;
    }
    for (int i = 0; i < int(m_combos.size()); ++i) {
        auto* combo = new DataCombo(this);
        combo->setObjectName(QStringLiteral("DataCombo%1").arg(i + 1));
        m_combos[i] = combo;
        m_comboLists[i] = new DataSource(m_app.db, this);
    }
    for (int i = 0; i < int(m_flags.size()); ++i) {
        m_flags[i] = new QCheckBox(QString::fromLatin1(FlagBoxes[i].second), this);
        m_flags[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
    }
    m_hideCancelled = new QCheckBox(QStringLiteral("nodisplay"), this);
    m_hideCancelled->setObjectName(QStringLiteral("Check5"));
    connect(m_hideCancelled, &QCheckBox::toggled, this, &CustomerForm::applyCancelledFilter);

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("計數"));
    m_latestDelivery = new QLabel(this);
    m_latestDelivery->setObjectName(QStringLiteral("Label12"));
    m_latestDelivery->setMinimumWidth(80);
    connect(m_text1[Code], &QLineEdit::textChanged, this, &CustomerForm::showLatestDelivery);

    auto option = [this](const char* name, const char* text) {
        auto* button = new QRadioButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    m_byName = option("Option4", "name");
    m_byAddress = option("Option3", "addr");
    m_byTel = option("Option1", "tel");
    m_byCode = option("Option2", "number");
    groupOptions({m_byName, m_byAddress, m_byTel, m_byCode});
    m_searchBox = new QLineEdit(this);
    m_searchBox->setObjectName(QStringLiteral("Text3"));
    m_searchButton = new QPushButton(QStringLiteral("search"), this);
    m_searchButton->setObjectName(QStringLiteral("搜尋"));
    m_searchAgainButton = new QPushButton(QStringLiteral("search2"), this);
    m_searchAgainButton->setObjectName(QStringLiteral("再搜尋"));

    auto handOverButton = [this](const QString& name, const char* text, const QString& form) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, form] { handOver(form); });
        return button;
    };
    m_changeButton = handOverButton(QStringLiteral("異動"), "different touch", QString());
    m_orderButton = handOverButton(QStringLiteral("下訂單"), "order", QStringLiteral("訂單"));
    m_contactButton = handOverButton(QStringLiteral("業待聯"), "stay join", QStringLiteral("輸入聯絡事項"));
    m_exitButton = makeExitButton(this);
}

void CustomerForm::layOutControls()
{
    auto* title = new QLabel(QStringLiteral("customer add data"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* status = new QHBoxLayout;
    status->addWidget(caption(QStringLiteral("now"), this));
    status->addWidget(m_counter);
    status->addWidget(caption(QStringLiteral("pen data"), this));
    status->addSpacing(16);
    status->addWidget(caption(QStringLiteral("coordination"), this));
    status->addWidget(m_latestDelivery);
    status->addStretch();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_byName, m_byAddress, m_byTel, m_byCode, m_searchBox,
                                                          m_searchButton, m_searchAgainButton})
        status->addWidget(widget);

    auto entryRow = [this](QFormLayout* form, int entry) {
        form->addRow(QString::fromLatin1(EntryBoxes[entry].caption), m_text1[entry]);
    };
    auto comboRow = [this](QFormLayout* form, int combo) {
        form->addRow(QString::fromLatin1(ComboBoxes[combo].caption), m_combos[combo]);
    };
    auto* left = new QFormLayout;
    for (int entry : {0, 1, 2, 3, 10})
        entryRow(left, entry);
    auto* right = new QFormLayout;
    for (int combo : {1, 2, 3, 0, 4})
        comboRow(right, combo);
    for (int entry : {5, 11, 6})
        entryRow(right, entry);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_changeButton);
    buttons->addWidget(m_orderButton);
    buttons->addWidget(m_contactButton);
    buttons->addSpacing(12);
    buttons->addWidget(caption(QString::fromLatin1(EntryBoxes[GoodsAddressCode].caption), this));
    buttons->addWidget(m_text1[GoodsAddressCode]);
    buttons->addStretch();
    buttons->addWidget(m_exitButton);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addSpacing(16);
    columns->addLayout(right, 3);
    columns->addSpacing(16);
    columns->addLayout(buttons, 1);

    // The addresses take whole lines, so thirty characters show whole and the form fits a small screen.
    auto* lower = new QFormLayout;
    for (int entry : {4, 8, int(SecondGoodsAddress)})
        entryRow(lower, entry);

    auto* flags = new QHBoxLayout;
    for (QCheckBox* box : {m_flags[2], m_flags[0], m_flags[3], m_flags[1], m_hideCancelled})
        flags->addWidget(box);
    flags->addStretch();

    auto* page = new QVBoxLayout(this);
    page->addWidget(title);
    page->addLayout(status);
    page->addLayout(columns);
    page->addLayout(lower);
    page->addLayout(flags);
    page->addWidget(m_toolbar);

    // Enter and the arrows follow the columns as they stand on the form.
    const QList<QWidget*> fieldOrder{m_text1[0], m_text1[1], m_text1[2],  m_text1[3], m_text1[4], m_text1[8],
                                     m_text1[10], m_combos[1], m_combos[2], m_combos[3], m_combos[0], m_combos[4],
                                     m_text1[5], m_text1[11], m_text1[6], m_text1[7], m_text1[9]};
    chainTabOrder(fieldOrder);
}

void CustomerForm::bindControls()
{
    auto* binder = new Binder(m_customers->recordset(), this);
    for (int i = 0; i < int(m_text1.size()); ++i)
        binder->bind(m_text1[i], QString::fromLatin1(EntryBoxes[i].column));
    for (int i = 0; i < int(m_flags.size()); ++i)
        binder->bind(m_flags[i], QString::fromLatin1(FlagBoxes[i].first));
    for (int i = 0; i < int(m_combos.size()); ++i) {
        m_comboLists[i]->setQuery(QString::fromLatin1(ComboBoxes[i].listQuery));
        try {
            m_comboLists[i]->refresh();
        } catch (const std::exception&) {
            // A list that cannot be read stays empty; the combo still takes typed text.
        }
        m_combos[i]->setRowSource(m_comboLists[i], QString::fromLatin1(ComboBoxes[i].listColumn));
        m_combos[i]->setDataSource(&m_customers->recordset(), QString::fromLatin1(ComboBoxes[i].column));
    }
}

void CustomerForm::createToolbar()
{
    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons();
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, QStringLiteral("add"), QStringLiteral("加入新的資料")},
        {Role::Delete, QStringLiteral("del"), QStringLiteral("刪除該筆資料")},
        {Role::Modify, QStringLiteral("modify"), QStringLiteral("修改該筆資料")},
        {Role::Cancel, QStringLiteral("cannel"), QStringLiteral("取消")},
        {Role::Update, QStringLiteral("update"), QStringLiteral("更新資料庫")},
        {Role::ListView, QStringLiteral("all view"), QStringLiteral("客戶全灠")},
    };
    config.main = m_customers;
    config.companions = {m_bills, m_moves, m_firstOrder};
    config.keyBoxes = {m_text1[Code]};
    config.entryBoxes = {m_text1.begin() + 1, m_text1.end()};
    config.combos = {m_combos.begin(), m_combos.end()};
    config.checkBoxes = {m_flags.begin(), m_flags.end()};
    config.handOverButtons = {m_orderButton, m_changeButton, m_contactButton};
    config.recordMovers = {m_searchButton, m_searchAgainButton, m_hideCancelled};
    config.searchBox = m_searchBox;
    config.addDefaults = [this] { m_text1[InputDate]->setText(TextRules::dateText(m_app.values.work_date)); };
    config.modifyBegins = [this] { m_milkAreaAtModify = m_customers->recordset().value(QStringLiteral("milk_area")); };
    config.addSaveSteps = [this] { writeCompanionRows(); };
    config.modifySaveSteps = [this] {
        logMilkAreaChange();
        followInDayRows();
    };
    config.beforeClick = [this](Role role) {
        const Recordset& customers = m_customers->recordset();
        if (role == Role::Delete)
            m_codeAtDelete = customers.hasCurrentRow() ? customers.value(QStringLiteral("c_code")) : QVariant();
    };
    config.deleteSteps = [this] { DayRows::followCustomerDeleted(m_app.db, m_codeAtDelete.toInt(), m_app.clock.today()); };
    config.deleteQuestion = ErrorMessageBoxes::Customers::deleteQuestion;
    config.messages = ErrorMessageBoxes::Customers::toolbar;
    config.counter = m_counter;
    try {
        // Every customer, the cancelled ones too.
        config.counterStart = m_app.db.scalar(QStringLiteral("SELECT count(*) AS 筆數 FROM customer_data")).toInt();
    } catch (const std::exception&) {
    }
    config.listForm = QStringLiteral("客戶全灠");

    m_toolbar = new RecordToolbar(m_app, std::move(config), this);
    connect(m_toolbar, &RecordToolbar::added, this, [this] {
        m_app.values.current_c_code = m_customers->recordset().value(QStringLiteral("c_code")).toInt();
    });
}

void CustomerForm::createSearch()
{
    using Match = RecordSearch::Match;
    auto* search = new RecordSearch(m_app.messages, m_customers->recordset(), m_toolbar->rememberedPosition(),
                                     m_searchBox, m_searchButton, m_searchAgainButton, this);
    search->addOption({m_byCode, QStringLiteral("c_code"), Match::Number, SearchMissStyle::Tight, true});
    search->addOption({m_byTel, QStringLiteral("tel"), Match::Text, SearchMissStyle::Spaced, true});
    search->addOption({m_byAddress, QStringLiteral("goods_addr"), Match::Text, SearchMissStyle::Spaced});
    search->addOption({m_byName, QStringLiteral("name"), Match::Text, SearchMissStyle::Spaced});
    m_byTel->setChecked(true);
}

void CustomerForm::createKeyNavigation()
{
    auto* navigation = new FieldKeyNavigation(this);
    for (QLineEdit* box : m_text1)
        navigation->add(box);
    for (int combo : {0, 1, 2})
        navigation->add(m_combos[combo]);
}

void CustomerForm::applyCancelledFilter()
{
    // Books whose customers cannot be read say so, rather than show an empty form; the form keeps the
    // rows it had.
    runGuarded(m_app.messages,
               [this] { AdodcQuery(*m_customers, m_hideCancelled->isChecked() ? ActiveCustomers : AllCustomers); });
}

void CustomerForm::showLatestDelivery()
{
    const std::optional<int> code = TextRules::wholeNumberIn(m_text1[Code]->text());
    if (!code) {
        m_latestDelivery->clear();
        return;
    }
    try {
        m_latestDelivery->setText(dateShown(m_app.db.scalar(
            QStringLiteral("SELECT max(date_d) AS 最大日期 FROM order_date WHERE c_code = ?"), {*code})));
    } catch (const std::exception&) {
        m_latestDelivery->clear();
    }
}

void CustomerForm::handOver(const QString& formName)
{
    const Recordset& customers = m_customers->recordset();
    m_app.values.current_c_code = customers.hasCurrentRow() ? customers.value(QStringLiteral("c_code")).toInt() : 0;
    m_app.values.selected_c_code = m_app.values.current_c_code;
    if (!formName.isEmpty())
        OpenFormCommand{m_app}(formName);
}

// The rows a new customer brings with it, each carrying the code the database gave the customer.
void CustomerForm::writeCompanionRows()
{
    const QVariant code = m_customers->recordset().value(QStringLiteral("c_code"));
    const QDate workDate = m_app.values.work_date;
    m_bills->recordset().setValue(QStringLiteral("c_code"), code);
    m_moves->recordset().setValue(QStringLiteral("c_code"), code);
    Recordset& order = m_firstOrder->recordset();
    order.setValue(QStringLiteral("c_code"), code);
    order.setValue(QStringLiteral("start_date"), workDate);
    order.setValue(QStringLiteral("input_date"), workDate);
}

// The customer's written delivery days follow the save in its transaction: a new milk area, or a
// customer nullified, returned or lapsed, reaches tomorrow's delivery list at once.
void CustomerForm::followInDayRows()
{
    DayRows::followOrders(m_app.db, {m_customers->recordset().value(QStringLiteral("c_code")).toInt()},
                          m_app.clock.today());
}

// A customer moved to another milk area is logged; areas compare as numbers, no area as none.
void CustomerForm::logMilkAreaChange()
{
    const Recordset& customers = m_customers->recordset();
    const QVariant area = customers.value(QStringLiteral("milk_area"));
    const QVariant before = m_milkAreaAtModify;
    if (area.isNull() == before.isNull() && (area.isNull() || area.toInt() == before.toInt()))
        return;
    const QVariant noArea(QMetaType::fromType<int>());
    m_app.db.exec(QStringLiteral("INSERT INTO turn_milk (c_code, original, new_milk, input_date) VALUES (?, ?, ?, ?)"),
                  {customers.value(QStringLiteral("c_code")), before.isNull() ? noArea : QVariant(before.toInt()),
                   area.isNull() ? noArea : QVariant(area.toInt()), m_app.values.work_date});
}
